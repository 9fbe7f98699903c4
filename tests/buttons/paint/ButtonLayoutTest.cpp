#include "buttons/paint/ButtonLayout.h"

#include <gtest/gtest.h>

// Beside Rect (global namespace), so failure messages print rectangles.
static std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

// Every caption measures 40 x 13 pixels, whatever room it gets.
QSize fixedBlock(const QString&, int, int) { return QSize(40, 13); }

struct Case {
    const char* what;
    int w, h;
    int shape, shapeLeft, shapeRight;  // shapeRight -1: the width
    int picSize, picAlign, picW, picH;  // picW 0: no picture
    int capAlign;
    Rect caption, picture;
    bool refresh;
};

TEST(CalculateLayout, PlacesCaptionAndPictureAtTheWorkedRectangles) {
    const Rect any{-1, -1, -1, -1};
    const std::vector<Case> cases = {
        {"centred caption", 100, 30, 0, 0, -1, 0, 0, 0, 0, 2, {30, 8, 70, 21}, {4, 4, 0, 0}, false},
        {"left caption", 100, 30, 0, 0, -1, 0, 0, 0, 0, 0, {4, 8, 44, 21}, any, false},
        {"right caption", 100, 30, 0, 0, -1, 0, 0, 0, 0, 1, {56, 8, 96, 21}, any, false},
        {"picture left of the caption", 100, 30, 0, 0, -1, 16, 1, 16, 16, 2, {40, 8, 80, 21}, {20, 7, 36, 23}, false},
        {"picture at the left edge", 100, 30, 0, 0, -1, 16, 0, 16, 16, 2, {38, 8, 78, 21}, {4, 7, 20, 23}, false},
        {"picture right of the caption", 100, 30, 0, 0, -1, 16, 3, 16, 16, 2, {20, 8, 60, 21}, {64, 7, 80, 23}, false},
        // t = (60 - 29) / 2 = 15
        {"picture above", 100, 60, 0, 0, -1, 16, 4, 16, 16, 2, {30, 33, 70, 46}, {42, 15, 58, 31}, false},
        {"picture below", 100, 60, 0, 0, -1, 16, 5, 16, 16, 2, {30, 17, 70, 30}, {42, 32, 58, 48}, false},
        // Size 40 fills the face, picture or not, and reserves no room.
        {"forty without picture", 100, 30, 0, 0, -1, 40, 0, 0, 0, 2, {30, 8, 70, 21}, {3, 3, 97, 27}, true},
        {"forty on a round shape", 100, 30, 6, 0, -1, 40, 1, 16, 16, 2, {30, 8, 70, 21}, {1, 1, 99, 29}, true},
        // min(88 / 64, 18 / 32) = 0.5625: 36 x 18
        {"forty-eight fitted", 100, 30, 0, 0, -1, 48, 0, 64, 32, 2, {30, 8, 70, 21}, {32, 6, 68, 24}, true},
        // Face from 3 to nShapeRight - 3, the picture on the whole surface.
        {"custom shape", 80, 40, 7, 0, -1, 48, 0, 64, 32, 2, {21, 13, 61, 26}, {0, 0, 80, 40}, false},
        // L = 31 - 10 + 3 = 24
        {"slant on the left", 100, 30, 1, 31, -1, 0, 0, 0, 0, 0, {28, 8, 68, 21}, any, false},
        // R = 69 + 31 / 3 = 79
        {"slant on the right", 100, 30, 2, 0, 69, 0, 0, 0, 0, 1, {35, 8, 75, 21}, any, false},
        // L = 24, R = 79, W = 55: 24 + (55 - 40) / 2 = 31
        {"slants on both sides", 100, 30, 3, 31, 69, 0, 0, 0, 0, 2, {31, 8, 71, 21}, any, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonModel m;
        m.ScaleWidth = c.w;
        m.ScaleHeight = c.h;
        m.ButtonShape = c.shape;
        m.nShapeLeft = c.shapeLeft;
        m.nShapeRight = c.shapeRight < 0 ? c.w : c.shapeRight;
        m.Caption = "Caption";
        m.CaptionAlign = c.capAlign;
        m.nPicSize = std::int16_t(c.picSize);
        m.PictureAlign = c.picAlign;
        m.nPicWidth = m.nPicHeight = 0;
        if (c.picW) {
            m.nPicWidth = c.picW;
            m.nPicHeight = c.picH;
        }
        const ButtonLayout l = CalculateLayout(m, false, fixedBlock);
        EXPECT_EQ(l.caption, c.caption);
        if (c.picture.left != -1) {
            EXPECT_EQ(l.picture, c.picture);
        }
        EXPECT_EQ(l.refreshPicture, c.refresh);
    }
}

TEST(CalculateLayout, MeasuresInTheRoomLeftByThePictureAndKeepsTheBlockInsideTheFace) {
    ButtonModel m;
    m.ScaleWidth = m.nShapeRight = 100;
    m.ScaleHeight = 30;
    m.CaptionAlign = 2;
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

    m.nPicWidth = m.nPicHeight = 0;
    m.CaptionStyle = 1;  // the relief widens and heightens the block by 2
    EXPECT_EQ(CalculateLayout(m, false, fixedBlock).caption, (Rect{29, 7, 71, 22}));
    const auto tall = [](const QString&, int, int) { return QSize(200, 50); };
    EXPECT_EQ(CalculateLayout(m, false, tall).caption, (Rect{4, 4, 96, 25}));
    m.Caption.clear();
    EXPECT_EQ(CalculateLayout(m, false, fixedBlock).caption, (Rect{4, 15, 0, 15})) << "limits apply when empty";
}

TEST(FitPictureSize, KeepsTheAspectRatioAndMayEnlarge) {
    EXPECT_EQ(FitPictureSize(64, 32, 88, 18), QSize(36, 18));
    EXPECT_EQ(FitPictureSize(10, 20, 100, 100), QSize(50, 100));
    EXPECT_EQ(FitPictureSize(0, 20, 100, 100), QSize(0, 0));
}

}  // namespace
