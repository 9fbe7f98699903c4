#include "ButtonFixture.h"

namespace {
const ::Picture kBitmap = testPicture(20, 10);
const ::Picture kIcon = testPicture(16, 16, true);
}  // namespace

TEST_F(ButtonTest, ANewControlTakesItsNameCentredCaptionAndFaceColoursAndAnnouncesThem) {
    auto* b = new wenButtons_H(form.get());
    b->setObjectName("Command7");
    b->setHost(&host);
    EXPECT_EQ(announced(b, [&] { b->InitProperties(); }),
              (Lines{"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}));
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

TEST_F(ButtonTest, ValuesOutsideTheirRangesAreIgnoredSilently) {
    auto* b = addButton();
    designMode();
    struct Case {
        const char* name;
        int low, high;
    };
    for (const Case& c : {Case{"ButtonStyle", 0, 7}, Case{"Mode", 0, 2}, Case{"CaptionAlign", 0, 2},
                          Case{"CaptionStyle", 0, 2}, Case{"CustomClick", 0, 8}, Case{"ButtonShape", 0, 8},
                          Case{"PictureAlign", 0, 5}, Case{"PictureSize", 0, 4}, Case{"GradientMode", 0, 4}}) {
        const QVariant before = b->property(c.name);
        for (int bad : {c.low - 1, c.high + 1}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(bad));
            EXPECT_TRUE(announced(b, [&] { b->setProperty(c.name, bad); }).empty());
            EXPECT_EQ(b->property(c.name), before);
        }
    }
    EXPECT_TRUE(dialogs.calls.empty()) << "no message for a value out of range";
}

TEST_F(ButtonTest, RefusalsAreExplainedInDesignModeAndSilentAtRunTime) {
    using Step = std::function<void(wenButtons_H*)>;
    struct Case {
        const char* what;
        Step prepare, change;
        std::function<bool(wenButtons_H*)> outcome;
        const char* text;
        const char* title = "Veltrane Forms";
    };
    const std::vector<Case> cases = {
        {"caption alignment under a top-centred picture",
         [](auto* b) { b->setPicture(kBitmap);
             b->setPictureAlign(4); }, [](auto* b) { b->setCaptionAlign(0); },
         [](auto* b) { return b->CaptionAlign() == 2; },
         "When button images are aligned top/bottom center, \r\nbutton captions can only be center aligned"},
        {"custom click on a plain shape, stored anyway", [](auto*) {}, [](auto* b) { b->setCustomClick(3); },
         [](auto* b) { return b->CustomClick() == 3; },
         "This property has no effect unless the Button Shape is a custom shape."},
        {"custom shape without picture", [](auto*) {}, [](auto* b) { b->setButtonShape(7); },
         [](auto* b) { return b->ButtonShape() == 0; },
         "The Picture Property must be assigned first and must be a bitmap or JPEG."},
        {"custom shape with an icon", [](auto* b) { b->setPicture(kIcon); }, [](auto* b) { b->setButtonShape(8); },
         [](auto* b) { return b->ButtonShape() == 0 && b->PictureSize() == 0; },
         "The Picture Property must be assigned first and must be a bitmap or JPEG."},
        {"picture size of a custom shape",
         [](auto* b) {
             b->setPicture(kBitmap);
             b->setButtonShape(7);
         }, [](auto* b) { b->setPictureSize(1); },
         [](auto* b) { return b->PictureSize() == 4; }, "The picture size cannot be changed for Shaped buttons"},
        {"icon on a custom shape", [](auto* b) {
             b->setPicture(kBitmap);
             b->setButtonShape(8);
         },
         [](auto* b) { b->setPicture(kIcon); }, [](auto* b) { return b->ButtonShape() == 0; },
         "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\nButton was changed to Rectangular shaped."},
        {"Value true on a command button", [](auto*) {}, [](auto* b) { b->setValue(true); },
         [](auto* b) { return !b->Value(); }, "This property is not applicable for command button modes."},
        {"mouse icon that is no icon", [](auto*) {}, [](auto* b) { b->setMouseIcon(kBitmap); },
         [](auto* b) { return b->MouseIcon().isNull() && b->MousePointer() == 0; }, "Invalid property value",
         "Select .ico Or .cur Files Only"},
    };
    for (bool design : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (design ? " in design mode" : " at run time"));
            host.setUserMode(true);
            auto* b = addButton();
            c.prepare(b);
            dialogs.calls.clear();
            host.setUserMode(!design);
            c.change(b);
            EXPECT_TRUE(c.outcome(b));
            delete b;
            if (!design) {
                EXPECT_TRUE(dialogs.calls.empty());
                continue;
            }
            ASSERT_EQ(dialogs.messages().size(), 1u);
            EXPECT_EQ(dialogs.messages()[0].text, c.text);
            EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Information);
            EXPECT_EQ(dialogs.messages()[0].title, c.title);
        }
    }
}

TEST_F(ButtonTest, ShapesAndPicturesKeepEachOtherInStep) {
    auto* b = addButton();
    b->setPicture(kBitmap);
    b->setPictureAlign(1);
    b->setCaptionAlign(0);
    EXPECT_EQ(b->CaptionAlign(), 0) << "beside the caption any alignment goes";
    EXPECT_EQ(announced(b, [&] { b->setButtonShape(0); }), Lines{"Shape"}) << "the alignment is not announced";
    EXPECT_EQ(b->CaptionAlign(), 2) << "any accepted shape centres the caption";
    b->setButtonShape(7);
    EXPECT_EQ(b->PictureSize(), 4) << "a custom shape scales the picture";
    EXPECT_FALSE(b->model().bDelayDrawing);
    b->setPicture(::Picture());
    EXPECT_EQ(b->ButtonShape(), 0) << "removing the picture ends the custom shape";
}

TEST_F(ButtonTest, PictureSizeAndFontStyleMapTheirStepsAndBits) {
    auto* b = addButton();
    for (auto [step, pixels] : {std::pair{0, 16}, {1, 24}, {2, 32}, {3, 40}, {4, 48}}) {
        b->setPictureSize(step);
        EXPECT_EQ(b->model().nPicSize, pixels);
        EXPECT_EQ(b->PictureSize(), step);
    }
    struct Case {
        int in, out;
        bool bold, italic, underline;
    };
    for (const Case& c : {Case{14, 14, true, true, true}, Case{1, 0, false, false, false},
                          Case{2, 2, true, false, false}, Case{12, 12, false, true, true}}) {
        SCOPED_TRACE(c.in);
        b->setFontStyle(c.in);
        EXPECT_EQ(b->FontStyle(), c.out);
        EXPECT_EQ(b->Font().bold(), c.bold);
        EXPECT_EQ(b->Font().italic(), c.italic);
        EXPECT_EQ(b->Font().underline(), c.underline);
    }
}

TEST_F(ButtonTest, LockedHoverColoursFollowTheNormalOnesUntilSetOnTheirOwn) {
    auto* b = addButton();
    b->setBackColor(0x00FF00);
    b->setForeColor(0x0000FF);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00u);
    EXPECT_EQ(b->HoverForeColor(), 0x0000FFu);

    b->setHoverBackColor(0x123456);
    EXPECT_EQ(b->HoverColorLocks(), 1);
    EXPECT_EQ(announced(b, [&] { b->setHoverForeColor(0xABCDEF); }), (Lines{"cFHover", "cFHover"}));
    EXPECT_EQ(b->HoverColorLocks(), 3);
    b->setBackColor(0x00EE00);
    b->setForeColor(0x111111);
    EXPECT_EQ(b->HoverBackColor(), 0x123456u);
    EXPECT_EQ(b->HoverForeColor(), 0xABCDEFu);

    EXPECT_EQ(announced(b, [&] { b->setHoverColorLocks(7); }), Lines{"LockHover"});
    EXPECT_EQ(b->HoverColorLocks(), 7) << "stored, but locks nothing";
    EXPECT_EQ(b->HoverBackColor(), 0x123456u);

    b->setHoverColorLocks(0);
    EXPECT_EQ(b->HoverBackColor(), 0x00EE00u) << "locking again takes the normal colours at once";
    EXPECT_EQ(b->HoverForeColor(), 0x111111u);
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

    // A hover back colour set elsewhere (as a stored form may hold it) with
    // the locks still 0 is freed by the next back colour.
    b->setGradientMode(2);
    PropertyBag bag;
    b->WriteProperties(bag);
    bag.write("cBHover", QVariant::fromValue<quint32>(0x777777));
    auto* c = load(bag);
    ASSERT_EQ(c->HoverColorLocks(), 0);
    c->setBackColor(0x00CC00);
    EXPECT_EQ(c->HoverBackColor(), 0x0000BBu);
    EXPECT_EQ(c->HoverColorLocks(), 1);
}

TEST_F(ButtonTest, ResettingDefaultColoursWorksOnlyInDesignMode) {
    auto* b = addButton();
    b->setBackColor(0x00FF00);
    b->setForeColor(0x0000FF);
    b->setHoverColorLocks(3);
    b->setResetDefaultColors(true);
    EXPECT_EQ(b->BackColor(), 0x00FF00u);

    designMode();
    b->setGradientMode(1);
    const Lines keys = announced(b, [&] { b->setResetDefaultColors(true); });
    EXPECT_EQ(b->BackColor(), 0x8000000Fu);
    EXPECT_EQ(b->ForeColor(), 0x80000012u);
    EXPECT_EQ(b->GradientColor(), 0x8000000Fu);
    EXPECT_EQ(b->GradientMode(), 0);
    EXPECT_EQ(b->HoverColorLocks(), 0);
    EXPECT_EQ(b->HoverBackColor(), 0x8000000Fu);
    EXPECT_EQ(b->HoverForeColor(), 0x80000012u);
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(Lines(keys.end() - 2, keys.end()), (Lines{"cGradient", "cBack"}));
    EXPECT_FALSE(b->ResetDefaultColors());
}

TEST_F(ButtonTest, TheDefaultLookNeedsTheFocusRectangleAndGoesWhenItIsSetAtRunTime) {
    auto* b = addButton();
    b->setShowFocusRect(false);
    host.setDefaultButton(b);
    EXPECT_FALSE(b->model().nFlags & FlagDefaultLook) << "not at run time without the rectangle";
    host.setDefaultButton(nullptr);
    designMode();
    host.setDefaultButton(b);
    EXPECT_TRUE(b->model().nFlags & FlagDefaultLook);
    b->setShowFocusRect(true);
    EXPECT_TRUE(b->model().nFlags & FlagDefaultLook) << "kept in design mode";
    EXPECT_EQ(messageTexts(), Lines{"The focus rectangle may appear on default buttons ONLY while in design mode, "
                                    "\r\nbut will not appear when the form is running."});
    host.setUserMode(true);
    EXPECT_EQ(redraws(b, [&] { b->setShowFocusRect(true); }), 1);
    EXPECT_FALSE(b->model().nFlags & FlagDefaultLook);
}

TEST_F(ButtonTest, AMouseIconSwitchesThePointerToCustom) {
    auto* b = addButton();
    EXPECT_EQ(announced(b, [&] { b->setMouseIcon(kIcon); }), (Lines{"mPointer", "mIcon"}));
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
    b->setPicture(kBitmap);
    // The custom shape scales the picture within a delay (a redraw that
    // paints nothing), redraws through the resize handling and once more
    // when the delay ends.
    const int painted = b->paintedCount();
    EXPECT_EQ(redraws(b, [&] { b->setButtonShape(7); }), 3);
    EXPECT_EQ(b->paintedCount() - painted, 2);
}

TEST_F(ButtonTest, NothingIsPaintedWhileDrawingIsDelayedUntilItEndsOrTheForeColourChanges) {
    auto* b = addButton();
    b->DelayDrawing(true);
    int painted = b->paintedCount();
    b->setCaption("One");
    b->setButtonStyle(2);
    b->setBackColor(0x00FF00);
    EXPECT_EQ(b->paintedCount(), painted);
    b->DelayDrawing(false);
    EXPECT_EQ(b->paintedCount(), painted + 1) << "ending the delay paints once";

    b->DelayDrawing(true);
    painted = b->paintedCount();
    b->setForeColor(0x0000FF);
    EXPECT_FALSE(b->model().bDelayDrawing);
    EXPECT_EQ(b->paintedCount(), painted + 1);
    b->DelayDrawing(true);
    b->setForeColor(0x0000FF);
    EXPECT_TRUE(b->model().bDelayDrawing) << "the same colour does nothing";
}

TEST_F(ButtonTest, ValueIsTheDefaultPropertyAndSettersAreReachableByName) {
    auto* b = addButton();
    b->setMode(1);
    EXPECT_STREQ(b->metaObject()->userProperty().name(), "Value");
    EXPECT_TRUE(b->setProperty("Value", true));
    EXPECT_TRUE(b->Value());
}

TEST_F(ButtonTest, ADisabledContainerGreysTheButtonButLeavesItsOwnState) {
    auto* b = addButton();
    EXPECT_EQ(redraws(b, [&] { form->setEnabled(false); }), 1) << "the look changes";
    EXPECT_FALSE(b->model().Enabled);
    EXPECT_TRUE(b->Enabled());
    b->setEnabled(false);
    form->setEnabled(true);
    EXPECT_FALSE(b->Enabled()) << "re-enabling the container keeps the button's own state";
    EXPECT_FALSE(b->isEnabled());
}
