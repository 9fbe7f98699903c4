#pragma once
// The five looks the colorizer gives to the parts of HTML source, and the
// colour values it uses (0x00BBGGRR, or 0x80000000 + n for system colour n).
#include <cstdint>

namespace colour {
constexpr uint32_t WindowBackground = 0x80000005;
constexpr uint32_t WindowText = 0x80000008;
}  // namespace colour

struct CharStyle {
    bool bold = false;
    bool italic = false;
    uint32_t color = colour::WindowText;
    bool operator==(const CharStyle&) const = default;
};

// Which of the five looks a character carries; None is the plain default.
enum class StyleSlot : uint8_t { None = 0, Tag, AttributeName, AttributeValue, Comment, Entity };
constexpr int StyleSlotCount = 6;

const char* slotName(StyleSlot slot);

struct StyleSet {
    CharStyle tag{true, false, 0xFF0000};
    CharStyle attributeName{false, false, 0x800000};
    CharStyle attributeValue{false, false, 0x000080};
    CharStyle comment{false, true, 0x008000};
    CharStyle entity{false, false, 0x404040};

    const CharStyle& operator[](StyleSlot slot) const;
    CharStyle& operator[](StyleSlot slot);
};
