#pragma once
// The colour of each column of a gradient fill across a given width.
#include <windows.h>
#include <vector>

namespace ui {

COLORREF GradientColumn(const std::vector<COLORREF>& colours, int width, int x);

}  // namespace ui
