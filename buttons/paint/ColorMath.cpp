#include "buttons/paint/ColorMath.h"

#include <algorithm>
#include <cmath>

int RoundEven(double x) { return int(std::nearbyint(x)); }

namespace {
int clampChannel(int v) { return std::clamp(v, 0, 255); }

// Green and blue as the arithmetic sees them: the byte scaled by 256/255
// (the masks are divided by 255 and 65280, not by 256 and 65536).
double greenScaled(Rgb c) { return double(c & 0xFF00u) / 255.0; }
double blueScaled(Rgb c) { return double(c & 0xFF0000u) / 65280.0; }
}  // namespace

Rgb ShiftColor(Rgb colour, int delta, bool blueWeighted) {
    int red = RedOf(colour) + delta;
    int green = RoundEven(greenScaled(colour) + delta);
    int blue;
    if (blueWeighted) {
        int b = RoundEven(blueScaled(colour));
        blue = b + (delta * b) / 192;  // truncates toward zero
    } else {
        blue = RoundEven(blueScaled(colour) + delta);
    }
    return MakeRgb(clampChannel(red), clampChannel(green), clampChannel(blue));
}

DerivedColors DeriveColors(int buttonStyle, Rgb back, Rgb hoverBack) {
    DerivedColors d{back, back, hoverBack, 0};
    switch (buttonStyle) {
    case 7:
        d.cFace = ShiftColor(d.cFace, 31);
        d.cShadow = ShiftColor(kGrey, -16);
        d.cHoverFace = ShiftColor(d.cHoverFace, 31);
        d.cLight = ShiftColor(kGrey, 16, true);
        break;
    case 2:
        d.cFace = ShiftColor(d.cFace, 48, true);
        d.cShadow = ShiftColor(d.cFace, -32, true);
        d.cHoverFace = ShiftColor(d.cHoverFace, 48, true);
        d.cLight = ShiftColor(kWhite, -32, true);
        break;
    case 3:
        d.cShadow = ShiftColor(kGrey, 12);
        d.cLight = ShiftColor(d.cShadow, 31);
        break;
    default:
        d.cLight = ShiftColor(kWhite, -32);
        break;
    }
    return d;
}

void GradientColors(std::vector<Rgb>& list, Rgb first, Rgb last) {
    if (list.empty()) return;
    list[0] = first;
    const std::size_t n = list.size() - 1;
    if (n == 0) return;  // one band: nothing to step towards

    double r = double(RedOf(first));
    double g = greenScaled(first);
    double b = blueScaled(first);
    const int r2 = RedOf(last);
    const int g2 = RoundEven(greenScaled(last));
    const int b2 = RoundEven(blueScaled(last));
    const double dr = (r2 - r) / double(n);
    const double dg = (g2 - g) / double(n);
    const double db = (b2 - b) / double(n);

    for (std::size_t k = 1; k <= n; ++k) {
        r = std::clamp(r + dr, 0.0, 255.0);
        g = std::clamp(g + dg, 0.0, 255.0);
        b = std::clamp(b + db, 0.0, 255.0);
        list[k] = MakeRgb(int(std::floor(r)), int(std::floor(g)), int(std::floor(b)));
    }
}
