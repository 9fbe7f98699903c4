#pragma once
// Colour arithmetic of the button: lightening and darkening, the colours
// each style derives from its back colour, and the colour list of a
// gradient. Plain integer and floating-point code on RGB (host/Colour.h).
#include "host/Colour.h"

#include <vector>

// Nearest integer, a tie going to the even one.
int RoundEven(double x);

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
