#include "ButtonFixture.h"

#include "PropertyBag.h"

#include <QImage>

#include <functional>

namespace {
::Picture bitmap(int w = 20, int h = 10) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::red);
    return ::Picture::bitmap(img);
}
::Picture icon() {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    return ::Picture::icon(img);
}

// Keys announced while f runs.
std::vector<std::string> announced(wenButtons_H* b, const std::function<void()>& f) {
    std::vector<std::string> keys;
    auto c = QObject::connect(b, &wenButtons_H::PropertyChanged,
                              [&](const QString& k) { keys.push_back(k.toStdString()); });
    f();
    QObject::disconnect(c);
    return keys;
}

// Redraw calls while f runs.
int redraws(wenButtons_H* b, const std::function<void()>& f) {
    const int before = b->redrawCount();
    f();
    return b->redrawCount() - before;
}
}  // namespace

TEST_F(ButtonTest, ANewControlTakesItsNameCentredCaptionAndFaceColours) {
    auto* b = addButton("Command7");
    EXPECT_EQ(b->Caption(), "Command7");
    EXPECT_EQ(b->CaptionAlign(), 2);
    EXPECT_TRUE(b->ShowFocusRect());
    EXPECT_EQ(b->BackColor(), 0x8000000Fu);
    EXPECT_EQ(b->HoverBackColor(), 0x8000000Fu);
    EXPECT_EQ(b->HoverForeColor(), 0x80000012u);
    EXPECT_EQ(b->GradientColor(), 0u) << "a new control's gradient colour is black";
    EXPECT_EQ(b->PictureSize(), 0);
    EXPECT_EQ(b->model().nPicSize, 16) << "reading the size fixes 0 as 16";
}

TEST_F(ButtonTest, InitialisingAnnouncesTheSixChangedKeysInOrder) {
    auto* b = new wenButtons_H(form.get());
    b->setHost(&host);
    EXPECT_EQ(announced(b, [&] { b->InitProperties(); }),
              Lines({"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}));
}

TEST_F(ButtonTest, ValuesOutsideTheirRangesAreIgnoredSilently) {
    auto* b = addButton();
    designMode();
    struct Case {
        const char* name;
        std::function<void(int)> set;
        std::function<int()> get;
        int low, high;
    };
    const std::vector<Case> cases = {
        {"ButtonStyle", [&](int v) { b->setButtonStyle(v); }, [&] { return b->ButtonStyle(); }, 0, 7},
        {"Mode", [&](int v) { b->setMode(v); }, [&] { return b->Mode(); }, 0, 2},
        {"CaptionAlign", [&](int v) { b->setCaptionAlign(v); }, [&] { return b->CaptionAlign(); }, 0, 2},
        {"CaptionStyle", [&](int v) { b->setCaptionStyle(v); }, [&] { return b->CaptionStyle(); }, 0, 2},
        {"CustomClick", [&](int v) { b->setCustomClick(v); }, [&] { return b->CustomClick(); }, 0, 8},
        {"ButtonShape", [&](int v) { b->setButtonShape(v); }, [&] { return b->ButtonShape(); }, 0, 8},
        {"PictureAlign", [&](int v) { b->setPictureAlign(v); }, [&] { return b->PictureAlign(); }, 0, 5},
        {"PictureSize", [&](int v) { b->setPictureSize(v); }, [&] { return b->PictureSize(); }, 0, 4},
        {"GradientMode", [&](int v) { b->setGradientMode(v); }, [&] { return b->GradientMode(); }, 0, 4},
    };
    for (const auto& c : cases) {
        const int before = c.get();
        for (int bad : {c.low - 1, c.high + 1}) {
            EXPECT_TRUE(announced(b, [&] { c.set(bad); }).empty()) << c.name << " " << bad;
            EXPECT_EQ(c.get(), before) << c.name << " " << bad;
        }
    }
    EXPECT_TRUE(dialogs.calls.empty()) << "no message for a value out of range";
}

TEST_F(ButtonTest, CaptionAlignmentUnderATopCentredPictureIsRefusedAndExplainedInDesignMode) {
    auto* b = addButton();
    b->setPicture(bitmap());
    b->setPictureAlign(4);
    b->setCaptionAlign(0);
    EXPECT_EQ(b->CaptionAlign(), 2);
    EXPECT_TRUE(dialogs.calls.empty()) << "silent at run time";

    designMode();
    b->setCaptionAlign(1);
    EXPECT_EQ(b->CaptionAlign(), 2);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "When button images are aligned top/bottom center, \r\nbutton captions can only be center aligned");
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(dialogs.messages()[0].title, "Veltrane Forms");

    b->setPictureAlign(1);
    b->setCaptionAlign(0);
    EXPECT_EQ(b->CaptionAlign(), 0) << "beside the caption any alignment goes";
}

TEST_F(ButtonTest, CustomClickIsStoredEvenWhenItsMessageSaysItHasNoEffect) {
    auto* b = addButton();
    designMode();
    EXPECT_EQ(redraws(b, [&] { b->setCustomClick(3); }), 0);
    EXPECT_EQ(b->CustomClick(), 3);
    EXPECT_EQ(messageTexts(), Lines({"This property has no effect unless the Button Shape is a custom shape."}));
}

TEST_F(ButtonTest, ACustomShapeNeedsABitmapPicture) {
    auto* b = addButton();
    designMode();
    b->setButtonShape(7);
    EXPECT_EQ(b->ButtonShape(), 0);
    b->setPicture(icon());
    b->setButtonShape(8);
    EXPECT_EQ(b->ButtonShape(), 0);
    EXPECT_EQ(b->PictureSize(), 0);
    EXPECT_EQ(messageTexts(), Lines({"The Picture Property must be assigned first and must be a bitmap or JPEG.",
                                     "The Picture Property must be assigned first and must be a bitmap or JPEG."}));
}

TEST_F(ButtonTest, ACustomShapeScalesThePictureAndThenRefusesSizeChanges) {
    auto* b = addButton();
    b->setPicture(bitmap());
    b->setCaptionAlign(0);
    b->setButtonShape(7);
    EXPECT_EQ(b->ButtonShape(), 7);
    EXPECT_EQ(b->PictureSize(), 4);
    EXPECT_EQ(b->CaptionAlign(), 2);
    EXPECT_FALSE(b->model().bDelayDrawing);

    designMode();
    b->setPictureSize(1);
    EXPECT_EQ(b->PictureSize(), 4);
    EXPECT_EQ(messageTexts(), Lines({"The picture size cannot be changed for Shaped buttons"}));
}

TEST_F(ButtonTest, AnyAcceptedShapeEvenRectangularCentresTheCaption) {
    auto* b = addButton();
    b->setCaptionAlign(1);
    EXPECT_EQ(announced(b, [&] { b->setButtonShape(0); }), Lines({"Shape"})) << "the alignment is not announced";
    EXPECT_EQ(b->CaptionAlign(), 2);
}

TEST_F(ButtonTest, AnIconOnACustomShapedButtonTurnsItRectangular) {
    auto* b = addButton();
    b->setPicture(bitmap());
    b->setButtonShape(8);
    designMode();
    b->setPicture(icon());
    EXPECT_EQ(b->ButtonShape(), 0);
    EXPECT_EQ(messageTexts(), Lines({"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
                                     "Button was changed to Rectangular shaped."}));
    b->setPicture(bitmap());
    b->setButtonShape(7);
    b->setPicture(::Picture());
    EXPECT_EQ(b->ButtonShape(), 0) << "removing the picture also ends the custom shape";
}

TEST_F(ButtonTest, ValueTrueIsRefusedForACommandButtonButFalseIsStored) {
    auto* b = addButton();
    designMode();
    EXPECT_TRUE(announced(b, [&] { b->setValue(true); }).empty());
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(messageTexts(), Lines({"This property is not applicable for command button modes."}));
    EXPECT_EQ(announced(b, [&] { b->setValue(false); }), Lines({"Value"}));
}

TEST_F(ButtonTest, PictureSizeStoresPixelsAndReadsBackTheStep) {
    auto* b = addButton();
    b->setPictureSize(3);
    EXPECT_EQ(b->model().nPicSize, 40);
    EXPECT_EQ(b->PictureSize(), 3);
    b->setPictureSize(5);
    b->setPictureSize(-1);
    EXPECT_EQ(b->PictureSize(), 3);
}

TEST_F(ButtonTest, FontStyleSwitchesBoldItalicAndUnderlineFromItsBits) {
    auto* b = addButton();
    b->setFontStyle(14);
    EXPECT_TRUE(b->Font().bold());
    EXPECT_TRUE(b->Font().italic());
    EXPECT_TRUE(b->Font().underline());
    EXPECT_EQ(b->FontStyle(), 14);
    b->setFontStyle(1);
    EXPECT_FALSE(b->Font().bold());
    EXPECT_FALSE(b->Font().italic());
    EXPECT_FALSE(b->Font().underline());
    EXPECT_EQ(b->FontStyle(), 0);
    b->setFontStyle(4 + 8);
    EXPECT_EQ(b->FontStyle(), 12);
}

TEST_F(ButtonTest, LockedHoverColoursFollowTheNormalColours) {
    auto* b = addButton();
    b->setBackColor(0x00FF00);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00u);
    b->setForeColor(0x0000FF);
    EXPECT_EQ(b->HoverForeColor(), 0x0000FFu);
    EXPECT_EQ(b->HoverColorLocks(), 0);
}

TEST_F(ButtonTest, SettingAHoverColourOfItsOwnFreesItsLock) {
    auto* b = addButton();
    b->setHoverBackColor(0x123456);
    EXPECT_EQ(b->HoverColorLocks(), 1);
    b->setBackColor(0x00FF00);
    EXPECT_EQ(b->HoverBackColor(), 0x123456u) << "a free hover back colour stays";
    EXPECT_EQ(announced(b, [&] { b->setHoverForeColor(0xABCDEF); }), Lines({"cFHover", "cFHover"}));
    EXPECT_EQ(b->HoverColorLocks(), 3);
    b->setForeColor(0x111111);
    EXPECT_EQ(b->HoverForeColor(), 0xABCDEFu);

    b->setHoverColorLocks(0);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00u) << "locking again takes the normal colours at once";
    EXPECT_EQ(b->HoverForeColor(), 0x111111u);
}

TEST_F(ButtonTest, LocksOutsideTheFourValuesAreStoredAndSynchroniseNothing) {
    auto* b = addButton();
    b->setHoverBackColor(0x123456);
    b->setHoverForeColor(0x654321);
    EXPECT_EQ(announced(b, [&] { b->setHoverColorLocks(7); }), Lines({"LockHover"}));
    EXPECT_EQ(b->HoverColorLocks(), 7);
    EXPECT_EQ(b->HoverBackColor(), 0x123456u);
    EXPECT_EQ(b->HoverForeColor(), 0x654321u);
}

TEST_F(ButtonTest, WithAGradientTheLockedHoverBackColourFollowsTheGradientColour) {
    auto* b = addButton();
    b->setGradientColor(0x0000AA);
    b->setGradientMode(2);
    EXPECT_EQ(b->HoverBackColor(), 0x0000AAu);
    b->setGradientColor(0x0000BB);
    EXPECT_EQ(b->HoverBackColor(), 0x0000BBu);
    b->setGradientMode(0);
    EXPECT_EQ(b->HoverBackColor(), b->BackColor());
}

TEST_F(ButtonTest, ABackColourUnderAGradientFreesAHoverColourSetElsewhere) {
    // The hover back colour set directly earlier (as a form written elsewhere
    // might hold it), locks still 0.
    auto* b = addButton();
    b->setGradientColor(0x0000AA);
    b->setGradientMode(2);
    PropertyBag bag;
    b->WriteProperties(bag);
    bag.write("cBHover", QVariant::fromValue<quint32>(0x777777));
    auto* c = new wenButtons_H(form.get());
    c->setHost(&host);
    c->ReadProperties(bag);
    ASSERT_EQ(c->HoverColorLocks(), 0);
    c->setBackColor(0x00CC00);
    EXPECT_EQ(c->HoverBackColor(), 0x0000AAu);
    EXPECT_EQ(c->HoverColorLocks(), 1);
}

TEST_F(ButtonTest, ResettingDefaultColoursWorksOnlyInDesignMode) {
    auto* b = addButton();
    b->setBackColor(0x00FF00);
    b->setForeColor(0x0000FF);
    b->setHoverColorLocks(3);
    b->setResetDefaultColors(true);
    EXPECT_EQ(b->BackColor(), 0x00FF00u);
    EXPECT_FALSE(b->ResetDefaultColors());

    designMode();
    b->setGradientMode(1);
    const auto keys = announced(b, [&] { b->setResetDefaultColors(true); });
    EXPECT_EQ(b->BackColor(), 0x8000000Fu);
    EXPECT_EQ(b->ForeColor(), 0x80000012u);
    EXPECT_EQ(b->GradientColor(), 0x8000000Fu);
    EXPECT_EQ(b->GradientMode(), 0);
    EXPECT_EQ(b->HoverColorLocks(), 0);
    EXPECT_EQ(b->HoverBackColor(), 0x8000000Fu);
    EXPECT_EQ(b->HoverForeColor(), 0x80000012u);
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[keys.size() - 2], "cGradient");
    EXPECT_EQ(keys.back(), "cBack");
    EXPECT_FALSE(b->ResetDefaultColors());
}

TEST_F(ButtonTest, TheDefaultLookGoesWhenTheFocusRectangleIsSetAtRunTime) {
    auto* b = addButton();
    host.setDefaultButton(b);
    ASSERT_TRUE(b->model().nFlags & FlagDefaultLook);
    designMode();
    b->setShowFocusRect(true);
    EXPECT_TRUE(b->model().nFlags & FlagDefaultLook) << "kept in design mode";
    EXPECT_EQ(messageTexts(), Lines({"The focus rectangle may appear on default buttons ONLY while in design mode, "
                                     "\r\nbut will not appear when the form is running."}));
    host.setUserMode(true);
    EXPECT_EQ(redraws(b, [&] { b->setShowFocusRect(true); }), 1);
    EXPECT_FALSE(b->model().nFlags & FlagDefaultLook);
}

TEST_F(ButtonTest, TheDefaultLookNeedsTheFocusRectangleAtRunTimeOnly) {
    auto* b = addButton();
    b->setShowFocusRect(false);
    host.setDefaultButton(b);
    EXPECT_FALSE(b->model().nFlags & FlagDefaultLook);
    host.setDefaultButton(nullptr);
    designMode();
    host.setDefaultButton(b);
    EXPECT_TRUE(b->model().nFlags & FlagDefaultLook);
}

TEST_F(ButtonTest, AMouseIconMustBeAnIconAndSwitchesThePointerToCustom) {
    auto* b = addButton();
    designMode();
    b->setMouseIcon(bitmap());
    EXPECT_TRUE(b->MouseIcon().isNull());
    EXPECT_EQ(b->MousePointer(), 0);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "Select .ico Or .cur Files Only");
    EXPECT_EQ(announced(b, [&] { b->setMouseIcon(icon()); }), Lines({"mPointer", "mIcon"}));
    EXPECT_EQ(b->MousePointer(), 99);
}

TEST_F(ButtonTest, EachSetterRedrawsAsOftenAsItsChangeNeeds) {
    auto* b = addButton();
    EXPECT_EQ(redraws(b, [&] { b->setButtonStyle(3); }), 1);
    EXPECT_EQ(redraws(b, [&] { b->setCustomClick(2); }), 0);
    EXPECT_EQ(redraws(b, [&] { b->setHoverBackColor(0x101010); }), 0);
    EXPECT_EQ(redraws(b, [&] { b->setHoverColorLocks(0); }), 0);
    EXPECT_EQ(redraws(b, [&] { b->setGradientColor(0x202020); }), 0) << "no gradient shown";
    b->setGradientMode(1);
    EXPECT_EQ(redraws(b, [&] { b->setGradientColor(0x303030); }), 1);
    b->setCaption("");
    EXPECT_EQ(redraws(b, [&] { b->setCaptionStyle(1); }), 0) << "nothing to emboss";
    b->setCaption("Go");
    EXPECT_EQ(redraws(b, [&] { b->setCaptionStyle(2); }), 1);
    // Style 3 command buttons rebuild their outline inside a delay.
    EXPECT_EQ(redraws(b, [&] { b->setEnabled(false); }), 1);
    EXPECT_EQ(redraws(b, [&] { b->setEnabled(false); }), 0) << "the same value does nothing";
    EXPECT_FALSE(b->Enabled());
    b->setPicture(bitmap());
    // The custom shape scales the picture within a delay (a redraw that
    // paints nothing), redraws through the resize handling and once more
    // when the delay ends.
    const int painted = b->paintedCount();
    EXPECT_EQ(redraws(b, [&] { b->setButtonShape(7); }), 3);
    EXPECT_EQ(b->paintedCount() - painted, 2);
}

TEST_F(ButtonTest, NothingIsPaintedWhileDrawingIsDelayed) {
    auto* b = addButton();
    b->DelayDrawing(true);
    const int painted = b->paintedCount();
    b->setCaption("One");
    b->setButtonStyle(2);
    b->setBackColor(0x00FF00);
    EXPECT_EQ(b->paintedCount(), painted);
    b->DelayDrawing(false);
    EXPECT_EQ(b->paintedCount(), painted + 1) << "ending the delay paints once";
}

TEST_F(ButtonTest, ChangingTheForeColourEndsADelay) {
    auto* b = addButton();
    b->DelayDrawing(true);
    const int painted = b->paintedCount();
    b->setForeColor(0x0000FF);
    EXPECT_FALSE(b->model().bDelayDrawing);
    EXPECT_EQ(b->paintedCount(), painted + 1);
    b->DelayDrawing(true);
    b->setForeColor(0x0000FF);
    EXPECT_TRUE(b->model().bDelayDrawing) << "the same colour does nothing";
}

TEST_F(ButtonTest, PropertiesAreReachableByNameAndValueIsTheDefault) {
    auto* b = addButton();
    b->setMode(1);
    const QMetaObject* mo = b->metaObject();
    EXPECT_STREQ(mo->userProperty().name(), "Value");
    EXPECT_TRUE(b->setProperty("Value", true));
    EXPECT_TRUE(b->Value());
    EXPECT_TRUE(b->setProperty("ButtonStyle", 6));
    EXPECT_EQ(b->property("ButtonStyle").toInt(), 6);
    b->setProperty("ButtonStyle", 9);
    EXPECT_EQ(b->ButtonStyle(), 6);
}

TEST_F(ButtonTest, ADisabledContainerGreysTheButtonButLeavesItsOwnState) {
    auto* b = addButton();
    const int before = b->redrawCount();
    form->setEnabled(false);
    EXPECT_EQ(b->redrawCount() - before, 1) << "the look changes";
    EXPECT_FALSE(b->model().Enabled);
    EXPECT_TRUE(b->Enabled());
    b->setEnabled(false);
    form->setEnabled(true);
    EXPECT_FALSE(b->Enabled()) << "re-enabling the container keeps the button's own state";
    EXPECT_FALSE(b->isEnabled());
}
