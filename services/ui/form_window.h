#pragma once
// A loaded window: the top-level window made from a form and the live
// controls on it. It lives from Load window until WM_NCDESTROY.
#include "services/shell/handle.h"
#include "services/ui/controls/control.h"
#include <memory>
#include <vector>

namespace ui {

class FormWindow {
public:
    FormWindow(int index, FormRecord& record) : index_(index), record_(record) {}
    // Creates the window and its controls, all hidden; false when the window cannot be made.
    bool Create();
    HWND Handle() const { return hwnd_; }
    const WindowLook& Look() const { return record_.form->controls[0].window; }
    int Position() const { return position_; }
    void SetPosition(int position);
    void ShowByPosition();

    static FormWindow* Of(HWND hwnd);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCloseMessage();
    void OnClose();
    void OnNcDestroy();
    void Centre();
    void Maximise();
    void StackControls();

    using UniqueIcon = UniqueHandle<HICON, DestroyIcon, 0>;
    int index_;
    FormRecord& record_;
    HWND hwnd_ = nullptr;
    std::atomic<int> position_{0};
    std::vector<std::unique_ptr<Control>> controls_;
    UniqueIcon bigIcon_, smallIcon_;
    UniqueGdi<HBRUSH> background_;
};

}  // namespace ui
