// Loading a window from its form, and closing it.
#include "services/ui/form_window.h"
#include "services/ui/services.h"
#include "services/ui/state.h"

namespace ui {

void LoadWindow(int window) {
    FormRecord& record = RecordOf(window);
    if (HWND existing = LiveWindow(record.controls[0])) {
        if (!record.destroyPending) {
            if (IsIconic(existing))
                (void)ShowWindow(existing, SW_RESTORE);
            else
                (void)SetActiveWindow(existing);
            return;
        }
        record.destroyPending = false;
        (void)DestroyWindow(existing);
    }
    const HWND focus = GetFocus();
    ProcessEvents();
    ++State().suppression;
    TakeLoadTimeCopy(record);

    auto created = std::make_unique<FormWindow>(window, record);
    if (!created->Create()) FatalStop("无法创建窗口 " + record.form->controls[0].name);
    // From here the window owns its object, which ends at WM_NCDESTROY.
    const HWND hwnd = created.release()->Handle();

    for (size_t i = 1; i < record.controls.size(); ++i)
        (void)ShowWindow(record.controls[i].live, record.controls[i].visible ? SW_SHOWNA : SW_HIDE);
    ProcessEvents();
    if (State().suppression > 0) --State().suppression;

    (void)RaiseEvent({window, 0}, kCreated);
    for (int notice : {kShownNotice, kActivatedNotice})
        if (IsWindow(hwnd)) (void)RaiseEvent({window, 0}, notice);
    if (IsWindow(hwnd) && record.controls[0].visible) FormWindow::Of(hwnd)->ShowByPosition();
    if (focus && IsWindow(focus)) (void)SetFocus(focus);
}

void CloseWindow(int window, bool atOnce) {
    FormRecord& record = RecordOf(window);
    const HWND hwnd = LiveWindow(record.controls[0]);
    if (!hwnd) FatalStop("关闭不存在的窗口 " + record.form->controls[0].name);
    record.destroyPending = true;
    if (atOnce)
        (void)SendMessageA(hwnd, kCloseMessage, 0, 0);
    else
        (void)PostMessageA(hwnd, kCloseMessage, 0, 0);
}

}  // namespace ui
