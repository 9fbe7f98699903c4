#pragma once
// The one mapping between the program's 8-bit texts (one byte a character)
// and characters: Windows-1252. The bytes 0x80..0x9F stand for the code
// page's typographic characters (0x80 the euro sign, 0x93 a left double
// quote, ...); the five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) keep their own code points, so that every byte value
// survives the way into a widget and back out unchanged.
//
// The table and the single-character functions are plain C++ (the colorizer
// and the command line use them without Qt); the QString forms live in the
// host library.
#include <cstdint>
#include <string>
#include <string_view>

class QString;

namespace Windows1252 {

// Characters of the bytes 0x80..0x9F.
inline constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr char16_t toChar(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
}

// The byte of a character, or -1 when the code page has none for it.
constexpr int toByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return c;
    for (int k = 0; k < 32; ++k)
        if (kHigh[k] == c) return 0x80 + k;
    return -1;
}

// The byte of a character, '?' for characters without one.
constexpr char toByteOr(char16_t c, char replacement = '?') {
    const int b = toByte(c);
    return b < 0 ? replacement : static_cast<char>(b);
}

QString toQString(std::string_view bytes);
// '?' stands for every character without a byte.
std::string fromQString(const QString& text);

}  // namespace Windows1252
