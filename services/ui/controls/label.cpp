#include "services/ui/controls/label.h"
#include "services/ui/gradient.h"
#include "services/ui/state.h"

namespace ui {

static const char kLabelClass[] = "TolvaneLabel";

HWND Label::Create(HWND parent) {
    WNDCLASSA wc{};
    if (!GetClassInfoA(Instance(), kLabelClass, &wc)) {
        wc.style = CS_HREDRAW | CS_VREDRAW;  // a change of width repaints the whole label
        wc.lpfnWndProc = &Label::Proc;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kLabelClass;
        if (!RegisterClassA(&wc)) return nullptr;
    }
    const ControlTemplate& f = Form();
    hwnd_ = CreateWindowExA(0, kLabelClass, f.label.caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS, f.left, f.top,
                            f.width, f.height, parent, nullptr, Instance(), nullptr);
    if (!hwnd_) return nullptr;
    AttachControl(hwnd_, this);
    return hwnd_;
}

void Label::SetCaption(HWND label, const std::string& caption) {
    (void)SetWindowTextA(label, caption.c_str());
    (void)InvalidateRect(label, nullptr, FALSE);
}

std::string Label::Caption(HWND label) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(label)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(label, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT CALLBACK Label::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* label = static_cast<Label*>(ControlOf(hwnd));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // painting covers the whole client area
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        (void)GetClientRect(hwnd, &client);
        if (label) label->Paint(dc, client);
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Label::Paint(HDC dc, const RECT& client) {
    const LabelLook& look = Form().label;
    (void)IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    if (look.picture.resource && !pictureTried_) {
        pictureTried_ = true;  // a picture that cannot be decoded is not tried again
        picture_ = DecodePng(PngResource(look.picture.resource));
    }
    const int saved = SaveDC(dc);
    if (picture_) {
        DrawPixels(dc, 0, 0, *picture_);
        (void)ExcludeClipRect(dc, 0, 0, picture_->width, picture_->height);
    } else if (look.gradient.size() >= 2) {
        PaintGradient(dc, client);
        (void)ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    }
    UniqueGdi<HBRUSH> fill(CreateSolidBrush(look.fillIsButtonFace ? GetSysColor(COLOR_BTNFACE) : look.fill));
    (void)FillRect(dc, &client, fill.get());
    (void)RestoreDC(dc, saved);

    const std::string caption = Caption(hwnd_);
    if (caption.empty()) return;
    RECT box = client;
    (void)SetBkMode(dc, TRANSPARENT);
    (void)SetTextColor(dc, look.text);
    HGDIOBJ oldFont = SelectObject(dc, font_.Get());
    (void)DrawTextA(dc, caption.c_str(), -1, &box, DT_LEFT | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
    (void)SelectObject(dc, oldFont);
}

void Label::PaintGradient(HDC dc, const RECT& client) {
    const int width = client.right - client.left;
    for (int x = 0; x < width; ++x) {
        UniqueGdi<HBRUSH> brush(CreateSolidBrush(GradientColumn(Form().label.gradient, width, x)));
        RECT column{x, client.top, x + 1, client.bottom};
        (void)FillRect(dc, &column, brush.get());
    }
}

}  // namespace ui
