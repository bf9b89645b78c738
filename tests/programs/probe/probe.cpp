// Stands in for a started program. At start it writes a record, one key=value
// a line in ANSI bytes, to the file named by TOLVANE_PROBE_RECORD, else to its
// own path + ".start.txt":
//   cwd, cmdline, show and flags (wShowWindow and dwFlags of its STARTUPINFOA).
// The record appears whole (written aside, then moved into place). The window
// program then shows a small window and waits for input until the window is
// closed or --exit-after=MS has passed (60 s by default), and appends ended=1
// on its way out. The console build writes the record and ends at once.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string RecordPath() {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TOLVANE_PROBE_RECORD", path, sizeof path);
    if (length > 0 && length < sizeof path) return path;
    const DWORD own = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, own) + ".start.txt";
}

std::string StartRecord() {
    char cwd[MAX_PATH] = "";
    (void)GetCurrentDirectoryA(sizeof cwd, cwd);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return std::string("cwd=") + cwd + "\ncmdline=" + GetCommandLineA() +
           "\nshow=" + std::to_string(startup.wShowWindow) +
           "\nflags=" + std::to_string(startup.dwFlags) + "\n";
}

void WriteRecord(const std::string& record) {
    const std::string path = RecordPath();
    const std::string aside = path + ".part";
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        out << record;
    }
    (void)MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

#ifndef TOLVANE_PROBE_CONSOLE
UINT ExitAfter() {
    const char* option = std::strstr(GetCommandLineA(), "--exit-after=");
    return option ? static_cast<UINT>(std::strtoul(option + 13, nullptr, 10)) : 60000;
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        (void)DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
#endif

}  // namespace

int main() {
    WriteRecord(StartRecord());
#ifdef TOLVANE_PROBE_CONSOLE
    return 0;
#else
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = "TolvaneProbe";
    (void)RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TolvaneProbe", "Tolvane probe", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 240, 120, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    // SW_SHOWDEFAULT takes the show mode the starter asked for.
    (void)ShowWindow(window, SW_SHOWDEFAULT);
    (void)SetTimer(window, 1, ExitAfter(), nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    std::ofstream(RecordPath(), std::ios::binary | std::ios::app) << "ended=1\n";
    return 0;
#endif
}
