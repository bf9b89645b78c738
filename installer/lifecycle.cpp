// The entry point, the install folder kept in step with the chosen drive, the
// window's own buttons, and the exit routine.
#include "installer/form.h"
#include "installer/handlers.h"
#include "installer/texts.h"
#include "installer/window_gate.h"
#include "services/ui/services.h"

namespace installer {

std::string installFolder;
std::string programFileName;
std::string shortcutName;

void ReleaseTexts() {
    for (std::string* text : {&installFolder, &programFileName, &shortcutName}) std::string().swap(*text);
}

static void FollowCurrentDrive() {
    installFolder = ui::ReadText(At(驱动器框1), ui::Property::CurrentDrive) + ":\\tolv";
    ui::WriteText(At(标签_加载文件), ui::Property::Caption, installFolder);
}

std::optional<int32_t> OnWindowCreated(const ui::EventArgs&) {
    programFileName = "Tolvane.exe";
    shortcutName = "Tolvane";
    FollowCurrentDrive();
    return std::nullopt;
}

std::optional<int32_t> OnDriveChange(const ui::EventArgs&) {
    FollowCurrentDrive();
    return std::nullopt;
}

std::optional<int32_t> OnCloseButton(const ui::EventArgs&) {
    CloseWindowWrites();
    ui::CloseWindow(kInstallerWindow);
    return std::nullopt;
}

// Esc and every other WM_CLOSE: the window goes, so the unpacking thread must
// stop writing to it first. No value: nothing refuses the close.
std::optional<int32_t> OnQueryClose(const ui::EventArgs&) {
    CloseWindowWrites();
    return std::nullopt;
}

std::optional<int32_t> OnMinimiseButton(const ui::EventArgs&) {
    ui::WriteInt(At(安装窗口), ui::Property::Position, 2);
    return std::nullopt;
}

static int EntryPoint() {
    ui::InitialiseServices(ProgramForms());
    ui::RegisterExitRoutine(ReleaseTexts);
    ui::LoadWindow(kInstallerWindow);
    ui::RunMessageLoop();
    return 0;
}

}  // namespace installer

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { ui::RunProgram(installer::EntryPoint); }
