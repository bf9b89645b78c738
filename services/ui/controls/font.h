#pragma once
#include "services/ui/form.h"
#include "services/shell/handle.h"

namespace ui {

// A control's font: owned when made from the form's LOGFONT, borrowed when it
// is the stock DEFAULT_GUI_FONT.
class ControlFont {
public:
    explicit ControlFont(const FontSpec& wanted);
    HFONT Get() const { return owned_ ? owned_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

private:
    UniqueGdi<HFONT> owned_;
};

}  // namespace ui
