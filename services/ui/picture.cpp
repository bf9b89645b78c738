#include "services/ui/picture.h"
#include <png.h>

namespace ui {

std::optional<Pixels> DecodePng(std::string_view png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png.empty() || !png_image_begin_read_from_memory(&image, png.data(), png.size())) return std::nullopt;
    image.format = PNG_FORMAT_BGRA;
    // Without a colour chunk, 16-bit data are sRGB like 8-bit ones, not linear:
    // the close picture's red must come out as it was drawn.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    Pixels pixels;
    pixels.width = static_cast<int>(image.width);
    pixels.height = static_cast<int>(image.height);
    pixels.bgra.resize(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.bgra.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return pixels;
}

std::string_view PngResource(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const char*>(data), SizeofResource(module, found)};
}

void DrawPixels(HDC dc, int x, int y, const Pixels& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    (void)SetDIBitsToDevice(dc, x, y, pixels.width, pixels.height, 0, 0, 0, pixels.height, pixels.bgra.data(),
                            &info, DIB_RGB_COLORS);
}

}  // namespace ui
