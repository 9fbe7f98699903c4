#include "tests/buttons/ButtonFixture.h"

namespace {
const ::Picture kBitmap = testPicture(20, 10);
const ::Picture kIcon = testPicture(16, 16, true);

// Back, fore, gradient, hover back and hover fore colours.
std::vector<ColourValue> colours(const wenButtons_H* b) {
    return {b->BackColor(), b->ForeColor(), b->GradientColor(), b->HoverBackColor(), b->HoverForeColor()};
}
}  // namespace

TEST_F(ButtonTest, RefusalsAreExplainedInDesignModeAndSilentAtRunTime) {
    struct Case {
        ::Picture picture;  // given first, with the shape and picture alignment
        int shape, pictureAlign;
        const char* name;
        QVariant value;
        const char* checked;
        QVariant outcome;
        const char* text;
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
        {{}, 0, 0, "MouseIcon", QVariant::fromValue(kBitmap), "MousePointer", 0, "Invalid property value"},
    };
    for (bool design : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (design ? " in design mode" : " at run time"));
            host.setUserMode(true);
            std::unique_ptr<wenButtons_H> button(addButton());
            if (!c.picture.isNull()) button->setPicture(c.picture);
            button->setButtonShape(c.shape);
            button->setPictureAlign(c.pictureAlign);
            dialogs.calls.clear();
            host.setUserMode(!design);
            button->setProperty(c.name, c.value);
            EXPECT_EQ(button->property(c.checked), c.outcome);
            ASSERT_EQ(dialogs.messages().size(), design ? 1u : 0u);
            if (!design) continue;
            const DialogCall m = dialogs.messages()[0];
            EXPECT_EQ(m.text, c.text);
            EXPECT_EQ(m.icon, MessageIcon::Information);
            EXPECT_EQ(m.title, c.name == std::string("MouseIcon") ? "Select .ico Or .cur Files Only" : "Veltrane Forms");
        }
    }
}

TEST_F(ButtonTest, ShapesAndPicturesKeepEachOtherInStep) {
    b->setPicture(kBitmap);
    b->setPictureAlign(1);
    b->setCaptionAlign(0);
    EXPECT_EQ(b->CaptionAlign(), 0) << "beside the caption any alignment goes";
    EXPECT_EQ(announced(b, [&] { b->setButtonShape(0); }), Lines{"Shape"}) << "the alignment is not announced";
    EXPECT_EQ(b->CaptionAlign(), 2) << "any accepted shape centres the caption";
    b->setButtonShape(7);
    b->setPicture(::Picture());
    EXPECT_EQ(b->ButtonShape(), 0) << "removing the picture ends the custom shape";
}

TEST_F(ButtonTest, FontStyleAndMouseIconMapTheirSteps) {
    // Bit 2 bold, 4 italic, 8 underline; bit 1 means nothing.
    for (auto [in, out] : {std::pair{14, 14}, {1, 0}, {2, 2}, {4, 4}, {8, 8}}) {
        b->setFontStyle(in);
        EXPECT_EQ(b->FontStyle(), out) << in;
    }
    EXPECT_EQ(announced(b, [&] { b->setMouseIcon(kIcon); }), (Lines{"mPointer", "mIcon"}));
    EXPECT_EQ(b->MousePointer(), 99) << "the custom pointer";
}

TEST_F(ButtonTest, LockedHoverColoursFollowTheNormalOnesUntilSetOnTheirOwn) {
    b->setBackColor(0x00FF00);
    b->setForeColor(0x0000FF);
    EXPECT_EQ(colours(b), (std::vector<ColourValue>{0x00FF00, 0x0000FF, 0, 0x00FF00, 0x0000FF}));
    b->setHoverBackColor(0x123456);
    EXPECT_EQ(announced(b, [&] { b->setHoverForeColor(0xABCDEF); }), (Lines{"cFHover", "cFHover"}));
    b->setBackColor(0x00EE00);
    b->setForeColor(0x111111);
    EXPECT_EQ(announced(b, [&] { b->setHoverColorLocks(7); }), Lines{"LockHover"}) << "stored, but locks nothing";
    EXPECT_EQ(colours(b), (std::vector<ColourValue>{0x00EE00, 0x111111, 0, 0x123456, 0xABCDEF}));
    b->setHoverColorLocks(2);
    EXPECT_EQ(colours(b), (std::vector<ColourValue>{0x00EE00, 0x111111, 0, 0x00EE00, 0xABCDEF}))
        << "locking the back colour again takes the normal one at once";
    b->setHoverColorLocks(0);
    EXPECT_EQ(b->HoverForeColor(), 0x111111u);
}

TEST_F(ButtonTest, WithAGradientTheLockedHoverBackColourFollowsTheGradientColour) {
    b->setGradientColor(0x0000AA);
    b->setGradientMode(2);
    EXPECT_EQ(b->HoverBackColor(), 0x0000AAu);
    b->setGradientColor(0x0000BB);
    EXPECT_EQ(b->HoverBackColor(), 0x0000BBu);
    b->setGradientMode(0);
    EXPECT_EQ(b->HoverBackColor(), b->BackColor());
}

TEST_F(ButtonTest, ResettingDefaultColoursWorksOnlyInDesignMode) {
    b->setBackColor(0x00FF00);
    b->setForeColor(0x0000FF);
    b->setHoverColorLocks(3);
    b->setGradientMode(1);
    b->setResetDefaultColors(true);
    EXPECT_EQ(b->BackColor(), 0x00FF00u);

    host.setUserMode(false);
    b->setResetDefaultColors(true);
    EXPECT_EQ(colours(b), (std::vector<ColourValue>{0x8000000F, 0x80000012, 0x8000000F, 0x8000000F, 0x80000012}));
    EXPECT_EQ(props(b, {"GradientMode", "HoverColorLocks", "ResetDefaultColors"}), QVariantList({0, 0, false}));
}

TEST_F(ButtonTest, TheDefaultLookNeedsTheFocusRectangleAndGoesWhenItIsSetAtRunTime) {
    b->setShowFocusRect(false);
    host.setDefaultButton(b);
    EXPECT_FALSE(b->model().nFlags & FlagDefaultLook) << "not at run time without the rectangle";
    host.setDefaultButton(nullptr);
    host.setUserMode(false);
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

TEST_F(ButtonTest, EachSetterRedrawsAsOftenAsItsChangeNeedsAndNeverPaintsWhileDelayed) {
    EXPECT_EQ(redraws(b, [&] { b->setButtonStyle(3); }), 1);
    EXPECT_EQ(redraws(b, [&] { b->setMode(1); }), 1);
    EXPECT_EQ(redraws(b, [&] { b->setHoverBackColor(0x101010); }), 0);
    EXPECT_EQ(redraws(b, [&] { b->setGradientColor(0x202020); }), 0) << "no gradient shown";
    b->setGradientMode(1);
    EXPECT_EQ(redraws(b, [&] { b->setGradientColor(0x303030); }), 1);
    b->setMode(0);
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
    EXPECT_EQ(b->paintedCount(), painted + 2) << "a new fore colour ends the delay";
    b->DelayDrawing(true);
    b->setForeColor(0x0000FF);
    EXPECT_TRUE(b->model().bDelayDrawing) << "the same colour does nothing";
}

TEST_F(ButtonTest, ADisabledContainerGreysTheButtonButLeavesItsOwnState) {
    EXPECT_EQ(redraws(b, [&] { form->setEnabled(false); }), 1) << "the look changes";
    EXPECT_FALSE(b->model().Enabled);
    EXPECT_TRUE(b->Enabled());
    b->setEnabled(false);
    form->setEnabled(true);
    EXPECT_FALSE(b->Enabled()) << "re-enabling the container keeps the button's own state";
}
