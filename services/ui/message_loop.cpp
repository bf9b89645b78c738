// The message loop, Process events, and the keyboard and mouse handling that
// loaded windows get before a message is dispatched.
#include "services/ui/form_window.h"
#include "services/ui/services.h"
#include "services/ui/state.h"

namespace ui {

static bool Held(int key) { return GetKeyState(key) < 0; }

// The loaded window that hwnd is, or lies on.
static FormWindow* FormWindowOf(HWND hwnd) {
    for (const FormRecord& record : State().records) {
        HWND window = LiveWindow(record.controls[0]);
        if (window && (window == hwnd || IsChild(window, hwnd))) return FormWindow::Of(window);
    }
    return nullptr;
}

static bool OnKey(FormWindow& window, const MSG& msg) {
    const HWND hwnd = window.Handle();
    if (msg.wParam == VK_ESCAPE && window.Look().escapeCloses && !Held(VK_CONTROL) && !Held(VK_SHIFT) &&
        !Held(VK_MENU)) {
        (void)SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return true;
    }
    if (msg.wParam == VK_TAB && msg.message == WM_KEYDOWN && !Held(VK_CONTROL) && !Held(VK_MENU)) {
        HWND focus = GetFocus();
        if (!IsChild(hwnd, focus)) focus = nullptr;
        if (HWND next = GetNextDlgTabItem(hwnd, focus, Held(VK_SHIFT))) (void)SetFocus(next);
        return true;
    }
    return false;
}

// A press on the window or on a label moves the window as if its title bar
// had been grabbed; a label never sees the press.
static bool OnPress(FormWindow& window, const MSG& msg) {
    if (!window.Look().dragAnywhere) return false;
    const HWND hwnd = window.Handle();
    Control* control = msg.hwnd == hwnd ? nullptr : ControlOf(msg.hwnd);
    if (msg.hwnd != hwnd && !(control && control->DragsWindow())) return false;
    const DWORD at = GetMessagePos();
    (void)PostMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(at));
    return msg.hwnd != hwnd;
}

// Offered every message before it is dispatched: true when a window took it.
static bool PreTranslate(MSG& msg) {
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (!key && msg.message != WM_LBUTTONDOWN) return false;
    FormWindow* window = FormWindowOf(msg.hwnd);
    if (!window) return false;
    return key ? OnKey(*window, msg) : OnPress(*window, msg);
}

static void DispatchOne(MSG& msg) {
    if (PreTranslate(msg)) return;
    (void)TranslateMessage(&msg);
    (void)DispatchMessageA(&msg);
}

void RunMessageLoop() {
    State().loopStarted = true;
    if (!AnyWindowLive()) return;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchOne(msg);
    State().quitCode = msg.message == WM_QUIT ? msg.wParam : 0;
}

void ProcessEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        if (msg.message == WM_QUIT) {  // came in between: it stays queued
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

}  // namespace ui
