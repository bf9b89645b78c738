#include "services/ui/gradient.h"

namespace ui {

static int Blend(int from, int to, double t) {
    // Only the product is truncated: 255 + trunc(-127.08) is 128.
    return from + static_cast<int>(t * (to - from));
}

COLORREF GradientColumn(const std::vector<COLORREF>& colours, int width, int x) {
    const int n = static_cast<int>(colours.size());
    const int segment = width / (n - 1);
    if (segment == 0) return colours[0];
    const int i = x / segment;
    if (i > n - 2) return colours[n - 1];
    double t = static_cast<double>(x % segment) / segment;
    if (t > 1) t = 1;
    const COLORREF a = colours[i], b = colours[i + 1];
    return RGB(Blend(GetRValue(a), GetRValue(b), t), Blend(GetGValue(a), GetGValue(b), t),
               Blend(GetBValue(a), GetBValue(b), t));
}

}  // namespace ui
