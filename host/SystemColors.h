#pragma once
// Where the platform's numbered colours come from (window background, button
// face, button text, ...), and colour values as Qt colours.
#include "host/Colour.h"

#include <QColor>

class SystemColors {
public:
    using Table = SystemColourTable;

    explicit SystemColors(const Table& table) : table_(table) {}

    // What TranslateColor looks system colours up in.
    const Table& table() const { return table_; }

    // A fixed table of the classic desktop colours: what tests use.
    static const SystemColors& classic();
    // Colours from the application's palette where it has a matching role,
    // from the classic table otherwise. Read once, when first asked for
    // (the classic table while no application runs).
    static const SystemColors& application();

    // A colour value as a QColor, system colours taken from this table.
    QColor toQColor(ColourValue value) const;

private:
    Table table_;
};
