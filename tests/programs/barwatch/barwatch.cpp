// Watches the installer window's progress bar and status label from another
// process, for states too short to catch with screenshots (the last two
// reports come less than a millisecond apart).
//
//   tolvane-barwatch OUT [HOLD_DIR]
//
// Waits up to 20 s for the installer window, then polls the bar (the label
// 3 pixels high) and the status label (the label at x 232) in a tight loop
// until the window is gone. Every distinct state is appended to OUT as
// "seen WIDTH VISIBLE CAPTION" (caption in ANSI bytes); "end" follows when the
// window has gone. Exit code 0, or 1 when no window came.
//
// With HOLD_DIR, each change of width or caption while the bar is shown is held: the UI
// thread is stopped at once, so no further report can take effect, then every
// other thread of the installer is stopped and the UI thread alone goes on,
// painting the held state. The state is then written as "hold N WIDTH VISIBLE
// CAPTION" to OUT and to HOLD_DIR\held-N, and the threads go on when
// HOLD_DIR\go-N exists (or after 20 s).
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "services/shell/handle.h"

namespace {

struct State {
    int width = -1;
    bool visible = false;
    std::string caption;
    bool operator==(const State&) const = default;
};

std::string ClassName(HWND window) {
    char name[64] = {};
    (void)GetClassNameA(window, name, sizeof(name));
    return name;
}

RECT ClientRect(HWND child) {
    RECT r;
    (void)GetWindowRect(child, &r);
    (void)MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Controls {
    HWND window = nullptr;
    HWND bar = nullptr;
    HWND status = nullptr;
};

BOOL CALLBACK FindControl(HWND child, LPARAM data) {
    auto* controls = reinterpret_cast<Controls*>(data);
    if (ClassName(child) != "TolvaneLabel") return TRUE;
    const RECT r = ClientRect(child);
    if (r.bottom - r.top == 3) controls->bar = child;
    if (r.left == 232) controls->status = child;
    return TRUE;
}

Controls WaitForWindow() {
    Controls controls;
    for (int tick = 0; tick < 2000; ++tick) {
        controls.window = FindWindowExA(nullptr, nullptr, "TolvaneForm", nullptr);
        if (controls.window && IsWindowVisible(controls.window)) {
            (void)EnumChildWindows(controls.window, FindControl, reinterpret_cast<LPARAM>(&controls));
            if (controls.bar && controls.status) return controls;
        }
        Sleep(10);
    }
    return {};
}

// Reads another process's window: no message is sent, so it works while the
// owner thread is stopped.
State ReadState(const Controls& controls) {
    State state;
    RECT r;
    if (!GetWindowRect(controls.bar, &r)) return state;
    state.width = r.right - r.left;
    state.visible = IsWindowVisible(controls.bar) != 0;
    char text[1024] = {};
    (void)GetWindowTextA(controls.status, text, sizeof(text));
    state.caption = text;
    return state;
}

std::string Line(const char* what, const State& state) {
    return std::string(what) + " " + std::to_string(state.width) + " " + (state.visible ? "1" : "0") + " " +
           state.caption + "\n";
}

void Append(const std::string& file, const std::string& text) {
    if (FILE* out = std::fopen(file.c_str(), "ab")) {
        (void)std::fputs(text.c_str(), out);
        (void)std::fclose(out);
    }
}

// Stops every thread of the process except the UI thread; the owner resumes them.
std::vector<UniqueKernelHandle> StopOthers(DWORD process, DWORD uiThread) {
    std::vector<UniqueKernelHandle> stopped;
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return stopped;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != process || entry.th32ThreadID == uiThread) continue;
        UniqueKernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        if (thread && SuspendThread(thread.get()) != static_cast<DWORD>(-1)) stopped.push_back(std::move(thread));
    }
    return stopped;
}

State Hold(const Controls& controls, HANDLE uiThread, DWORD process, DWORD uiThreadId, const State& seen,
           const std::string& out, const std::string& holdDir, int number) {
    (void)SuspendThread(uiThread);
    const std::vector<UniqueKernelHandle> others = StopOthers(process, uiThreadId);
    (void)ResumeThread(uiThread);
    Append(out, Line("seen", seen));
    Sleep(150);  // the UI thread applies what was sent before the stop, and paints
    const State held = ReadState(controls);
    const std::string line = Line(("hold " + std::to_string(number)).c_str(), held);
    Append(out, line);
    const std::string name = holdDir + "\\held-" + std::to_string(number);
    Append(name + ".part", line);
    (void)MoveFileA((name + ".part").c_str(), name.c_str());
    const std::string go = holdDir + "\\go-" + std::to_string(number);
    for (int tick = 0; tick < 2000 && GetFileAttributesA(go.c_str()) == INVALID_FILE_ATTRIBUTES; ++tick) Sleep(10);
    for (const UniqueKernelHandle& thread : others) (void)ResumeThread(thread.get());
    return held;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: tolvane-barwatch OUT [HOLD_DIR]\n");
        return 64;
    }
    const std::string out = argv[1];
    const std::string holdDir = argc == 3 ? argv[2] : "";
    const Controls controls = WaitForWindow();
    if (!controls.window) return 1;
    DWORD process = 0;
    const DWORD uiThreadId = GetWindowThreadProcessId(controls.window, &process);
    UniqueKernelHandle uiThread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, uiThreadId));

    State last = ReadState(controls);
    Append(out, Line("seen", last));
    int holds = 0;
    while (IsWindow(controls.window)) {
        State now = ReadState(controls);
        if (now.width < 0 || now == last) continue;
        // The bar's showing is not held: the unpacking thread does not exist yet.
        const bool report = now.width != last.width || now.caption != last.caption;
        if (!holdDir.empty() && now.visible && report && uiThread)
            now = Hold(controls, uiThread.get(), process, uiThreadId, now, out, holdDir, ++holds);
        else
            Append(out, Line("seen", now));
        last = now;
    }
    Append(out, "end\n");
    return 0;
}
