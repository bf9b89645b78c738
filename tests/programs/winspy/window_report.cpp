#include "window_report.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND window) {
    // WM_GETTEXT rather than GetWindowTextA: it is answered by the window's
    // own process, which is what a tooltip needs to tell its current tip.
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    const LRESULT got = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<size_t>(got > 0 ? got : 0));
}

}  // namespace

std::string ClassOf(HWND window) {
    char name[256] = {};
    (void)GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string StoredText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1);
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}

namespace {

// The child's rectangle in the client coordinates of the top-level window.
RECT RectIn(HWND top, HWND child) {
    RECT r{};
    (void)GetWindowRect(child, &r);
    (void)MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void PrintRect(const RECT& r) { std::printf("%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top); }

// The items are read as UTF-16 and converted here: on Wine an ANSI
// CB_GETLBTEXT sent to another process comes back cut to its first character.
std::string ItemText(HWND combo, WPARAM index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 0) + 1);
    const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    if (got <= 0) return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(got), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    (void)WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(got), text.data(), bytes, nullptr, nullptr);
    return text;
}

int Items(HWND top) {
    HWND combo = FindWindowExA(top, nullptr, "ComboBox", nullptr);
    if (!combo) return 1;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) std::printf("%s\n", ItemText(combo, static_cast<WPARAM>(i)).c_str());
    std::printf("selected %ld\n", static_cast<long>(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
    return 0;
}

// All children when childClass is null, each line then naming the class.
int Children(HWND top, const char* childClass) {
    for (HWND child = FindWindowExA(top, nullptr, childClass, nullptr); child;
         child = FindWindowExA(top, child, childClass, nullptr)) {
        if (!childClass) std::printf("%s ", ClassOf(child).c_str());
        PrintRect(RectIn(top, child));
        std::printf(" %d %s\n", IsWindowVisible(child) ? 1 : 0, StoredText(child).c_str());
    }
    return 0;
}

int Focus(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) || !info.hwndFocus) {
        std::printf("none\n");
        return 0;
    }
    std::printf("%s ", ClassOf(info.hwndFocus).c_str());
    PrintRect(RectIn(top, info.hwndFocus));
    std::printf("\n");
    return 0;
}

int State(HWND top) {
    RECT r{};
    (void)GetWindowRect(top, &r);
    std::printf("%d %d ", IsWindowVisible(top) ? 1 : 0, IsIconic(top) ? 1 : 0);
    PrintRect(r);
    std::printf("\n");
    return 0;
}

BOOL CALLBACK PrintTooltip(HWND window, LPARAM) {
    if (_stricmp(ClassOf(window).c_str(), "tooltips_class32") == 0 && IsWindowVisible(window))
        std::printf("%s\n", TextOf(window).c_str());
    return TRUE;
}

}  // namespace

int RunWindowReport(int argc, char** argv) {
    const std::string mode = argv[1];
    if (mode == "tooltips") {
        (void)EnumWindows(PrintTooltip, 0);
        return 0;
    }
    const bool known = mode == "items" || mode == "children" || mode == "focus" || mode == "state" || mode == "wait-state" ||
                       mode == "restore";
    if (!known) return -1;
    if (argc != 3 && !(mode == "children" && argc == 4)) return 64;
    HWND top = FindWindowA(argv[2], nullptr);
    // wait-state: the state once the window is shown, waiting up to 10 s for it.
    for (int i = 0; mode == "wait-state" && i < 200 && !(top && IsWindowVisible(top)); ++i) {
        Sleep(50);
        top = FindWindowA(argv[2], nullptr);
    }
    if (!top) return 1;
    if (mode == "items") return Items(top);
    if (mode == "children") return Children(top, argc == 4 ? argv[3] : nullptr);
    if (mode == "focus") return Focus(top);
    if (mode == "state" || mode == "wait-state") return State(top);
    // As the taskbar button does.
    return PostMessageA(top, WM_SYSCOMMAND, SC_RESTORE, 0) ? 0 : 1;
}
