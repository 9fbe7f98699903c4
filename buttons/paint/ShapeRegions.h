#pragma once
// Outlines of the button shapes as regions: ellipses with symmetric rows,
// rectangles with the corner cuts of each style, slanted shapes, and the
// width a slanted button needs.
#include <QRegion>

// The ellipse inscribed in left..right-1, top..bottom-1: a pixel belongs to
// it when its centre lies inside. Rows mirror exactly top to bottom and
// left to right; every row keeps at least its middle pixel(s).
QRegion EllipseRegion(int left, int top, int right, int bottom);

// outline with the corner cuts of buttonStyle for a client of w x h
// (enabled matters for style 3): single corner pixels, or triangles with legs
// of 2 at the top and 3 at the bottom (3 pixels each, the rounding pixels
// of styles 2 and 7 just inside them). trimLeft / trimRight say which
// sides are straight and get cut.
QRegion TrimCorners(QRegion outline, int w, int h, int buttonStyle, bool enabled, bool trimLeft,
                    bool trimRight);

// The slant of a shape h pixels high: the diagonal covers the full height.
int SlantWidth(int h);
// The width a slanted button of width w and height h takes: widened in
// steps of 5 until the face beside the slant is more than 4 pixels wide.
int SlantedWidth(int w, int h);

// The outline of shape 1 (bottom-left cut away), 2 (top-right cut away) or
// 3 (both) for a client of w x h, with nShapeLeft / nShapeRight.
struct SlantedOutline {
    QRegion region;
    int shapeLeft = 0;
    int shapeRight = 0;
};
SlantedOutline SlantedRegion(int shape, int w, int h);
