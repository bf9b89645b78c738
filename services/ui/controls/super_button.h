#pragma once
#include "services/ui/controls/button_picture.h"
#include "services/ui/controls/control.h"
#include "services/ui/controls/font.h"

namespace ui {

// A flat owner-drawn push button with face and text colours per state, an
// optional picture and a tooltip.
class SuperButton : public Control {
public:
    using Control::Control;
    HWND Create(HWND parent) override;
    void OnCommand(WORD code) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void AttachTooltip();
    void SetHot(bool hot);
    void OnMouseMove(WPARAM keys);

    ControlFont font_{Form().button.font};
    ButtonPicture picture_{Form().button.picture.resource ? PngResource(Form().button.picture.resource)
                                                          : std::string_view{}};
    std::string tooltipText_;
    HWND tooltip_ = nullptr;  // owned by the window, destroyed with it
    bool hot_ = false;
};

}  // namespace ui
