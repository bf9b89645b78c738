#pragma once
// A super button's picture, prepared once: flattened onto white, with a mask
// of the pixels that have the key colour (the top-left pixel's).
#include "services/shell/handle.h"
#include "services/ui/picture.h"

namespace ui {

// Flattens straight-alpha pixels onto white, in place.
void FlattenOntoWhite(Pixels& pixels);
// One flag per pixel: true where the pixel has the key colour.
std::vector<bool> KeyMask(const Pixels& flattened);

class ButtonPicture {
public:
    // Nothing is drawn when the picture cannot be decoded.
    explicit ButtonPicture(std::string_view png);
    bool Empty() const { return !colour_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Draws the pixels that the mask leaves, opaque, at (x, y).
    void Draw(HDC dc, int x, int y) const;

private:
    int width_ = 0, height_ = 0;
    UniqueGdi<HBITMAP> colour_;
    UniqueGdi<HBITMAP> mask_;
};

}  // namespace ui
