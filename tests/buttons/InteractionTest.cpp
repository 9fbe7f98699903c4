#include "tests/buttons/ButtonFixture.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace {
const QPoint inside(20, 10);

// Records the key presses that reach a widget (the container of a button).
class KeyRecorder : public QObject {
public:
    std::vector<std::pair<int, quint32>> keys;  // Qt key, native scan code
protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress)
            keys.emplace_back(static_cast<QKeyEvent*>(e)->key(), static_cast<QKeyEvent*>(e)->nativeScanCode());
        return false;
    }
};
}  // namespace

class InteractionTest : public OneButtonTest {
protected:
    QPoint outside() const { return b->mapFrom(form.get(), QPoint(300, 200)); }
};

TEST_F(InteractionTest, ClicksRaiseTheirEventsInOrderAndACheckBoxTogglesBeforeClick) {
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(log.events(), (Lines{"MouseDown 1 0", "MouseUp 1 0", "Click"}));
    EXPECT_FALSE(b->model().nFlags & FlagPressed);

    b->setMode(1);
    log.lines.clear();
    QTest::mouseClick(b, Qt::RightButton, Qt::ShiftModifier, inside);
    EXPECT_EQ(log.events(), (Lines{"MouseDown 2 1", "MouseUp 2 1"}));
    EXPECT_EQ(b->model().nLastButton, 2);
    EXPECT_FALSE(b->Value());

    bool valueAtClick = false;
    QObject::connect(b, &wenButtons_H::Click, [&] { valueAtClick = b->Value(); });
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(valueAtClick);
    EXPECT_EQ(b->model().nLastButton, 1);
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(b->Value());

    b->setEnabled(false);
    log.lines.clear();
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(log.events().empty()) << "a disabled button takes no input";
}

TEST_F(InteractionTest, DoubleClicksRaiseDoubleClickThenALeftPress) {
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(b->model().nLastButton, -1) << "marks the press as the second of a double-click";
    EXPECT_TRUE(b->model().nFlags & FlagPressed);
    QTest::mouseRelease(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(log.events(),
              (Lines{"MouseDown 1 0", "MouseUp 1 0", "Click", "DoubleClick 1", "MouseDown 1 0", "MouseUp 1 0"}));
    EXPECT_EQ(b->model().nLastButton, 1);

    log.lines.clear();
    QTest::mouseClick(b, Qt::RightButton, {}, inside);
    QTest::mouseDClick(b, Qt::RightButton, {}, inside);
    QTest::mouseRelease(b, Qt::RightButton, {}, inside);
    EXPECT_EQ(log.events(), (Lines{"MouseDown 2 0", "MouseUp 2 0", "DoubleClick 2", "MouseDown 1 0", "MouseUp 2 0"}));
    EXPECT_FALSE(b->model().nFlags & FlagPressed) << "the left press of a right double-click changes no state";
}

TEST_F(InteractionTest, APressMovedOutIsHeldAgainOnReturnAndReleasedOutsideWithoutAClick) {
    QTest::mouseMove(b, inside);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    ASSERT_TRUE(b->model().nFlags & FlagHover);
    for (int round = 0; round < 2; ++round) {
        // With a button held the test mouse moves no pointer: move it here.
        QCursor::setPos(b->mapToGlobal(outside()));
        QTest::mouseMove(b, outside());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !(b->model().nFlags & FlagHover); }, 1000));
        EXPECT_TRUE(b->model().nFlags & FlagPressed) << "pressed, pointer away";
        EXPECT_FALSE(b->model().bHeld);
        if (round == 1) break;
        QCursor::setPos(b->mapToGlobal(inside));
        QTest::mouseMove(b, inside);
        EXPECT_TRUE(b->model().nFlags & FlagHover);
        EXPECT_TRUE(b->model().bHeld) << "the left button is still down";
    }
    QTest::mouseRelease(b, Qt::LeftButton, {}, outside());
    EXPECT_FALSE(b->model().nFlags & (FlagPressed | FlagHover));
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

TEST_F(InteractionTest, SpaceHoldsACommandButtonAndClicksBeforeKeyUp) {
    b->setFocus();
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->model().nFlags & FlagPressed);
    EXPECT_FALSE(b->model().nFlags & FlagHover) << "the pointer is elsewhere";
    EXPECT_TRUE(b->model().bHeld);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(log.events(), (Lines{"KeyDown 32", "KeyPress 32", "Click", "KeyUp 32"}));
    EXPECT_FALSE(b->model().nFlags & FlagPressed);
}

TEST_F(InteractionTest, KeysRaiseTheirEventsInOrder) {
    struct Case {
        int mode;
        int key;
        bool pressToo;
        Lines events;
        bool value;
    };
    const std::vector<Case> cases = {
        {1, Qt::Key_Space, true, {"KeyDown 32", "KeyPress 32", "KeyUp 32", "Click"}, true},
        {0, Qt::Key_Space, false, {"KeyUp 32"}, false},  // a release without its press
        {0, Qt::Key_Shift, true, {"KeyDown 16"}, false},
        {0, Qt::Key_A, true, {"KeyDown 65", "KeyPress 97", "KeyUp 65"}, false},  // typed as "a"
        {2, Qt::Key_Down, true, {"Click"}, true},  // the release of an arrow selects an option
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        b->setMode(c.mode);
        b->setValue(false);
        log.lines.clear();
        if (c.pressToo) QTest::keyPress(b, Qt::Key(c.key));
        QTest::keyRelease(b, Qt::Key(c.key));
        EXPECT_EQ(log.events(), c.events);
        EXPECT_EQ(b->Value(), c.value);
    }
}

TEST_F(InteractionTest, ArrowsGoToTheContainerAsKeyPressesWithTheirScanCodes) {
    KeyRecorder rec;
    form->installEventFilter(&rec);
    for (auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) QTest::keyClick(b, key);
    QApplication::processEvents();
    EXPECT_TRUE(log.events().empty());
    const std::vector<std::pair<int, quint32>> expected = {
        {Qt::Key_Right, 0x4D}, {Qt::Key_Down, 0x50}, {Qt::Key_Left, 0x4B}, {Qt::Key_Up, 0x48}};
    EXPECT_EQ(rec.keys, expected);
}

TEST_F(InteractionTest, EnterReachesTheDefaultCommandButtonButNotADefaultCheckBox) {
    auto* other = addButton("wenButtons_H2", QRect(10, 60, 100, 30));
    other->show();
    host.setDefaultButton(b);
    activateForm();
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(log.events(), Lines{"Click"});

    log.lines.clear();
    b->setMode(1);
    b->AccessKeyPress(13);
    b->AccessKeyPress(27);
    EXPECT_FALSE(b->Value());
    EXPECT_TRUE(log.events().empty());
}

TEST_F(InteractionTest, TheAccessKeyClicksAndRedrawsFirst) {
    b->setCaption("&Go");
    b->setMode(1);
    activateForm();
    QTest::keyClick(form.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(log.events(), Lines{"Click"});
    EXPECT_EQ(redraws(b, [&] { b->AccessKeyPress('G'); }), 2) << "one redraw first, one from the Value change";
}

TEST_F(InteractionTest, DragAndDropIsRelayedAndTheHandlerDecidesTheEffect) {
    QMimeData data;
    data.setText("dropped");
    Lines seen;
    bool refuse = false;
    QObject::connect(b, &wenButtons_H::OLEDragOver,
                     [&](const QMimeData*& d, int& effect, short&, short&, float&, float&, short& state) {
                         seen.push_back("over " + std::to_string(state) + " " + d->text().toStdString());
                         if (refuse) effect = 0;
                     });
    QObject::connect(b, &wenButtons_H::OLEDragDrop, [&](const QMimeData*& d, int& effect, short&, short&, float& x, float&) {
        seen.push_back("drop " + d->text().toStdString() + " " + std::to_string(effect) + " " + std::to_string(int(x)));
    });
    QDragEnterEvent enter(QPoint(20, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(enter.isAccepted());
    refuse = true;
    QDragMoveEvent move(QPoint(21, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &move);
    EXPECT_FALSE(move.isAccepted()) << "an effect of 0 refuses the drop";
    QDropEvent drop(QPointF(22, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &drop);
    EXPECT_EQ(seen, (Lines{"over 0 dropped", "over 2 dropped", "drop dropped 1 22"}));
}
