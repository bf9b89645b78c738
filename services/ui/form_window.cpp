#include "services/ui/form_window.h"
#include "services/ui/state.h"

namespace ui {

static const char kFormClass[] = "TolvaneForm";

FormWindow* FormWindow::Of(HWND hwnd) { return reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

bool FormWindow::Create() {
    WNDCLASSA wc{};
    if (!GetClassInfoA(Instance(), kFormClass, &wc)) {
        wc.lpfnWndProc = &FormWindow::Proc;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kFormClass;
        if (!RegisterClassA(&wc)) return false;
    }
    const ControlTemplate& form = record_.form->controls[0];
    position_ = form.window.position < 0 ? 0 : form.window.position > 3 ? 3 : form.window.position;
    background_.reset(CreateSolidBrush(form.window.background));
    int x = form.left, y = form.top;
    if (position_ == 1) {
        // Integer division truncates toward zero: -8, not -9, on a 600-wide screen.
        x = (GetSystemMetrics(SM_CXSCREEN) - form.width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - form.height) / 2;
    }
    // Borderless: no caption, frame or system menu; minimisable from the program.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
    hwnd_ = CreateWindowExA(0, kFormClass, "", style, x, y, form.width, form.height, nullptr, nullptr, Instance(), this);
    if (!hwnd_) return false;
    RECT outer;
    (void)GetWindowRect(hwnd_, &outer);
    if (outer.right - outer.left != form.width || outer.bottom - outer.top != form.height)
        (void)SetWindowPos(hwnd_, nullptr, x, y, form.width, form.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (form.window.icon) {
        bigIcon_.reset(static_cast<HICON>(LoadImageA(Instance(), form.window.icon, IMAGE_ICON, 32, 32, 0)));
        smallIcon_.reset(static_cast<HICON>(LoadImageA(Instance(), form.window.icon, IMAGE_ICON, 16, 16, 0)));
        (void)SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        (void)SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }
    record_.controls[0].live = hwnd_;

    controls_.resize(record_.controls.size());
    for (size_t i = 1; i < record_.controls.size(); ++i) {
        const ControlTemplate& control = *record_.controls[i].form;
        controls_[i] = MakeControl({index_, static_cast<int>(i)}, control);
        if (!controls_[i]->Create(hwnd_)) FatalStop("无法创建组件 " + control.name);
        record_.controls[i].live = controls_[i]->Handle();
    }
    StackControls();
    return true;
}

// Controls overlap: the form lists them topmost first.
void FormWindow::StackControls() {
    HWND above = HWND_TOP;
    for (size_t i = 1; i < controls_.size(); ++i) {
        HWND hwnd = controls_[i]->Handle();
        (void)SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = hwnd;
    }
}

void FormWindow::SetPosition(int position) {
    position_ = position < 0 ? 0 : position > 3 ? 3 : position;
    if (!IsWindowVisible(hwnd_)) return;  // kept for when Load window shows it
    switch (position_) {
    case 0: (void)ShowWindow(hwnd_, SW_SHOWNORMAL); break;
    case 1: Centre(); break;
    case 2: (void)ShowWindow(hwnd_, SW_MINIMIZE); break;
    case 3: Maximise(); break;
    }
}

void FormWindow::ShowByPosition() {
    switch (position_) {
    case 3: Maximise(); break;
    case 2: (void)ShowWindow(hwnd_, SW_SHOWMINIMIZED); break;
    default: (void)ShowWindow(hwnd_, SW_SHOW); break;
    }
}

void FormWindow::Centre() {
    if (IsIconic(hwnd_) || IsZoomed(hwnd_)) (void)ShowWindow(hwnd_, SW_RESTORE);
    RECT r;
    (void)GetWindowRect(hwnd_, &r);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    if (x != r.left || y != r.top)
        (void)SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::Maximise() {
    if (IsIconic(hwnd_) || IsZoomed(hwnd_)) (void)ShowWindow(hwnd_, SW_RESTORE);
    (void)ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
    RECT area{};
    HMODULE user = GetModuleHandleA("User32.dll");
    using FromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
    using Info = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    auto fromWindow = reinterpret_cast<FromWindow>(reinterpret_cast<void*>(GetProcAddress(user, "MonitorFromWindow")));
    auto info = reinterpret_cast<Info>(reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA")));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (fromWindow && info && info(fromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor))
        area = monitor.rcWork;
    else
        (void)SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    (void)SetWindowPos(hwnd_, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOZORDER);
    (void)ShowWindow(hwnd_, SW_SHOW);
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        (void)SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    FormWindow* window = Of(hwnd);
    return window ? window->Handle(message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

// Handlers can destroy the window: after a reflected notification or a close
// query nothing of this object is touched.
LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        (void)GetClientRect(hwnd_, &client);
        (void)FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
        return 1;
    }
    case WM_COMMAND:
        if (Control* control = lParam ? ControlOf(reinterpret_cast<HWND>(lParam)) : nullptr)
            control->OnCommand(HIWORD(wParam));
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Control* control = ControlOf(item.hwndItem)) control->OnDrawItem(item);
        return TRUE;
    }
    case kCloseMessage: OnCloseMessage(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY:
        for (auto& control : controls_)
            if (control) DetachControl(control->Handle());
        break;
    case WM_NCDESTROY: OnNcDestroy(); return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void FormWindow::OnCloseMessage() {
    if (!record_.destroyPending.exchange(false)) return;  // a second close message does nothing
    (void)DestroyWindow(hwnd_);
}

void FormWindow::OnClose() {
    const HWND hwnd = hwnd_;
    for (int query : {kQueryClose, kQueryUnload}) {
        const RaiseResult answer = RaiseEvent({index_, 0}, query);
        if (!IsWindow(hwnd)) return;
        if (answer.handlerRan && answer.value == 0) return;
    }
    (void)DestroyWindow(hwnd);
}

void FormWindow::OnNcDestroy() {
    (void)SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    RestoreLoadTimeCopy(record_);
    if (!AnyWindowLive() && State().loopStarted) PostQuitMessage(0);
    // The window's object ends with its window.
    std::unique_ptr<FormWindow> self(this);
}

}  // namespace ui
