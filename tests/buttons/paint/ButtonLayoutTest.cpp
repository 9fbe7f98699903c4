#include "ButtonLayout.h"

#include <gtest/gtest.h>

namespace {

std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// Every caption measures 40 x 13 pixels, whatever room it gets.
QSize fixedBlock(const QString&, int, int) { return QSize(40, 13); }

ButtonModel rectangle(int w = 100, int h = 30) {
    ButtonModel m;
    m.ScaleWidth = w;
    m.ScaleHeight = h;
    m.nShapeRight = w;
    m.Caption = "Caption";
    m.CaptionAlign = 2;
    return m;
}

void givePicture(ButtonModel& m, int size, int align, int w = 16, int h = 16) {
    m.nPicSize = std::int16_t(size);
    m.nPicWidth = w;
    m.nPicHeight = h;
    m.PictureAlign = align;
}

ButtonLayout layout(const ButtonModel& m, bool refresh = false) {
    return CalculateLayout(m, refresh, fixedBlock);
}

TEST(CalculateLayout, CentresLeftAlignsAndRightAlignsACaptionWithoutPicture) {
    ButtonModel m = rectangle();
    EXPECT_EQ(layout(m).caption, (Rect{30, 8, 70, 21}));
    m.CaptionAlign = 0;
    EXPECT_EQ(layout(m).caption, (Rect{4, 8, 44, 21}));
    m.CaptionAlign = 1;
    EXPECT_EQ(layout(m).caption, (Rect{56, 8, 96, 21}));
    EXPECT_EQ(layout(m).picture, (Rect{4, 4, 0, 0}));  // limits applied to the empty box
}

TEST(CalculateLayout, PlacesASmallPictureBesideTheCaption) {
    ButtonModel m = rectangle();
    givePicture(m, 16, 1);
    ButtonLayout l = layout(m);
    EXPECT_EQ(l.picture, (Rect{20, 7, 36, 23}));
    EXPECT_EQ(l.caption, (Rect{40, 8, 80, 21}));

    givePicture(m, 16, 0);
    l = layout(m);
    EXPECT_EQ(l.picture, (Rect{4, 7, 20, 23}));
    EXPECT_EQ(l.caption, (Rect{38, 8, 78, 21}));

    givePicture(m, 16, 3);
    l = layout(m);
    EXPECT_EQ(l.caption, (Rect{20, 8, 60, 21}));
    EXPECT_EQ(l.picture, (Rect{64, 7, 80, 23}));
    EXPECT_FALSE(l.refreshPicture);
}

TEST(CalculateLayout, StacksAPictureAboveTheCaption) {
    ButtonModel m = rectangle(100, 60);
    givePicture(m, 16, 4);
    const ButtonLayout l = layout(m);
    EXPECT_EQ(l.picture, (Rect{42, 15, 58, 31}));
    EXPECT_EQ(l.caption, (Rect{30, 33, 70, 46}));
}

TEST(CalculateLayout, StacksAPictureBelowTheCaption) {
    ButtonModel m = rectangle(100, 60);
    givePicture(m, 16, 5);
    const ButtonLayout l = layout(m);
    // t = (60 - 29) / 2 = 15: caption at 17, picture below it at 15 + 13 + 4.
    EXPECT_EQ(l.caption, (Rect{30, 17, 70, 30}));
    EXPECT_EQ(l.picture, (Rect{42, 32, 58, 48}));
}

TEST(CalculateLayout, KeepsATallCaptionInsideTheFace) {
    ButtonModel m = rectangle(100, 30);
    const ButtonLayout l = CalculateLayout(m, false, [](const QString&, int, int) {
        return QSize(200, 50);
    });
    EXPECT_EQ(l.caption, (Rect{4, 4, 96, 25}));
}

TEST(CalculateLayout, MeasuresInTheRoomLeftByThePictureAndTheRelief) {
    ButtonModel m = rectangle(100, 30);
    givePicture(m, 24, 0);
    m.Caption = "One||Two";
    QString seen;
    int seenWidth = 0, seenHeight = 0;
    ButtonLayout l = CalculateLayout(m, false, [&](const QString& t, int w, int h) {
        seen = t;
        seenWidth = w;
        seenHeight = h;
        return QSize(40, 13);
    });
    EXPECT_EQ(seen, QString("One\r\nTwo"));
    EXPECT_EQ(seenWidth, 100 - 8 - 24);
    EXPECT_EQ(seenHeight, 30 - 8);

    m.CaptionStyle = 1;  // the relief widens and heightens the block by 2
    m.nPicWidth = m.nPicHeight = 0;
    l = layout(m);
    EXPECT_EQ(l.caption, (Rect{29, 7, 71, 22}));
}

TEST(CalculateLayout, FillsTheFaceWithAFortyPixelPicture) {
    ButtonModel m = rectangle();
    m.nPicSize = 40;  // even without a picture
    ButtonLayout l = layout(m);
    EXPECT_EQ(l.picture, (Rect{3, 3, 97, 27}));
    EXPECT_TRUE(l.refreshPicture);
    m.ButtonShape = 6;
    EXPECT_EQ(layout(m).picture, (Rect{1, 1, 99, 29}));
    // No room is reserved: the caption stays centred.
    givePicture(m, 40, 1);
    EXPECT_EQ(layout(m).caption, (Rect{30, 8, 70, 21}));
}

TEST(CalculateLayout, FitsAndCentresAFortyEightPixelPicture) {
    ButtonModel m = rectangle();
    givePicture(m, 48, 0, 64, 32);
    const ButtonLayout l = layout(m);
    EXPECT_EQ(l.picture, (Rect{32, 6, 68, 24}));
    EXPECT_TRUE(l.refreshPicture);
}

TEST(CalculateLayout, GivesACustomShapeItsWholeSurfaceForThePicture) {
    ButtonModel m = rectangle(80, 40);
    m.ButtonShape = 7;
    givePicture(m, 48, 0, 64, 32);
    const ButtonLayout l = layout(m);
    EXPECT_EQ(l.picture, (Rect{0, 0, 80, 40}));
    EXPECT_FALSE(l.refreshPicture);
    // Face from 3 to nShapeRight - 3, centred in that width.
    EXPECT_EQ(l.caption, (Rect{21, 13, 61, 26}));
}

TEST(CalculateLayout, NarrowsTheFaceOfSlantedShapes) {
    ButtonModel m = rectangle(100, 30);
    m.CaptionAlign = 0;
    m.ButtonShape = 1;
    m.nShapeLeft = 31;  // the slant covers the height
    // L = 31 - 10 + 3 = 24
    EXPECT_EQ(layout(m).caption.left, 28);
    m.ButtonShape = 2;
    m.nShapeLeft = 0;
    m.nShapeRight = 69;
    m.CaptionAlign = 1;
    // R = 69 + 31 / 3 = 79
    EXPECT_EQ(layout(m).caption.right, 75);
    m.ButtonShape = 3;
    m.nShapeLeft = 31;
    m.CaptionAlign = 2;
    // L = 24, R = 79, W = 55: 24 + (55 - 40) / 2 = 31
    EXPECT_EQ(layout(m).caption, (Rect{31, 8, 71, 21}));
}

TEST(CalculateLayout, LeavesAnEmptyCaptionAtTheLimits) {
    ButtonModel m = rectangle();
    m.Caption.clear();
    EXPECT_EQ(layout(m).caption, (Rect{4, 15, 0, 15}));
}

TEST(FitPictureSize, KeepsTheAspectRatioAndMayEnlarge) {
    EXPECT_EQ(FitPictureSize(64, 32, 88, 18), QSize(36, 18));
    EXPECT_EQ(FitPictureSize(10, 20, 100, 100), QSize(50, 100));
    EXPECT_EQ(FitPictureSize(0, 20, 100, 100), QSize(0, 0));
}

}  // namespace
