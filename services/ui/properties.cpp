// Read property and Write property: stored common properties, and the
// control-specific ones that the live control holds.
#include "services/ui/controls/drive_selector.h"
#include "services/ui/controls/label.h"
#include "services/ui/form_window.h"
#include "services/ui/services.h"
#include "services/ui/state.h"

namespace ui {

static const char* NameOf(Property property) {
    switch (property) {
    case Property::Width: return "宽度";
    case Property::Visible: return "可视";
    case Property::Caption: return "标题";
    case Property::CurrentDrive: return "当前驱动器";
    case Property::Position: return "位置";
    }
    return "?";
}

// The live window of a control-specific property; a fatal stop when the
// control is not live or has no such property.
static HWND LiveFor(const ControlRecord& record, Property property, Kind kind) {
    const std::string what = std::string("组件 ") + record.form->name + " 的属性 " + NameOf(property);
    if (record.form->kind != kind) FatalStop(what + " 不存在");
    HWND hwnd = LiveWindow(record);
    if (!hwnd) FatalStop(what + " 在窗口不存在时无法使用");
    return hwnd;
}

int32_t ReadInt(ControlAddress address, Property property) {
    const ControlRecord& record = RecordOf(address);
    const HWND live = LiveWindow(record);
    switch (property) {
    case Property::Width: {
        if (!live) return record.width;
        RECT r;
        (void)GetWindowRect(live, &r);
        return r.right - r.left;
    }
    case Property::Visible: return live ? IsWindowVisible(live) != 0 : record.visible.load();
    case Property::Position: return FormWindow::Of(LiveFor(record, property, Kind::Window))->Position();
    default: break;
    }
    FatalStop(std::string("属性 ") + NameOf(property) + " 不是整数");
}

std::string ReadText(ControlAddress address, Property property) {
    const ControlRecord& record = RecordOf(address);
    switch (property) {
    case Property::Caption: return Label::Caption(LiveFor(record, property, Kind::Label));
    case Property::CurrentDrive:
        return static_cast<DriveSelector*>(ControlOf(LiveFor(record, property, Kind::DriveSelector)))->CurrentDrive();
    default: break;
    }
    FatalStop(std::string("属性 ") + NameOf(property) + " 不是文本");
}

void WriteInt(ControlAddress address, Property property, int32_t value) {
    ControlRecord& record = RecordOf(address);
    const HWND live = LiveWindow(record);
    switch (property) {
    case Property::Width: {
        const int32_t width = value < 0 ? 0 : value > 32627 ? 32627 : value;
        record.width = width;
        if (!live) return;
        RECT r;
        (void)GetWindowRect(live, &r);
        // An unchanged width changes nothing on the screen; from another thread
        // it would still cost a round trip through the UI thread.
        if (r.right - r.left == width) return;
        (void)SetWindowPos(live, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    case Property::Visible:
        record.visible = value != 0;
        if (live) (void)ShowWindow(live, value ? SW_SHOW : SW_HIDE);
        return;
    case Property::Position: FormWindow::Of(LiveFor(record, property, Kind::Window))->SetPosition(value); return;
    default: break;
    }
    FatalStop(std::string("属性 ") + NameOf(property) + " 不是整数");
}

void WriteText(ControlAddress address, Property property, const std::string& value) {
    const ControlRecord& record = RecordOf(address);
    if (property == Property::Caption) return Label::SetCaption(LiveFor(record, property, Kind::Label), value);
    FatalStop(std::string("属性 ") + NameOf(property) + " 不可写");
}

}  // namespace ui
