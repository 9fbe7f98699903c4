// The drawing as the real widget shows it: its mask, its pixels, and the
// custom click that moves it inside its container.
#include "ShapeRegions.h"
#include "wenButtons_H.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct Form {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    wenButtons_H* button = nullptr;

    Form() {
        window->resize(300, 200);
        button = new wenButtons_H(window.get());
        button->InitProperties();
        button->setGeometry(40, 50, 100, 30);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
};

Picture Disc() {
    QImage img(64, 40, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x - 32) * (x - 32) / 1024.0 + (y - 20) * (y - 20) / 400.0 <= 1.0)
                img.setPixelColor(x, y, QColor(20, 120, 200));
    return Picture::bitmap(img);
}

TEST(ButtonWidget, ShowsItsFaceAndTakesTheOutlineAsItsMask) {
    Form f;
    f.button->setBackColor(0x0000FF);  // red
    f.button->setButtonShape(4);
    EXPECT_EQ(f.button->mask(), EllipseRegion(0, 0, 100, 30));
    const QImage shown = f.button->grab().toImage();
    EXPECT_EQ(shown.pixelColor(50, 15), QColor(255, 0, 0));
}

TEST(ButtonWidget, MovesOnePixelWhilePressedWithACustomClickAndBackOnRelease) {
    Form f;
    f.button->setPicture(Disc());
    f.button->setButtonShape(7);
    f.button->setCustomClick(4);  // down and right
    const QPoint home = f.button->pos();
    const QSize size = f.button->size();
    const QPoint inside(f.button->width() / 2, f.button->height() / 2);

    QTest::mouseMove(f.button, inside);  // the pointer is over the button
    ASSERT_TRUE(f.button->model().bHoverTracking);
    QTest::mousePress(f.button, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(f.button->pos(), home + QPoint(1, 1));
    QTest::mouseRelease(f.button, Qt::LeftButton, Qt::NoModifier, inside - QPoint(1, 1));
    EXPECT_EQ(f.button->pos(), home);
    EXPECT_EQ(f.button->size(), size);
}

}  // namespace
