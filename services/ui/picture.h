#pragma once
// Pictures of the form: PNG data decoded into 32-bit pixels.
#include <windows.h>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ui {

// Top-down rows of 32-bit pixels, blue, green, red, alpha (straight alpha).
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bgra;
};

std::optional<Pixels> DecodePng(std::string_view png);
// The PNG data of an RCDATA resource of the executable; empty when missing.
std::string_view PngResource(const char* name);
// Draws the pixels opaque, unscaled, with their top-left corner at (x, y).
void DrawPixels(HDC dc, int x, int y, const Pixels& pixels);

}  // namespace ui
