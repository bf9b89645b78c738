#include "services/ui/services.h"
#include "services/ui/state.h"

namespace ui {

ServicesState& State() {
    static ServicesState state;
    return state;
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

bool OnUiThread() {
    const DWORD ui = State().uiThread;
    return ui == 0 || ui == GetCurrentThreadId();
}

FormRecord& RecordOf(int window) {
    auto& records = State().records;
    if (window < 0 || static_cast<size_t>(window) >= records.size())
        FatalStop("程序没有编号为 " + std::to_string(window) + " 的窗口");
    return records[static_cast<size_t>(window)];
}

ControlRecord& RecordOf(ControlAddress address) {
    FormRecord& form = RecordOf(address.window);
    if (address.control < 0 || static_cast<size_t>(address.control) >= form.controls.size())
        FatalStop("窗口 " + form.controls[0].form->name + " 没有编号为 " + std::to_string(address.control) +
                  " 的组件");
    return form.controls[static_cast<size_t>(address.control)];
}

HWND LiveWindow(const ControlRecord& record) {
    HWND hwnd = record.live;
    return hwnd && IsWindow(hwnd) ? hwnd : nullptr;
}

HWND LoadedHandle(int window) { return LiveWindow(RecordOf(window).controls[0]); }

bool AnyWindowLive() {
    for (const FormRecord& form : State().records)
        if (LiveWindow(form.controls[0])) return true;
    return false;
}

void TakeLoadTimeCopy(FormRecord& record) {
    record.loadTimeCopy.clear();
    for (const ControlRecord& control : record.controls) record.loadTimeCopy.push_back({control.width, control.visible});
}

void RestoreLoadTimeCopy(FormRecord& record) {
    for (size_t i = 0; i < record.controls.size(); ++i) {
        ControlRecord& control = record.controls[i];
        control.live = nullptr;
        if (i < record.loadTimeCopy.size()) {
            control.width = record.loadTimeCopy[i].width;
            control.visible = record.loadTimeCopy[i].visible;
        }
    }
    record.destroyPending = false;
}

}  // namespace ui
