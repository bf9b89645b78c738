#include "test_form.h"

namespace test_form {

Seen& seen() {
    static Seen s;
    return s;
}

static void (*clickAction)() = nullptr;
void OnClickRun(void (*action)()) { clickAction = action; }

static std::optional<int32_t> Created(const ui::EventArgs&) {
    ++seen().created;
    seen().hiddenAtCreation = !IsWindowVisible(ui::LoadedHandle(0));
    seen().controlsLiveAtCreation = ui::ReadText(At(驱动器框), ui::Property::CurrentDrive).size() == 1;
    ui::WriteText(At(标签), ui::Property::Caption, "载入时写入");
    return std::nullopt;
}
static std::optional<int32_t> Changed(const ui::EventArgs&) {
    ++seen().changes;
    return std::nullopt;
}
static std::optional<int32_t> Clicked(const ui::EventArgs&) {
    ++seen().clicks;
    if (clickAction) clickAction();
    return seen().clickAnswer.load();
}

static std::vector<ui::FormTemplate> Forms() {
    ui::FormTemplate form;
    ui::ControlTemplate w;
    w.name = "测试窗口";
    w.kind = ui::Kind::Window;
    w.width = 400;
    w.height = 300;
    w.window.position = 1;
    w.window.escapeCloses = true;
    w.window.dragAnywhere = true;
    w.bindings = {{ui::kCreated, Created}};
    form.controls.push_back(w);

    ui::ControlTemplate label;
    label.name = "标签";
    label.left = 10, label.top = 10, label.width = 200, label.height = 20;
    form.controls.push_back(label);

    ui::ControlTemplate bar = label;
    bar.name = "进度条";
    bar.top = 40, bar.width = 615, bar.height = 3;
    bar.visible = false;
    bar.label.gradient = {RGB(100, 208, 255), RGB(128, 224, 0), RGB(0, 255, 255)};
    form.controls.push_back(bar);

    ui::ControlTemplate drives;
    drives.name = "驱动器框";
    drives.kind = ui::Kind::DriveSelector;
    drives.left = 10, drives.top = 60, drives.width = 128, drives.height = 20;
    drives.tabStop = true;
    drives.bindings = {{ui::kChange, Changed}};
    form.controls.push_back(drives);

    ui::ControlTemplate button;
    button.name = "按钮";
    button.kind = ui::Kind::SuperButton;
    button.left = 10, button.top = 100, button.width = 112, button.height = 32;
    button.tabStop = true;
    button.button.text = "按钮";
    button.bindings = {{ui::kClick, Clicked}};
    form.controls.push_back(button);

    ui::ControlTemplate unpacker;
    unpacker.name = "解压";
    unpacker.kind = ui::Kind::ArchiveUnpacker;
    unpacker.visible = false;
    form.controls.push_back(unpacker);
    return {form};
}

void StartServices() {
    static bool started = false;
    if (std::exchange(started, true)) return;
    ui::InitialiseServices(Forms());
}

}  // namespace test_form
