#pragma once
// The one colour vocabulary of the program, from the property store to a
// pixel. Plain C++, header only: the colorizer engine uses it without Qt.
//
//   ColourValue  what a property and the store hold: 0x00BBGGRR for an
//                explicit colour, 0x80000000 + n for system colour n
//   Rgb          a colour ready to paint: 0x00BBGGRR, red in the low byte
//   ARGB         a pixel of a 32-bit image: 0xFFRRGGBB (ToArgb, FromArgb)
//
// A colour that may be absent (a ring side left undrawn) is
// std::optional<Rgb>.
#include <array>
#include <cstdint>

using ColourValue = std::uint32_t;
using Rgb = std::uint32_t;

// System colours used as defaults.
constexpr ColourValue kButtonFaceColor = 0x8000000F;
constexpr ColourValue kButtonTextColor = 0x80000012;

constexpr bool IsSystemColour(ColourValue value) { return (value & 0x80000000u) != 0; }
// The number a system colour value names (its low byte).
constexpr int SystemColourIndex(ColourValue value) { return int(value & 0xFFu); }

// The platform's numbered colours as RGB; index n is what 0x80000000 + n
// names. Where a table comes from: host/SystemColors.h.
constexpr int kSystemColourCount = 31;
using SystemColourTable = std::array<Rgb, kSystemColourCount>;

// The one translation from a stored colour value to RGB: a system colour is
// looked up in system (an unknown number gives black); any other value is
// already RGB and comes back unchanged.
constexpr Rgb TranslateColor(ColourValue value, const SystemColourTable& system) {
    if (!IsSystemColour(value)) return value;
    const int n = SystemColourIndex(value);
    return n < kSystemColourCount ? system[std::size_t(n)] : 0;
}

// Channels.
constexpr Rgb MakeRgb(int r, int g, int b) { return Rgb(r) | (Rgb(g) << 8) | (Rgb(b) << 16); }
constexpr int RedOf(Rgb c) { return int(c & 255); }
constexpr int GreenOf(Rgb c) { return int((c >> 8) & 255); }
constexpr int BlueOf(Rgb c) { return int((c >> 16) & 255); }

// RGB to an opaque image pixel and back.
constexpr std::uint32_t ToArgb(Rgb c) {
    return 0xFF000000u | (std::uint32_t(RedOf(c)) << 16) | (std::uint32_t(GreenOf(c)) << 8) |
           std::uint32_t(BlueOf(c));
}
constexpr Rgb FromArgb(std::uint32_t p) { return MakeRgb(int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)); }
