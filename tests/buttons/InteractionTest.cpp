#include "ButtonFixture.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace {
// Records the key presses that reach a widget (the container of a button).
class KeyRecorder : public QObject {
public:
    std::vector<std::pair<int, quint32>> keys;  // Qt key, native scan code
protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            keys.emplace_back(k->key(), k->nativeScanCode());
        }
        return false;
    }
};

const QPoint inside(20, 10);

// A double-click as the platform delivers it: press, release, the second
// press reported as a double-click, release.
void doubleClick(QWidget* w, Qt::MouseButton button, QPoint pos) {
    QTest::mouseClick(w, button, {}, pos);
    QTest::mouseDClick(w, button, {}, pos);
    QTest::mouseRelease(w, button, {}, pos);
}
const QPoint outside(300, 200);  // on the form, away from the button
}  // namespace

class InteractionTest : public ButtonTest {
protected:
    wenButtons_H* b = nullptr;
    void SetUp() override {
        ButtonTest::SetUp();
        b = addButton();
        showForm();
        // Keep the pointer off the button unless a test moves it there.
        QCursor::setPos(form->mapToGlobal(outside));
        QApplication::processEvents();
        log.attach(b);
    }
    // The log without hover and move lines.
    std::vector<std::string> events() const {
        std::vector<std::string> out;
        for (const auto& l : log.lines)
            if (l.rfind("MouseOnButton", 0) != 0) out.push_back(l);
        return out;
    }
};

TEST_F(InteractionTest, ALeftClickOnACommandButtonRaisesDownUpAndClick) {
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(events(), Lines({"MouseDown 1 0", "MouseUp 1 0", "Click"}));
    EXPECT_EQ(b->model().nLastButton, 1);
    EXPECT_FALSE(b->model().nFlags & FlagPressed);
}

TEST_F(InteractionTest, ARightClickRaisesOnlyDownAndUp) {
    b->setMode(1);
    QTest::mouseClick(b, Qt::RightButton, Qt::ShiftModifier, inside);
    EXPECT_EQ(events(), Lines({"MouseDown 2 1", "MouseUp 2 1"}));
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(b->model().nLastButton, 2);
}

TEST_F(InteractionTest, ACheckBoxClickTogglesValueBeforeClick) {
    b->setMode(1);
    bool valueAtClick = false;
    QObject::connect(b, &wenButtons_H::Click, [&] { valueAtClick = b->Value(); });
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(b->Value());
    EXPECT_TRUE(valueAtClick);
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(b->Value());
}

TEST_F(InteractionTest, PressingMovingOutAndReleasingOutsideClearsThePressWithoutAClick) {
    QTest::mouseMove(b, inside);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    ASSERT_TRUE(b->model().nFlags & FlagHover);
    // With a button held the test mouse moves no pointer: move it here.
    QCursor::setPos(form->mapToGlobal(outside));
    QTest::mouseMove(b, b->mapFrom(form.get(), outside));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(b->model().nFlags & FlagHover); }, 1000));
    EXPECT_TRUE(b->model().nFlags & FlagPressed) << "pressed, pointer away";
    EXPECT_FALSE(b->model().bHeld);
    QTest::mouseRelease(b, Qt::LeftButton, {}, b->mapFrom(form.get(), outside));
    EXPECT_FALSE(b->model().nFlags & (FlagPressed | FlagHover));
    EXPECT_FALSE(b->model().bHeld);
    EXPECT_EQ(events(), Lines({"MouseDown 1 0", "MouseUp 1 0"}));
}

TEST_F(InteractionTest, EveryLeftReleaseRedrawsWhateverTheMode) {
    // A check box released outside changes no Value; the pressed look must
    // still go.
    b->setMode(1);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    int before = b->redrawCount();
    QTest::mouseRelease(b, Qt::LeftButton, {}, b->mapFrom(form.get(), outside));
    EXPECT_EQ(b->redrawCount() - before, 1);
    EXPECT_FALSE(b->Value());

    // An option button already selected: the click changes nothing either.
    b->setMode(2);
    b->setValue(true);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    before = b->redrawCount();
    QTest::mouseRelease(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(b->redrawCount() - before, 1);
}

TEST_F(InteractionTest, ALeftDoubleClickRaisesDoubleClickThenAPress) {
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(b->model().nLastButton, -1) << "marks the press as the second of a double-click";
    EXPECT_TRUE(b->model().nFlags & FlagPressed);
    QTest::mouseRelease(b, Qt::LeftButton, {}, inside);
    EXPECT_EQ(events(), Lines({"MouseDown 1 0", "MouseUp 1 0", "Click", "DoubleClick 1", "MouseDown 1 0",
                               "MouseUp 1 0"}));
    EXPECT_EQ(b->model().nLastButton, 1);
}

TEST_F(InteractionTest, ARightDoubleClickRaisesDoubleClickWithTwoThenALeftPress) {
    doubleClick(b, Qt::RightButton, inside);
    EXPECT_EQ(events(), Lines({"MouseDown 2 0", "MouseUp 2 0", "DoubleClick 2", "MouseDown 1 0", "MouseUp 2 0"}));
    EXPECT_FALSE(b->model().nFlags & FlagPressed) << "the left press of a right double-click changes no state";
}

TEST_F(InteractionTest, SpaceOnACommandButtonClicksBeforeKeyUp) {
    b->setFocus();
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->model().nFlags & FlagPressed);
    EXPECT_FALSE(b->model().nFlags & FlagHover) << "the pointer is elsewhere";
    EXPECT_TRUE(b->model().bHeld);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(events(), Lines({"KeyDown 32", "KeyPress 32", "Click", "KeyUp 32"}));
    EXPECT_FALSE(b->model().nFlags & FlagPressed);
}

TEST_F(InteractionTest, SpaceOnACheckBoxRaisesKeyUpBeforeClick) {
    b->setMode(1);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(events(), Lines({"KeyDown 32", "KeyPress 32", "KeyUp 32", "Click"}));
    EXPECT_TRUE(b->Value());
}

TEST_F(InteractionTest, ASpaceReleaseWithoutItsPressRaisesOnlyKeyUp) {
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(events(), Lines({"KeyUp 32"}));
}

TEST_F(InteractionTest, ArrowsGoToTheContainerAndRaiseNoKeyEvents) {
    KeyRecorder rec;
    form->installEventFilter(&rec);
    for (auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) QTest::keyClick(b, key);
    QApplication::processEvents();
    EXPECT_TRUE(events().empty());
    const std::vector<std::pair<int, quint32>> expected = {
        {Qt::Key_Right, 0x4D}, {Qt::Key_Down, 0x50}, {Qt::Key_Left, 0x4B}, {Qt::Key_Up, 0x48}};
    EXPECT_EQ(rec.keys, expected);
}

TEST_F(InteractionTest, TheReleaseOfAnArrowSelectsAnOptionButton) {
    b->setMode(2);
    QTest::keyClick(b, Qt::Key_Down);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(events(), Lines({"Click"}));
}

TEST_F(InteractionTest, ShiftRaisesKeyDownButNoKeyUp) {
    QTest::keyClick(b, Qt::Key_Shift);
    EXPECT_EQ(events(), Lines({"KeyDown 16"}));
}

TEST_F(InteractionTest, OtherKeysRaiseKeyDownKeyPressAndKeyUp) {
    QTest::keyClick(b, 'A');
    EXPECT_EQ(events(), Lines({"KeyDown 65", "KeyPress 65", "KeyUp 65"}));
}

TEST_F(InteractionTest, EnterOnADefaultCheckBoxDoesNothing) {
    host.setDefaultButton(b);
    b->setMode(1);
    b->AccessKeyPress(13);
    EXPECT_FALSE(b->Value());
    b->AccessKeyPress(27);
    EXPECT_TRUE(events().empty());
}

TEST_F(InteractionTest, EnterOnTheFormReachesTheDefaultCommandButton) {
    auto* other = addButton("wenButtons_H2", QRect(10, 60, 100, 30));
    other->show();
    host.setDefaultButton(b);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(events(), Lines({"Click"}));
}

TEST_F(InteractionTest, TheAccessKeyClicksAndRedrawsFirst) {
    b->setCaption("&Go");
    b->setMode(1);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(events(), Lines({"Click"}));
    const int before = b->redrawCount();
    b->AccessKeyPress('G');
    EXPECT_EQ(b->redrawCount() - before, 2) << "one redraw first, one from the Value change";
}

TEST_F(InteractionTest, ADisabledButtonTakesNoInput) {
    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(events().empty());
}

TEST_F(InteractionTest, ReleasingSpaceOnASelectedOptionTakesThePressedLookAway) {
    b->setMode(2);
    b->setValue(true);
    QTest::keyPress(b, Qt::Key_Space);
    const int before = b->redrawCount();
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(b->redrawCount() - before, 1);
    EXPECT_FALSE(b->model().nFlags & FlagPressed);
    EXPECT_EQ(events(), Lines({"KeyDown 32", "KeyPress 32", "KeyUp 32"})) << "no Click for a selected option";
}

TEST_F(InteractionTest, DragAndDropIsRelayedAndTheHandlerDecidesTheEffect) {
    QMimeData data;
    data.setText("dropped");
    std::vector<std::string> seen;
    int refuse = 0;
    QObject::connect(b, &wenButtons_H::OLEDragOver,
                     [&](const QMimeData*& d, int& effect, short&, short&, float&, float&, short& state) {
                         seen.push_back("over " + std::to_string(state) + " " + d->text().toStdString());
                         if (refuse) effect = 0;
                     });
    QObject::connect(b, &wenButtons_H::OLEDragDrop,
                     [&](const QMimeData*& d, int& effect, short&, short&, float& x, float&) {
                         seen.push_back("drop " + d->text().toStdString() + " " + std::to_string(effect) + " " +
                                        std::to_string(int(x)));
                     });
    QDragEnterEvent enter(QPoint(20, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(enter.isAccepted());
    refuse = 1;
    QDragMoveEvent move(QPoint(21, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &move);
    EXPECT_FALSE(move.isAccepted()) << "an effect of 0 refuses the drop";
    QDropEvent drop(QPointF(22, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &drop);
    EXPECT_EQ(seen, Lines({"over 0 dropped", "over 2 dropped", "drop dropped 1 22"}));
}
