#pragma once
#include "services/ui/controls/control.h"
#include "services/ui/controls/font.h"
#include "services/ui/picture.h"

namespace ui {

// A label: a picture, a gradient or a plain fill, and a one-line caption.
class Label : public Control {
public:
    using Control::Control;
    HWND Create(HWND parent) override;
    bool DragsWindow() const override { return true; }

    // The caption lives in the label's window text, so that these work from
    // any thread on the label's handle alone.
    static void SetCaption(HWND label, const std::string& caption);
    static std::string Caption(HWND label);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc, const RECT& client);
    void PaintGradient(HDC dc, const RECT& client);

    ControlFont font_{Form().label.font};
    std::optional<Pixels> picture_;
    bool pictureTried_ = false;
};

}  // namespace ui
