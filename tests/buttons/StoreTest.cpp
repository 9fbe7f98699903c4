#include "tests/buttons/ButtonFixture.h"

namespace {
PropertyBag written(const wenButtons_H* b) {
    PropertyBag bag;
    b->WriteProperties(bag);
    return bag;
}
QVariant colour(ColourValue c) { return QVariant::fromValue(c); }
}  // namespace

TEST_F(ButtonTest, ANewControlAnnouncesItsSettingsAndStoresOnlyWhatDiffersFromTheWriteDefaults) {
    auto* c = new wenButtons_H(form.get());
    c->setObjectName("Command1");
    c->setHost(&host);
    EXPECT_EQ(announced(c, [&] { c->InitProperties(); }),
              (Lines{"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}));
    // The caption starts as the control's name; an unset picture size
    // counts as 16, the default.
    const PropertyBag bag = written(c);
    EXPECT_EQ(bag.keys(), QStringList({"caption", "font", "cgradient", "mode", "value", "cback"}));
    EXPECT_EQ(bag.read("Caption"), "Command1");

    c->setCaption("");
    c->setGradientColor(0x8000000F);
    c->setBackColor(0x00FF00);  // the hover colour follows: its default is the back colour
    EXPECT_EQ(written(c).keys(), QStringList({"font", "mode", "value", "cback"}));
}

TEST_F(ButtonTest, EveryPropertySurvivesARoundTripThroughTheStoreBytes) {
    const std::vector<std::pair<const char*, QVariant>> set = {
        {"Caption", "E&xit && Quit"}, {"ButtonStyle", 6}, {"Picture", QVariant::fromValue(testPicture(24, 12))},
        {"PictureSize", 2}, {"PictureAlign", 1}, {"CaptionAlign", 0}, {"CaptionStyle", 2}, {"Mode", 1},
        {"Value", true}, {"GradientColor", colour(0x00AA00)}, {"GradientMode", 3}, {"BackColor", colour(0x112233)},
        {"ForeColor", colour(0x445566)}, {"HoverForeColor", colour(0x778899)}, {"ShowFocusRect", false},
        {"FontStyle", 10}, {"MouseIcon", QVariant::fromValue(testPicture(16, 16, true))}, {"MousePointer", 11},
        {"Enabled", false}};
    for (const auto& [name, value] : set) b->setProperty(name, value);
    const PropertyBag bag = written(b);
    EXPECT_EQ(bag.read("ImgSize").toInt(), 32);
    bool ok = false;
    auto* c = new wenButtons_H(form.get());
    c->setHost(&host);
    c->ReadProperties(PropertyBag::deserialize(bag.serialize(), &ok));
    ASSERT_TRUE(ok);
    for (const auto& [name, value] : set) EXPECT_EQ(c->property(name), value) << name;
    EXPECT_EQ(c->accessKey(), "x");
    EXPECT_EQ(c->model().nPicWidth, 24);
    EXPECT_EQ(c->HoverBackColor(), 0x00AA00u) << "follows the gradient colour";
    EXPECT_EQ(c->HoverColorLocks(), b->HoverColorLocks());
    EXPECT_EQ(written(c), bag) << "writing what was read gives the same store";
}

TEST_F(ButtonTest, ALoadedButtonTakesTheFormsColourForBothFacesJoinsItsGroupAndPaintsOnceAtTheEnd) {
    auto* first = addButton("Option1");
    first->setMode(2);
    first->setValue(true);
    host.setBackColor(0x00C0FFEE);
    // Keys in any letter case, values outside the setters' ranges, no back
    // colour.
    PropertyBag bag;
    bag.write("CAPTION", "&Load");
    bag.write("mode", 2);
    bag.write("Value", true);
    bag.write("backstyle", 12);
    bag.write("LockHover", 9);
    bag.write("ImgSize", QVariant::fromValue<qint16>(40));  // reads back as its step, 3
    auto* b = new wenButtons_H(form.get());
    b->setHost(&host);
    const int painted = b->paintedCount();
    b->ReadProperties(bag);
    EXPECT_EQ(b->paintedCount() - painted, 1);
    EXPECT_EQ(b->accessKey(), "L");
    EXPECT_EQ(props(b, {"BackColor", "HoverBackColor", "GradientColor", "CaptionAlign", "ShowFocusRect", "ButtonStyle",
                        "HoverColorLocks", "PictureSize"}),
              QVariantList({colour(0x00C0FFEE), colour(0x00C0FFEE), colour(0x8000000F), 2, true, 12, 9, 3}));
    EXPECT_FALSE(first->Value()) << "the selected option loaded after it clears it";
    EXPECT_EQ(form->property("wen_Obj2").value<quintptr>(), reinterpret_cast<quintptr>(b));
}
