#pragma once
// A contact sheet of the button: one row per style and shape, one column per
// state, each cell a button rendered by the real drawing code.
#include <QImage>
#include <QString>
#include <vector>

enum class ButtonState { Normal, Hot, Pressed, Disabled, Default, On };

struct SheetRow {
    int style;
    int shape;
};
struct SheetColumn {
    ButtonState state;
    bool gradient;
};

struct SheetLayout {
    std::vector<SheetRow> rows;
    std::vector<SheetColumn> columns;
};

// Every style with every shape, every state with and without a gradient.
SheetLayout FullSheet();
// A small sheet for the documentation: the styles on a rectangle, then one
// row per other shape.
SheetLayout CompactSheet();

QImage RenderSheet(const SheetLayout& layout);
// One button as the screen shows it, outside its outline in the sheet's
// background colour.
QImage RenderButton(int style, int shape, ButtonState state, bool gradient);
