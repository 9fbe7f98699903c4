#include "tests/buttons/ButtonFixture.h"

namespace {
const ::Picture kBitmap = testPicture(20, 10);
const ::Picture kIcon = testPicture(16, 16, true);

// Back, fore, gradient, hover back and hover fore colours.
std::vector<quint32> colours(const wenButtons_H* b) {
    return {b->BackColor(), b->ForeColor(), b->GradientColor(), b->HoverBackColor(), b->HoverForeColor()};
}
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
    // A new control's gradient colour is black.
    EXPECT_EQ(colours(b), (std::vector<quint32>{0x8000000F, 0x80000012, 0, 0x8000000F, 0x80000012}));
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
    struct Case {
        ::Picture picture;  // given first, with the shape and picture alignment
        int shape, pictureAlign;
        const char* name;
        QVariant value;
        const char* checked;
        QVariant outcome;
        const char* text;
        const char* title = "Veltrane Forms";
    };
    const char* const noBitmap = "The Picture Property must be assigned first and must be a bitmap or JPEG.";
    const std::vector<Case> cases = {
        {kBitmap, 0, 4, "CaptionAlign", 0, "CaptionAlign", 2,
         "When button images are aligned top/bottom center, \r\nbutton captions can only be center aligned"},
        {{}, 0, 0, "CustomClick", 3, "CustomClick", 3,  // stored all the same
         "This property has no effect unless the Button Shape is a custom shape."},
        {{}, 0, 0, "ButtonShape", 7, "ButtonShape", 0, noBitmap},
        {kIcon, 0, 0, "ButtonShape", 8, "ButtonShape", 0, noBitmap},
        {kBitmap, 7, 0, "PictureSize", 1, "PictureSize", 4, "The picture size cannot be changed for Shaped buttons"},
        {kBitmap, 8, 0, "Picture", QVariant::fromValue(kIcon), "ButtonShape", 0,
         "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\nButton was changed to Rectangular shaped."},
        {{}, 0, 0, "Value", true, "Value", false, "This property is not applicable for command button modes."},
        {{}, 0, 0, "MouseIcon", QVariant::fromValue(kBitmap), "MousePointer", 0, "Invalid property value",
         "Select .ico Or .cur Files Only"},
    };
    for (bool design : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (design ? " in design mode" : " at run time"));
            host.setUserMode(true);
            std::unique_ptr<wenButtons_H> b(addButton());
            if (!c.picture.isNull()) b->setPicture(c.picture);
            b->setButtonShape(c.shape);
            b->setPictureAlign(c.pictureAlign);
            dialogs.calls.clear();
            host.setUserMode(!design);
            b->setProperty(c.name, c.value);
            EXPECT_EQ(b->property(c.checked), c.outcome);
            ASSERT_EQ(dialogs.messages().size(), design ? 1u : 0u);
            if (!design) continue;
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
    // Bit 2 bold, 4 italic, 8 underline; bit 1 means nothing.
    for (auto [in, out] : {std::pair{14, 14}, {1, 0}, {2, 2}, {12, 12}}) {
        b->setFontStyle(in);
        const QFont f = b->Font();
        EXPECT_EQ(b->FontStyle(), out) << in;
        EXPECT_EQ(f.bold() * 2 + f.italic() * 4 + f.underline() * 8, out) << in;
    }
}

TEST_F(ButtonTest, LockedHoverColoursFollowTheNormalOnesUntilSetOnTheirOwn) {
    auto* b = addButton();
    b->setBackColor(0x00FF00);
    b->setForeColor(0x0000FF);
    EXPECT_EQ(colours(b), (std::vector<quint32>{0x00FF00, 0x0000FF, 0, 0x00FF00, 0x0000FF}));
    b->setHoverBackColor(0x123456);
    EXPECT_EQ(b->HoverColorLocks(), 1);
    EXPECT_EQ(announced(b, [&] { b->setHoverForeColor(0xABCDEF); }), (Lines{"cFHover", "cFHover"}));
    EXPECT_EQ(b->HoverColorLocks(), 3);
    b->setBackColor(0x00EE00);
    b->setForeColor(0x111111);
    EXPECT_EQ(colours(b), (std::vector<quint32>{0x00EE00, 0x111111, 0, 0x123456, 0xABCDEF}));
    EXPECT_EQ(announced(b, [&] { b->setHoverColorLocks(7); }), Lines{"LockHover"});
    EXPECT_EQ(b->HoverColorLocks(), 7) << "stored, but locks nothing";
    EXPECT_EQ(b->HoverBackColor(), 0x123456u);
    b->setHoverColorLocks(0);
    EXPECT_EQ(colours(b), (std::vector<quint32>{0x00EE00, 0x111111, 0, 0x00EE00, 0x111111}))
        << "locking again takes the normal colours at once";
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
    EXPECT_EQ(colours(b), (std::vector<quint32>{0x8000000F, 0x80000012, 0x8000000F, 0x8000000F, 0x80000012}));
    EXPECT_EQ(b->GradientMode(), 0);
    EXPECT_EQ(b->HoverColorLocks(), 0);
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
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, std::string("The focus rectangle may appear on default buttons ONLY while "
                                                      "in design mode, \r\nbut will not appear when the form is running."));
    host.setUserMode(true);
    EXPECT_EQ(redraws(b, [&] { b->setShowFocusRect(true); }), 1);
    EXPECT_FALSE(b->model().nFlags & FlagDefaultLook);
}

TEST_F(ButtonTest, AMouseIconSwitchesThePointerToCustomAndValueIsTheDefaultProperty) {
    auto* b = addButton();
    EXPECT_EQ(announced(b, [&] { b->setMouseIcon(kIcon); }), (Lines{"mPointer", "mIcon"}));
    EXPECT_EQ(b->MousePointer(), 99);
    EXPECT_STREQ(b->metaObject()->userProperty().name(), "Value");
}

TEST_F(ButtonTest, EachSetterRedrawsAsOftenAsItsChangeNeedsAndNeverPaintsWhileDelayed) {
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
    int painted = b->paintedCount();
    EXPECT_EQ(redraws(b, [&] { b->setButtonShape(7); }), 3);
    EXPECT_EQ(b->paintedCount() - painted, 2);

    b->DelayDrawing(true);
    painted = b->paintedCount();
    b->setCaption("One");
    b->setBackColor(0x00FF00);
    EXPECT_EQ(b->paintedCount(), painted);
    b->DelayDrawing(false);
    EXPECT_EQ(b->paintedCount(), painted + 1) << "ending the delay paints once";
    b->DelayDrawing(true);
    b->setForeColor(0x0000FF);
    EXPECT_FALSE(b->model().bDelayDrawing) << "a new fore colour ends the delay";
    EXPECT_EQ(b->paintedCount(), painted + 2);
    b->DelayDrawing(true);
    b->setForeColor(0x0000FF);
    EXPECT_TRUE(b->model().bDelayDrawing) << "the same colour does nothing";
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
