#pragma once
// The state of one button as plain data: the stored property values, the
// internal fields the layout, painters and interaction share, and a copy of
// the values the host keeps (fore colour, font, enabled state, design mode,
// surface size) so that the drawing code needs nothing but this record.
//
// Fields keep the names the rest of the button code uses for them; new
// fields may be added, existing ones are never renamed.
#include "host/Colour.h"
#include "host/Picture.h"

#include <QFont>
#include <QString>

#include <cstdint>

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Bits of ButtonModel::nFlags.
enum ButtonFlag : std::uint16_t {
    FlagDefaultLook = 0x1,  // draw as the default button
    FlagPressed = 0x2,
    FlagHover = 0x4,        // pointer over the button
    FlagCustomOffset = 0x400,  // face moved by the custom click effect
};

struct ButtonModel {
    // Stored property values.
    QString Caption;
    std::int32_t CaptionAlign = 0;   // 0 left, 1 right, 2 centre
    std::int32_t CaptionStyle = 0;   // 0 flat, 1 and 2 relief
    std::int32_t ButtonStyle = 0;    // 0..7
    std::int32_t ButtonShape = 0;    // 0..8
    bool ShowFocusRect = false;
    ColourValue HoverBackColor = 0;
    ColourValue HoverForeColor = 0;
    std::int32_t HoverColorLocks = 0;
    std::int32_t GradientMode = 0;   // 0 none, 1..4 directions
    ColourValue GradientColor = 0;
    std::int32_t Mode = 0;           // 0 command, 1 check box, 2 option
    bool Value = false;
    std::int32_t CustomClick = 0;    // 0..8
    ::Picture Picture;               // none when isNull()
    std::int32_t PictureAlign = 0;   // 0..5
    ColourValue BackColor = 0;

    // Internal fields.
    std::uint16_t nFlags = 0;
    std::int32_t nShapeLeft = 0;
    std::int32_t nShapeRight = 0;
    Rect rcCaption;
    Rect rcPicture;
    std::int16_t nPicSize = 0;       // 16, 24, 32, 40, 48; 0 = not yet set
    std::int32_t nPicWidth = 0;
    std::int32_t nPicHeight = 0;
    std::int32_t nPicType = 0;       // 0 bitmap or JPEG, 1 icon or cursor
    bool bDelayDrawing = false;
    std::int16_t nLastButton = 0;    // 1 left; -1 after a double-click press
    bool bHoverTracking = false;
    bool bHeld = false;
    Rgb cParentBack = 0;             // container back colour, translated

    // Values the host keeps, mirrored here for the drawing code.
    ColourValue ForeColor = kButtonTextColor;
    bool Enabled = true;
    QFont Font;
    bool UserMode = true;
    int ScaleWidth = 0;
    int ScaleHeight = 0;

    // Picture box edge, with 0 read as 16.
    int picSize() const { return nPicSize == 0 ? 16 : nPicSize; }
    bool hasPicture() const { return nPicWidth + nPicHeight >= 1; }
    bool isCustomShape() const { return ButtonShape >= 7; }
};
