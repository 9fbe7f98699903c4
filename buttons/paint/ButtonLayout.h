#pragma once
// Where the caption and the picture of a button go. Plain arithmetic on the
// model; the one platform service it needs, measuring wrapped text, comes in
// as a function so that the rectangles can be checked with a fixed measure.
#include "buttons/paint/ButtonModel.h"

#include <QSize>
#include <QString>
#include <functional>

// Size of the text block when text is wrapped at width (height is the room
// offered). Line breaks are CR LF.
using MeasureText = std::function<QSize(const QString& text, int width, int height)>;

struct ButtonLayout {
    Rect caption;
    Rect picture;
    // True when the prepared picture copy must be rebuilt at picture's size.
    bool refreshPicture = false;
};

// The caption with every "||" turned into a line break (CR LF).
QString CaptionText(const QString& caption);

ButtonLayout CalculateLayout(const ButtonModel& model, bool refreshPicture,
                             const MeasureText& measure);

// The largest size with the picture's aspect ratio inside width x height.
// A picture without width or height fits as the whole box.
QSize FitPictureSize(int picWidth, int picHeight, double width, double height);
