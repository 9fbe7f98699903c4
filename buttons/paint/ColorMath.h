#pragma once
// Colour arithmetic of the button: turning a stored colour value into RGB,
// lightening and darkening, the colours each style derives from its back
// colour, and the colour list of a gradient. Plain integer and floating-point
// code; colours are 0x00BBGGRR.
#include "host/SystemColors.h"

#include <cstdint>
#include <vector>

using Rgb = std::uint32_t;

// Nearest integer, a tie going to the even one.
int RoundEven(double x);

// A value with the top bit set names system colour (value & 255); any other
// value is already RGB.
Rgb TranslateColor(std::uint32_t colour, const SystemColors& system);

// Moves each channel by delta. Green and blue are first scaled up slightly
// (by 256/255) and clamp afterwards, so ShiftColor(c, 0) is not always c.
// Blue-weighted moves blue in proportion to its own size instead: a colour
// without blue keeps none.
Rgb ShiftColor(Rgb colour, int delta, bool blueWeighted = false);

struct DerivedColors {
    Rgb cFace = 0;       // face at rest
    Rgb cShadow = 0;     // face while pressed, shadow tone of some styles
    Rgb cHoverFace = 0;  // face under the pointer
    Rgb cLight = 0;      // face of a check box or option button that is on
};

// The four face colours of a style from the translated back and hover colours.
DerivedColors DeriveColors(int buttonStyle, Rgb back, Rgb hoverBack);

// Fills every entry of list, from first (exactly) to last, in even steps.
// The running channels are kept as fractions and clamped to 0..255.
void GradientColors(std::vector<Rgb>& list, Rgb first, Rgb last);

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kGrey = 0x808080;
constexpr Rgb kBlack = 0;
constexpr Rgb MakeRgb(int r, int g, int b) { return Rgb(r) | (Rgb(g) << 8) | (Rgb(b) << 16); }
constexpr int RedOf(Rgb c) { return int(c & 255); }
constexpr int GreenOf(Rgb c) { return int((c >> 8) & 255); }
constexpr int BlueOf(Rgb c) { return int((c >> 16) & 255); }
