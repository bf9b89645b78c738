#include "services/ui/controls/font.h"

namespace ui {

ControlFont::ControlFont(const FontSpec& wanted) {
    if (wanted.stock) return;
    LOGFONTA font{};
    font.lfHeight = wanted.height;
    font.lfWeight = wanted.weight;
    // The face is left to the font mapper; these five fields are always replaced.
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    owned_.reset(CreateFontIndirectA(&font));
}

}  // namespace ui
