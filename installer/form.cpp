#include "installer/form.h"
#include "installer/handlers.h"

namespace installer {

using ui::ControlTemplate;
using ui::Kind;

static ControlTemplate Placed(const char* name, Kind kind, int left, int top, int width, int height);

static ControlTemplate Window() {
    // The stored place, 50, 50, is not used: the window is centred.
    ControlTemplate w = Placed("安装窗口", Kind::Window, 50, 50, 617, 428);
    w.window.background = RGB(0, 136, 255);
    w.window.icon = "DEFAULT_ICON";
    w.window.dragAnywhere = true;
    w.window.escapeCloses = true;
    w.window.position = 1;
    w.bindings = {{ui::kCreated, OnWindowCreated}, {ui::kQueryClose, OnQueryClose}};
    return w;
}

static ControlTemplate Placed(const char* name, Kind kind, int left, int top, int width, int height) {
    ControlTemplate c;
    c.name = name;
    c.kind = kind;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

static ControlTemplate Label(const char* name, int left, int top, int width, int height, COLORREF text,
                             COLORREF fill) {
    ControlTemplate c = Placed(name, Kind::Label, left, top, width, height);
    c.label.text = text;
    c.label.fill = fill;
    return c;
}

static ControlTemplate Button(const char* name, int left, int top, int width, int height, const char* tooltip,
                              COLORREF faceNormal, COLORREF faceHot, ui::Handler onClick) {
    ControlTemplate c = Placed(name, Kind::SuperButton, left, top, width, height);
    c.tabStop = true;
    c.button.tooltip = tooltip;
    c.button.faceNormal = c.button.faceFocused = faceNormal;
    c.button.faceHot = faceHot;
    c.bindings = {{ui::kClick, onClick}};
    return c;
}

static std::vector<ControlTemplate> Controls() {
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);

    ControlTemplate progress = Label("标签_进度条", 1, 363, 615, 3, black, white);
    progress.visible = false;
    progress.label.gradient = {RGB(100, 208, 255), RGB(128, 224, 0), RGB(0, 255, 255)};

    ControlTemplate unpacker = Placed("ZIP压缩1", Kind::ArchiveUnpacker, 152, 368, 64, 48);
    unpacker.visible = false;
    unpacker.bindings = {{ui::kProgress, OnProgress}};

    ControlTemplate drives = Placed("驱动器框1", Kind::DriveSelector, 88, 331, 128, 20);
    drives.tabStop = true;
    drives.bindings = {{ui::kChange, OnDriveChange}};

    ControlTemplate caption = Label("标签4", 24, 320, 56, 40, RGB(96, 96, 96), white);
    caption.label.caption = "安装路径:";
    caption.label.font = {false, -12, 700};

    ControlTemplate folder = Label("标签_加载文件", 232, 320, 368, 40, RGB(128, 128, 128), white);

    ControlTemplate install =
        Button("超级按钮3", 254, 382, 112, 32, "关闭", RGB(128, 224, 0), RGB(0, 224, 128), OnInstall);
    install.button.text = "立即安装";
    install.button.font = {false, -15, 700};
    install.button.textNormal = install.button.textHot = install.button.textFocused = white;

    ControlTemplate panel = Label("标签2", 1, 299, 615, 128, black, white);

    ControlTemplate close =
        Button("超级按钮2", 584, 8, 24, 24, "关闭", RGB(0, 181, 255), RGB(255, 0, 0), OnCloseButton);
    close.button.picture.resource = "CLOSE_PNG";
    ControlTemplate minimise =
        Button("超级按钮1", 556, 8, 24, 24, "最小化", RGB(0, 181, 255), RGB(100, 208, 255), OnMinimiseButton);
    minimise.button.picture.resource = "MINIMISE_PNG";

    ControlTemplate banner = Label("标签1", 1, 1, 615, 298, black, white);
    banner.label.fillIsButtonFace = true;  // where the picture does not reach
    banner.label.picture.resource = "BANNER_PNG";

    return {progress, unpacker, drives, caption, folder, install, panel, close, minimise, banner};
}

std::vector<ui::FormTemplate> ProgramForms() {
    ui::FormTemplate form;
    form.controls.push_back(Window());
    for (ControlTemplate& c : Controls()) form.controls.push_back(std::move(c));
    return {form};
}

}  // namespace installer
