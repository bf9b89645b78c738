// The install run: unpack the payload on the unpacking thread while the UI
// thread keeps the window alive, then start the program, write the desktop
// shortcut and close; or, when unpacking fails, say so and return to idle.
#include "installer/form.h"
#include "installer/handlers.h"
#include "installer/install_errors.h"
#include "installer/texts.h"
#include "installer/window_gate.h"
#include "services/shell/handle.h"
#include "services/shell/shell.h"
#include "services/ui/controls/archive_unpacker.h"
#include "services/ui/services.h"
#include <atomic>
#include <memory>

namespace installer {

namespace {

// One run's own copies: a drive change during the run changes none of them.
struct InstallRun {
    std::string folder;
    std::string programFile;
    std::atomic<int> result{0};
    unpack::FailureInfo failure;  // written before result, read after done
    std::atomic<bool> ended{false};
    UniqueKernelHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

bool running = false;  // a second click during a run is ignored

DWORD WINAPI UnpackJob(void* parameter) {
    const std::shared_ptr<InstallRun> run = *std::unique_ptr<std::shared_ptr<InstallRun>>(
        static_cast<std::shared_ptr<InstallRun>*>(parameter));
    const std::string archive = shell::OwnFolder() + "\\qzr.dat";
    unpack::FailureInfo failure;
    const int result = unpack::UnpackArchive(ui::UnpackerOf(At(ZIP压缩1)), archive, run->folder, &failure);
    run->failure = failure;
    run->result = result;
    if (result == 1) {
        if (!run->programFile.empty()) (void)shell::StartProgram(run->folder + "\\" + run->programFile, false, 2);
        if (WindowWrites writes{}) ui::CloseWindow(kInstallerWindow);
    }
    run->ended = true;
    (void)SetEvent(run->done.get());
    return 0;
}

// Waits, taking the window's messages, until the job has ended or the window
// is gone. Blocks between messages instead of spinning.
void InstallWait(const InstallRun& run) {
    HANDLE done = run.done.get();
    for (;;) {
        ui::ProcessEvents();
        if (run.ended || !ui::LoadedHandle(kInstallerWindow)) return;
        (void)MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void WriteShortcut(const InstallRun& run) {
    if (shortcutName.empty()) return;
    const std::string link = shell::SpecialFolder(3) + "\\" + shortcutName;
    (void)shell::CreateShortcut(link, run.folder + "\\" + run.programFile, std::string("Corvessa"));
}

// Back to idle after a failed run: the bar goes, the install folder is shown.
void ReportFailure(const InstallRun& run) {
    (void)MessageBoxA(ui::LoadedHandle(kInstallerWindow), InstallErrorText(run.result, run.failure).c_str(),
                      "Tolvane安装程序", MB_ICONERROR | MB_OK);
    if (!ui::LoadedHandle(kInstallerWindow)) return;
    ui::WriteInt(At(标签_进度条), ui::Property::Visible, 0);
    ui::WriteText(At(标签_加载文件), ui::Property::Caption, installFolder);
}

}  // namespace

std::optional<int32_t> OnInstall(const ui::EventArgs&) {
    if (running) return std::nullopt;
    running = true;
    ui::WriteInt(At(标签_进度条), ui::Property::Width, 0);
    ui::WriteInt(At(标签_进度条), ui::Property::Visible, 1);

    auto run = std::make_shared<InstallRun>();
    run->folder = installFolder;
    run->programFile = programFileName;
    if (!shell::PathExists(run->folder)) (void)shell::CreateFolder(run->folder);
    auto parameter = std::make_unique<std::shared_ptr<InstallRun>>(run);
    if (shell::StartThread(UnpackJob, parameter.get()))
        (void)parameter.release();  // the job owns it now
    else
        run->ended = true;  // reported as a failed run

    InstallWait(*run);
    if (run->result == 1)
        WriteShortcut(*run);
    else if (run->ended && ui::LoadedHandle(kInstallerWindow))  // a closed window wants no error box
        ReportFailure(*run);
    running = false;
    return std::nullopt;
}

std::optional<int32_t> OnProgress(const ui::EventArgs& args) {
    WindowWrites writes;
    if (!writes) return std::nullopt;  // the window is going: nothing more is shown
    const int32_t percent = args.value[0];
    ui::WriteText(At(标签_加载文件), ui::Property::Caption, unpack::CurrentEntry());
    ui::WriteInt(At(标签_进度条), ui::Property::Width, static_cast<int32_t>(percent / 100.0 * 615));
    return std::nullopt;
}

}  // namespace installer
