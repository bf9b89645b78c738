#pragma once
// The installer window and the addresses of its controls.
#include "services/ui/form.h"
#include <vector>

namespace installer {

constexpr int kInstallerWindow = 0;

// Controls in stacking order, topmost first; 0 is the window itself.
enum Control : int {
    安装窗口 = 0,
    标签_进度条,
    ZIP压缩1,
    驱动器框1,
    标签4,
    标签_加载文件,
    超级按钮3,
    标签2,
    超级按钮2,
    超级按钮1,
    标签1,
};

constexpr ui::ControlAddress At(Control control) { return {kInstallerWindow, control}; }

// The forms of every window of the program (there is one).
std::vector<ui::FormTemplate> ProgramForms();

}  // namespace installer
