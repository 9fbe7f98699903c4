// The drawing as the real widget shows it: its mask, its pixels, and the
// custom click that moves it inside its container.
#include "tests/buttons/paint/PaintTestSupport.h"
#include "buttons/paint/ShapeRegions.h"
#include "buttons/wenButtons_H.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ButtonWidget, ShowsItsFaceInItsOutlineAndMovesOnePixelWhilePressedWithACustomClick) {
    QWidget window;
    window.resize(300, 200);
    auto* button = new wenButtons_H(&window);
    button->InitProperties();
    button->setGeometry(40, 50, 100, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    button->setBackColor(0x0000FF);  // red
    button->setButtonShape(4);
    EXPECT_EQ(button->mask(), EllipseRegion(0, 0, 100, 30));
    EXPECT_EQ(button->grab().toImage().pixelColor(50, 15), QColor(255, 0, 0));

    button->setPicture(DiscPicture());
    button->setButtonShape(7);
    button->setCustomClick(4);  // down and right
    const QPoint home = button->pos();
    const QSize size = button->size();
    const QPoint inside(button->width() / 2, button->height() / 2);
    QTest::mouseMove(button, inside);  // the pointer is over the button
    ASSERT_TRUE(button->model().bHoverTracking);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(button->pos(), home + QPoint(1, 1));
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, inside - QPoint(1, 1));
    EXPECT_EQ(button->pos(), home);
    EXPECT_EQ(button->size(), size);

    button->setMode(1);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(button->pos(), home) << "a check box stays where it is";
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, inside);
}

}  // namespace
