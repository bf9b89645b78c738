#include "services/ui/controls/button_picture.h"

namespace ui {

void FlattenOntoWhite(Pixels& pixels) {
    for (uint32_t& p : pixels.bgra) {
        const uint32_t a = p >> 24;
        if (a == 255) continue;
        const double w = a / 255.0;
        uint32_t out = p & 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const double c = w * ((p >> shift) & 0xFF) + (1 - w) * 255;
            const uint32_t v = c < 0 ? 0 : c > 255 ? 255 : static_cast<uint32_t>(c);
            out |= v << shift;
        }
        p = out;
    }
}

std::vector<bool> KeyMask(const Pixels& flattened) {
    std::vector<bool> mask(flattened.bgra.size());
    if (flattened.bgra.empty()) return mask;
    const uint32_t key = flattened.bgra[0] & 0x00FFFFFFu;
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = (flattened.bgra[i] & 0x00FFFFFFu) == key;
    return mask;
}

ButtonPicture::ButtonPicture(std::string_view png) {
    std::optional<Pixels> pixels = DecodePng(png);
    if (!pixels || pixels->bgra.empty()) return;
    FlattenOntoWhite(*pixels);
    const std::vector<bool> keyed = KeyMask(*pixels);
    width_ = pixels->width;
    height_ = pixels->height;

    // Monochrome rows are padded to whole 16-bit words; a set bit marks the key colour.
    const int stride = (width_ + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (keyed[static_cast<size_t>(y) * width_ + x]) bits[static_cast<size_t>(y) * stride + x / 8] |= 0x80 >> (x % 8);
    mask_.reset(CreateBitmap(width_, height_, 1, 1, bits.data()));

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* target = nullptr;
    colour_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &target, nullptr, 0));
    if (colour_) std::copy(pixels->bgra.begin(), pixels->bgra.end(), static_cast<uint32_t*>(target));
    if (!mask_) colour_.reset();
}

void ButtonPicture::Draw(HDC dc, int x, int y) const {
    if (Empty()) return;
    UniqueDc source(CreateCompatibleDC(dc));
    HGDIOBJ old = SelectObject(source.get(), colour_.get());
    // Mask bit set: keep what is there; clear: copy the picture's pixel.
    constexpr DWORD keep = 0x00AA0029;
    (void)MaskBlt(dc, x, y, width_, height_, source.get(), 0, 0, mask_.get(), 0, 0, MAKEROP4(keep, SRCCOPY));
    (void)SelectObject(source.get(), old);
}

}  // namespace ui
