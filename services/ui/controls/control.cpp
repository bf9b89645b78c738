#include "services/ui/controls/control.h"
#include "services/ui/controls/archive_unpacker.h"
#include "services/ui/controls/drive_selector.h"
#include "services/ui/controls/label.h"
#include "services/ui/controls/super_button.h"

namespace ui {

// The control object rides in a window property, so that the system classes
// (BUTTON, COMBOBOX) keep their own window data to themselves.
static const char kControlProperty[] = "TolvaneControl";

Control* ControlOf(HWND hwnd) { return static_cast<Control*>(GetPropA(hwnd, kControlProperty)); }

void AttachControl(HWND hwnd, Control* control) { (void)SetPropA(hwnd, kControlProperty, control); }

void DetachControl(HWND hwnd) { (void)RemovePropA(hwnd, kControlProperty); }

std::unique_ptr<Control> MakeControl(ControlAddress address, const ControlTemplate& form) {
    switch (form.kind) {
    case Kind::Label: return std::make_unique<Label>(address, form);
    case Kind::DriveSelector: return std::make_unique<DriveSelector>(address, form);
    case Kind::SuperButton: return std::make_unique<SuperButton>(address, form);
    case Kind::ArchiveUnpacker: return std::make_unique<ArchiveUnpacker>(address, form);
    case Kind::Window: break;
    }
    FatalStop("窗口模板中有无法创建的组件: " + form.name);
}

}  // namespace ui
