#include "SystemColours.h"

QColor colourFromValue(uint32_t value, const QPalette& palette) {
    if (!(value & 0x80000000u))
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    switch (value & 0xFF) {
    case 0: return palette.color(QPalette::Mid);                // scroll bar
    case 1: case 3: case 4: return palette.color(QPalette::Window);
    case 2: case 13: return palette.color(QPalette::Highlight);
    case 5: return palette.color(QPalette::Base);               // window background
    case 6: case 16: return palette.color(QPalette::Dark);      // frame, button shadow
    case 7: case 8: case 9: case 19: return palette.color(QPalette::Text);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);            // button face
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);             // button highlight
    case 21: return palette.color(QPalette::Shadow);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Text);
    }
}

uint32_t valueFromColour(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}
