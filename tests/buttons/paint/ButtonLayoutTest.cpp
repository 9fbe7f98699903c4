#include "buttons/paint/ButtonLayout.h"

#include <gtest/gtest.h>

// Beside Rect (global namespace), so failure messages print rectangles.
static std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

struct Case {
    const char* what;
    int w, h;
    int shape, shapeLeft, shapeRight;   // shapeRight -1: the width
    int picSize, picAlign, picW, picH;  // 0 x 0: no picture
    int capAlign, capStyle;
    QSize block;  // what the caption measures, whatever room it gets
    Rect caption, picture;
    bool refresh;
};

TEST(CalculateLayout, PlacesCaptionAndPictureAtTheWorkedRectangles) {
    // Without a picture the empty picture rectangle is limited too.
    const Rect none{4, 4, 0, 0}, noneBeside{28, 4, 0, 0};
    const QSize b(40, 13);
    const std::vector<Case> cases = {
        {"centred caption", 100, 30, 0, 0, -1, 0, 0, 0, 0, 2, 0, b, {30, 8, 70, 21}, none, false},
        {"left caption", 100, 30, 0, 0, -1, 0, 0, 0, 0, 0, 0, b, {4, 8, 44, 21}, none, false},
        // The relief widens and heightens the block by 2.
        {"relief", 100, 30, 0, 0, -1, 0, 0, 0, 0, 2, 1, b, {29, 7, 71, 22}, none, false},
        {"too big", 100, 30, 0, 0, -1, 0, 0, 0, 0, 2, 0, {200, 50}, {4, 4, 96, 25}, none, false},
        {"no caption", 100, 30, 0, 0, -1, 0, 0, 0, 0, 2, 0, {0, 0}, {4, 15, 0, 15}, none, false},
        {"picture left of the caption", 100, 30, 0, 0, -1, 16, 1, 16, 16, 2, 0, b, {40, 8, 80, 21}, {20, 7, 36, 23}, false},
        {"picture right of the caption", 100, 30, 0, 0, -1, 16, 3, 16, 16, 2, 0, b, {20, 8, 60, 21}, {64, 7, 80, 23}, false},
        // t = (60 - 29) / 2 = 15
        {"picture above", 100, 60, 0, 0, -1, 16, 4, 16, 16, 2, 0, b, {30, 33, 70, 46}, {42, 15, 58, 31}, false},
        // Size 40 fills the face, picture or not, and reserves no room.
        {"forty without picture", 100, 30, 0, 0, -1, 40, 0, 0, 0, 2, 0, b, {30, 8, 70, 21}, {3, 3, 97, 27}, true},
        {"forty on a round shape", 100, 30, 6, 0, -1, 40, 1, 16, 16, 2, 0, b, {30, 8, 70, 21}, {1, 1, 99, 29}, true},
        // min(88 / 64, 18 / 32) = 0.5625: 36 x 18
        {"forty-eight fitted", 100, 30, 0, 0, -1, 48, 0, 64, 32, 2, 0, b, {30, 8, 70, 21}, {32, 6, 68, 24}, true},
        // Face from 3 to nShapeRight - 3, the picture on the whole surface.
        {"custom shape", 80, 40, 7, 0, -1, 48, 0, 64, 32, 2, 0, b, {21, 13, 61, 26}, {0, 0, 80, 40}, false},
        // L = 31 - 10 + 3 = 24
        {"slant on the left", 100, 30, 1, 31, -1, 0, 0, 0, 0, 0, 0, b, {28, 8, 68, 21}, noneBeside, false},
        // L = 31 - 10 + 3 = 24, R = 69 + 31 / 3 = 79, W = 55: 24 + (55 - 40) / 2 = 31
        {"slants on both sides", 100, 30, 3, 31, 69, 0, 0, 0, 0, 2, 0, b, {31, 8, 71, 21}, noneBeside, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonModel m;
        m.ScaleWidth = c.w;
        m.ScaleHeight = c.h;
        m.ButtonShape = c.shape;
        m.nShapeLeft = c.shapeLeft;
        m.nShapeRight = c.shapeRight < 0 ? c.w : c.shapeRight;
        m.Caption = c.block.isEmpty() ? "" : "Caption";
        m.CaptionAlign = c.capAlign;
        m.CaptionStyle = c.capStyle;
        m.nPicSize = std::int16_t(c.picSize);
        m.PictureAlign = c.picAlign;
        m.nPicWidth = c.picW;
        m.nPicHeight = c.picH;
        const ButtonLayout l = CalculateLayout(m, false, [&](const QString&, int, int) { return c.block; });
        EXPECT_EQ(l.caption, c.caption);
        EXPECT_EQ(l.picture, c.picture);
        EXPECT_EQ(l.refreshPicture, c.refresh);
    }
}

TEST(CalculateLayout, MeasuresTheCaptionWithItsLineBreaksInTheRoomLeftByThePicture) {
    ButtonModel m;
    m.ScaleWidth = m.nShapeRight = 100;
    m.ScaleHeight = 30;
    m.nPicSize = 24;
    m.nPicWidth = m.nPicHeight = 24;
    m.Caption = "One||Two";
    QString seen;
    QSize room;
    CalculateLayout(m, false, [&](const QString& t, int w, int h) {
        seen = t;
        room = QSize(w, h);
        return QSize(40, 13);
    });
    EXPECT_EQ(seen, QString("One\r\nTwo"));
    EXPECT_EQ(room, QSize(100 - 8 - 24, 30 - 8));
}

}  // namespace
