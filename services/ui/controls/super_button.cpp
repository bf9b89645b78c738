#include "services/ui/controls/super_button.h"
#include "services/ui/state.h"
#include <commctrl.h>

namespace ui {

// The BUTTON class's own procedure, which the subclass hands everything on to.
static WNDPROC ButtonClassProc() {
    static WNDPROC proc = [] {
        WNDCLASSA wc{};
        (void)GetClassInfoA(nullptr, "BUTTON", &wc);
        return wc.lpfnWndProc;
    }();
    return proc;
}

HWND SuperButton::Create(HWND parent) {
    const ControlTemplate& f = Form();
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW | (f.tabStop ? WS_TABSTOP : 0);
    hwnd_ = CreateWindowExA(0, "BUTTON", f.button.text.c_str(), style, f.left, f.top, f.width, f.height, parent,
                            nullptr, Instance(), nullptr);
    if (!hwnd_) return nullptr;
    AttachControl(hwnd_, this);
    (void)SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    (void)ButtonClassProc();
    (void)SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SuperButton::Proc));
    if (!f.button.tooltip.empty()) AttachTooltip();
    return hwnd_;
}

void SuperButton::AttachTooltip() {
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               Instance(), nullptr);
    if (!tooltip_) return;
    tooltipText_ = Form().button.tooltip;
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd_;
    tool.uId = 1;
    (void)GetClientRect(hwnd_, &tool.rect);
    tool.hinst = Instance();
    tool.lpszText = tooltipText_.data();
    (void)SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    (void)SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    (void)SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

void SuperButton::SetHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    (void)InvalidateRect(hwnd_, nullptr, FALSE);
}

void SuperButton::OnMouseMove(WPARAM keys) {
    POINT pointer;
    (void)GetCursorPos(&pointer);
    if (WindowFromPoint(pointer) != hwnd_ || !GetActiveWindow()) {
        SetHot(false);
        return;
    }
    // A move with the left button held does not make a button hot.
    if (hot_ || (keys & MK_LBUTTON)) return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
    (void)TrackMouseEvent(&track);
    SetHot(true);
}

LRESULT CALLBACK SuperButton::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* button = static_cast<SuperButton*>(ControlOf(hwnd));
    if (button) {
        if (button->tooltip_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
            MSG relayed{hwnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
            const DWORD position = GetMessagePos();
            relayed.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
            (void)SendMessageA(button->tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
        switch (message) {
        case WM_MOUSEMOVE: button->OnMouseMove(wParam); break;
        case WM_MOUSELEAVE:
        case WM_KILLFOCUS:
        case WM_CANCELMODE: button->SetHot(false); break;
        }
    }
    // The click can end in the window's destruction: nothing of the button is
    // touched after this call.
    return CallWindowProcA(ButtonClassProc(), hwnd, message, wParam, lParam);
}

void SuperButton::OnCommand(WORD code) {
    if (code == BN_CLICKED) (void)Raise(kClick);
}

void SuperButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const ButtonLook& look = Form().button;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const COLORREF face = pressed || hot_ ? look.faceHot : focused ? look.faceFocused : look.faceNormal;
    const COLORREF text = pressed || hot_ ? look.textHot : focused ? look.textFocused : look.textNormal;
    const RECT& box = item.rcItem;
    const int offset = pressed ? 1 : 0;

    UniqueGdi<HBRUSH> brush(CreateSolidBrush(face));
    (void)FillRect(item.hDC, &box, brush.get());

    if (look.text.empty()) {
        const int x = (box.right - box.left - picture_.Width()) / 2 + offset;
        const int y = (box.bottom - box.top - picture_.Height()) / 2 + offset;
        picture_.Draw(item.hDC, box.left + x, box.top + y);
        return;
    }
    RECT area = box;
    (void)OffsetRect(&area, offset, offset);
    HGDIOBJ oldFont = SelectObject(item.hDC, font_.Get());
    RECT measured = area;
    (void)DrawTextA(item.hDC, look.text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    const int dx = ((area.right - area.left) - (measured.right - measured.left)) / 2;
    const int dy = ((area.bottom - area.top) - (measured.bottom - measured.top)) / 2;
    RECT block{area.left + dx, area.top + dy, area.left + dx + (measured.right - measured.left),
               area.top + dy + (measured.bottom - measured.top)};
    (void)SetBkMode(item.hDC, TRANSPARENT);
    (void)SetTextColor(item.hDC, text);
    (void)DrawTextA(item.hDC, look.text.c_str(), -1, &block, DT_CENTER | DT_WORDBREAK);
    (void)SelectObject(item.hDC, oldFont);
}

}  // namespace ui
