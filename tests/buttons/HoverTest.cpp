#include "tests/buttons/ButtonFixture.h"

#include <QElapsedTimer>

using HoverTest = OneButtonTest;

TEST_F(HoverTest, ThePointerRestingOnTheButtonRaisesMouseOnButtonOnceAndLeavingIsNoticedWithoutALeaveNotice) {
    for (int x = 10; x < 60; x += 10) QTest::mouseMove(b, QPoint(x, 12));
    QTest::qWait(3 * wenButtons_H::kHoverPeriodMs);
    EXPECT_EQ(log.lines, Lines{"MouseOnButton 1"});
    EXPECT_TRUE(b->model().nFlags & FlagHover);
    EXPECT_EQ(b->property("wen_TimerID").toInt(), 237);
    EXPECT_EQ(b->property("wen_ClassID").value<quintptr>(), reinterpret_cast<quintptr>(b));

    // The pointer jumps away; the button receives no event at all.
    modWenTimer::setPointerSource([] { return QPoint(-500, -500); });
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.count("MouseOnButton 0") == 1; }, 2000));
    // Several periods on a shared, busy machine; the point is that no event
    // from the platform was needed.
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_FALSE(b->model().bHoverTracking);
    EXPECT_FALSE(b->model().nFlags & FlagHover);
    EXPECT_EQ(log.lines, (Lines{"MouseOnButton 1", "MouseOnButton 0"}));
}

TEST_F(HoverTest, AButtonDestroyedWhileHoveredGetsNoMoreTicks) {
    QTest::mouseMove(b, QPoint(20, 12));
    ASSERT_TRUE(b->model().bHoverTracking);
    int calls = 0;
    modWenTimer::setPointerSource([&] {
        ++calls;
        return QPoint(-500, -500);
    });
    delete b;
    QTest::qWait(4 * wenButtons_H::kHoverPeriodMs);
    EXPECT_EQ(calls, 0) << "no hover check ran after the button went";
}
