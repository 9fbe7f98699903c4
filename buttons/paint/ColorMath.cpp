#include "ColorMath.h"

#include <cmath>

int RoundEven(double x) { return int(std::nearbyint(x)); }

Rgb TranslateColor(std::uint32_t colour, const SystemColors& system) {
    if (colour & 0x80000000u) return system.color(int(colour & 255));
    return colour;
}

Rgb ShiftColor(Rgb colour, int, bool) { return colour; }
DerivedColors DeriveColors(int, Rgb back, Rgb hover) { return {back, back, hover, back}; }
void GradientColors(std::vector<Rgb>&, Rgb, Rgb) {}
