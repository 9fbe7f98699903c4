#include "tests/buttons/ButtonFixture.h"

namespace {
const QPoint inside(20, 10);
}  // namespace

// The form shown, the button's events logged.
class InteractionTest : public ButtonTest {
protected:
    void SetUp() override {
        ButtonTest::SetUp();
        showForm();
        log.attach(b);
    }
    QPoint outside() const { return b->mapFrom(form.get(), QPoint(300, 200)); }
};

TEST_F(InteractionTest, ClicksAndDoubleClicksRaiseTheirEventsInOrder) {
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(b, Qt::LeftButton, {}, inside);  // DoubleClick, then a left press
    QTest::mouseRelease(b, Qt::LeftButton, {}, inside);
    QTest::mouseClick(b, Qt::RightButton, Qt::ShiftModifier, inside);
    QTest::mouseDClick(b, Qt::RightButton, {}, inside);
    EXPECT_FALSE(b->model().nFlags & FlagPressed) << "the left press of a right double-click changes no state";
    QTest::mouseRelease(b, Qt::RightButton, {}, inside);
    EXPECT_EQ(log.events(), (Lines{"MouseDown 1 0", "MouseUp 1 0", "Click", "DoubleClick 1", "MouseDown 1 0",
                                   "MouseUp 1 0", "MouseDown 2 1", "MouseUp 2 1", "DoubleClick 2", "MouseDown 1 0",
                                   "MouseUp 2 0"}));
    b->setEnabled(false);
    log.lines.clear();
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(log.events().empty()) << "a disabled button takes no input";
}

TEST_F(InteractionTest, ACheckBoxTogglesOnTheLeftButtonBeforeItsClick) {
    b->setMode(1);
    bool valueAtClick = false;
    QObject::connect(b, &wenButtons_H::Click, [&] { valueAtClick = b->Value(); });
    QTest::mouseClick(b, Qt::RightButton, {}, inside);
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(valueAtClick);
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(b->Value());
}

TEST_F(InteractionTest, APressMovedOutStaysPressedIsHeldAgainOnReturnAndReleasedOutsideWithoutAClick) {
    auto moveTo = [&](QPoint p) {
        QCursor::setPos(b->mapToGlobal(p));  // with a button held the test mouse moves no pointer
        QTest::mouseMove(b, p);
    };
    moveTo(inside);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    moveTo(outside());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(b->model().nFlags & FlagHover); }, 1000));
    EXPECT_TRUE(b->model().nFlags & FlagPressed);
    EXPECT_FALSE(b->model().bHeld);
    moveTo(inside);
    EXPECT_TRUE(b->model().bHeld) << "the left button is still down";
    moveTo(outside());
    QTest::mouseRelease(b, Qt::LeftButton, {}, outside());
    EXPECT_FALSE(b->model().nFlags & FlagPressed);
    EXPECT_EQ(log.events(), (Lines{"MouseDown 1 0", "MouseUp 1 0"}));
}

TEST_F(InteractionTest, EveryReleaseTakesThePressedLookAwayEvenWhenTheValueStays) {
    // A check box released outside changes no Value.
    b->setMode(1);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(redraws(b, [&] { QTest::mouseRelease(b, Qt::LeftButton, {}, outside()); }), 1);
    EXPECT_FALSE(b->Value());
    // An option button already selected: the click changes nothing either.
    b->setMode(2);
    b->setValue(true);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(redraws(b, [&] { QTest::mouseRelease(b, Qt::LeftButton, {}, inside); }), 1);
    QTest::keyPress(b, Qt::Key_Space);
    log.lines.clear();
    EXPECT_EQ(redraws(b, [&] { QTest::keyRelease(b, Qt::Key_Space); }), 1);
    EXPECT_FALSE(b->model().nFlags & FlagPressed);
    EXPECT_EQ(log.events(), Lines{"KeyUp 32"}) << "no Click for a selected option";
}

TEST_F(InteractionTest, KeysRaiseTheirEventsInOrderAndSpaceHoldsTheButton) {
    struct Case {
        int mode, key;
        bool pressToo;
        Lines events;
        bool value;
    };
    for (const Case& c : {Case{0, Qt::Key_Space, true, {"KeyDown 32", "KeyPress 32", "Click", "KeyUp 32"}, false},
                          Case{1, Qt::Key_Space, true, {"KeyDown 32", "KeyPress 32", "KeyUp 32", "Click"}, true},
                          Case{0, Qt::Key_Space, false, {"KeyUp 32"}, false},  // a release without its press
                          Case{0, Qt::Key_A, true, {"KeyDown 65", "KeyPress 97", "KeyUp 65"}, false},  // typed "a"
                          Case{2, Qt::Key_Down, true, {"Click"}, true}}) {  // an arrow's release selects an option
        SCOPED_TRACE(c.key);
        b->setMode(c.mode);
        b->setValue(false);
        log.lines.clear();
        if (c.pressToo) QTest::keyPress(b, Qt::Key(c.key));
        if (c.key == Qt::Key_Space && c.pressToo) {
            EXPECT_EQ(b->model().nFlags & (FlagPressed | FlagHover), FlagPressed) << "the pointer is elsewhere";
            EXPECT_TRUE(b->model().bHeld);
        }
        QTest::keyRelease(b, Qt::Key(c.key));
        EXPECT_EQ(log.events(), c.events);
        EXPECT_EQ(b->Value(), c.value);
    }
}

TEST_F(InteractionTest, EnterClicksTheDefaultCommandButtonAndTheAccessKeyRedrawsFirst) {
    auto* other = addButton("wenButtons_H2", QRect(10, 60, 100, 30));
    other->show();
    host.setDefaultButton(b);
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(log.events(), Lines{"Click"});

    b->setCaption("&Go");
    b->setMode(1);
    b->AccessKeyPress(13);
    b->AccessKeyPress(27);
    EXPECT_FALSE(b->Value()) << "Enter and Esc do not reach a check box";
    host.setDefaultButton(nullptr);
    QTest::keyClick(form.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(log.events(), (Lines{"Click", "Click"}));
    EXPECT_EQ(redraws(b, [&] { b->AccessKeyPress('G'); }), 2) << "one redraw first, one from the Value change";
}

TEST_F(InteractionTest, ACustomClickMovesAPictureShapedButtonOnePixelWhilePressed) {
    b->setPicture(testPicture(64, 40));
    b->setButtonShape(7);
    b->setCustomClick(4);  // down and right
    const QPoint home = b->pos(), centre(b->width() / 2, b->height() / 2);
    QTest::mouseMove(b, centre);
    QTest::mousePress(b, Qt::LeftButton, {}, centre);
    EXPECT_EQ(b->pos(), home + QPoint(1, 1));
    QTest::mouseRelease(b, Qt::LeftButton, {}, centre - QPoint(1, 1));
    EXPECT_EQ(b->pos(), home);
}

TEST_F(InteractionTest, ThePointerRestingOnTheButtonRaisesMouseOnButtonOnceAndLeavingIsNoticedWithoutALeaveNotice) {
    for (int x = 10; x < 60; x += 10) QTest::mouseMove(b, QPoint(x, 12));
    QTest::qWait(3 * wenButtons_H::kHoverPeriodMs);
    EXPECT_EQ(log.lines, Lines{"MouseOnButton 1"});
    EXPECT_TRUE(b->model().nFlags & FlagHover);

    // The pointer jumps away; the button receives no event at all, the
    // timer notices.
    int checks = 0;
    modWenTimer::setPointerSource([&] { return ++checks, QPoint(-500, -500); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.lines.size() == 2; }, 2000));
    EXPECT_EQ(log.lines, (Lines{"MouseOnButton 1", "MouseOnButton 0"}));
    EXPECT_FALSE(b->model().nFlags & FlagHover);

    // A button destroyed while hovered gets no more ticks.
    modWenTimer::setPointerSource({});
    QTest::mouseMove(b, QPoint(20, 12));
    ASSERT_TRUE(b->model().bHoverTracking);
    modWenTimer::setPointerSource([&] { return ++checks, QPoint(-500, -500); });
    checks = 0;
    delete b;
    QTest::qWait(4 * wenButtons_H::kHoverPeriodMs);
    EXPECT_EQ(checks, 0);
}
