#pragma once
// Colour values (0x00BBGGRR, or 0x80000000 + n for system colour n) turned
// into colours of a widget's palette.
#include <QColor>
#include <QPalette>

#include <cstdint>

QColor colourFromValue(uint32_t value, const QPalette& palette);
uint32_t valueFromColour(const QColor& colour);
