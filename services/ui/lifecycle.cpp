// Start-up, the exit routines, the end of the program and the fatal stop.
#include "services/shell/shell.h"
#include "services/ui/services.h"
#include "services/ui/state.h"
#include <commctrl.h>
#include <ole2.h>
#include <algorithm>
#include <new>
#include <utility>

namespace ui {

static const char kServiceClass[] = "TolvaneServices";

// A failed allocation cannot build a message of its own.
static void OnOutOfMemory() { FatalStop("内存不足"); }

static LRESULT CALLBACK ServiceWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kStopMessage) EndProgram(static_cast<int>(wParam));
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

static void CreateServiceWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ServiceWindowProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kServiceClass;
    (void)RegisterClassA(&wc);
    State().serviceWindow =
        CreateWindowExA(WS_EX_TOOLWINDOW, kServiceClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, Instance(), nullptr);
    if (!State().serviceWindow) FatalStop("无法创建服务窗口");
}

static void BuildFormRecords(const std::vector<FormTemplate>& forms) {
    ServicesState& s = State();
    s.templates = forms;
    for (const FormTemplate& form : s.templates) {
        if (form.controls.empty() || form.controls[0].kind != Kind::Window) FatalStop("无法读取窗口模板");
        FormRecord& record = s.records.emplace_back();
        record.form = &form;
        record.controls = std::vector<ControlRecord>(form.controls.size());
        for (size_t i = 0; i < form.controls.size(); ++i) {
            const ControlTemplate& control = form.controls[i];
            if (i > 0 && control.kind == Kind::Window) FatalStop("无法读取窗口模板: " + control.name);
            record.controls[i].form = &control;
            record.controls[i].width = control.width;
            record.controls[i].visible = control.visible;
        }
    }
    if (s.records.empty()) FatalStop("无法读取窗口模板");
}

void InitialiseServices(const std::vector<FormTemplate>& forms) {
    ServicesState& s = State();
    std::set_new_handler(OnOutOfMemory);
    // A drive without a medium makes file calls fail instead of prompting.
    const UINT mode = SetErrorMode(0);
    (void)SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    s.oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    shell::FixOwnFolder();
    (void)SetCurrentDirectoryA(shell::OwnFolder().c_str());
    CreateServiceWindow();
    s.uiThread = GetCurrentThreadId();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    (void)InitCommonControlsEx(&controls);
    BuildFormRecords(forms);
}

void RegisterExitRoutine(void (*routine)()) {
    auto& routines = State().exitRoutines;
    if (std::find(routines.begin(), routines.end(), routine) == routines.end()) routines.push_back(routine);
}

[[noreturn]] static void EndOnUiThread(int exitCode) {
    ServicesState& s = State();
    ++s.suppression;
    s.shutDownBegun = true;
    for (FormRecord& record : s.records)
        for (ControlRecord& control : record.controls) control.live = nullptr;
    // Copied first: a routine must not change the list it runs from.
    const std::vector<void (*)()> routines = std::move(s.exitRoutines);
    s.exitRoutines.clear();
    for (auto routine : routines) routine();
    if (s.serviceWindow) (void)DestroyWindow(std::exchange(s.serviceWindow, nullptr));
    if (std::exchange(s.oleInitialised, false)) OleUninitialize();
    ExitProcess(static_cast<UINT>(exitCode));
}

void EndProgram(int exitCode) {
    ServicesState& s = State();
    if (OnUiThread()) EndOnUiThread(exitCode);
    ++s.suppression;
    if (HWND service = s.serviceWindow) (void)SendMessageA(service, kStopMessage, static_cast<WPARAM>(exitCode), 0);
    if (!s.shutDownBegun) ExitProcess(static_cast<UINT>(exitCode));
    // The UI thread is ending the process.
    for (;;) Sleep(INFINITE);
}

void FatalStop(const std::string& what) {
    ++State().suppression;
    (void)MessageBoxA(nullptr, ("程序运行时发生错误，将要退出。\n\n" + what).c_str(), "运行时错误", MB_ICONERROR);
    State().exitRoutines.clear();
    EndProgram(-1);
}

void RunProgram(int (*entryPoint)()) {
    (void)entryPoint();
    EndProgram(static_cast<int>(State().quitCode));
}

}  // namespace ui
