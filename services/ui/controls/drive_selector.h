#pragma once
#include "services/ui/controls/control.h"

namespace ui {

// A drop-down list of the logical drives; its current drive is one letter.
class DriveSelector : public Control {
public:
    using Control::Control;
    HWND Create(HWND parent) override;
    void OnCommand(WORD code) override;
    // One upper-case letter; when none is stored, the current directory's
    // drive letter, or "@" when it has none.
    std::string CurrentDrive() const;

private:
    void Fill();
    char current_ = 0;  // 0: no drive stored
};

// The item text of a drive in the list, e.g. "D: （硬盘） Data".
std::string DriveItemText(const std::string& root);
// The upper-case drive letter of the current directory, or '@'.
char CurrentDirectoryDrive();

}  // namespace ui
