#include "tests/buttons/ButtonFixture.h"

namespace {
PropertyBag written(const wenButtons_H* b) {
    PropertyBag bag;
    b->WriteProperties(bag);
    return bag;
}
}  // namespace

TEST_F(ButtonTest, AStoreKeepsOnlyWhatDiffersFromTheWriteDefaults) {
    auto* b = addButton("Command1");
    PropertyBag bag = written(b);
    EXPECT_EQ(bag.keys(), QStringList({"caption", "font", "cgradient", "mode", "value", "cback"}))
        << "an unset picture size counts as 16, the default; no mouse icon";
    EXPECT_EQ(bag.read("cBack").value<quint32>(), 0x8000000Fu);
    EXPECT_EQ(bag.read("Mode").toInt(), 0);
    EXPECT_FALSE(bag.read("Value").toBool());

    b->setCaption("");
    b->setGradientColor(0x8000000F);
    EXPECT_EQ(written(b).keys(), QStringList({"font", "mode", "value", "cback"}));
    b->setPictureSize(1);
    EXPECT_EQ(written(b).read("ImgSize").toInt(), 24);
}

TEST_F(ButtonTest, EveryPropertySurvivesARoundTripThroughTheStoreBytes) {
    auto* b = addButton();
    auto colour = [](quint32 c) { return QVariant::fromValue(c); };
    const std::vector<std::pair<const char*, QVariant>> set = {
        {"Caption", "E&xit && Quit"}, {"ButtonStyle", 6}, {"Picture", QVariant::fromValue(testPicture(24, 12))},
        {"PictureSize", 2}, {"PictureAlign", 1}, {"CaptionAlign", 0}, {"CaptionStyle", 2}, {"Mode", 1},
        {"Value", true}, {"GradientColor", colour(0x00AA00)}, {"GradientMode", 3}, {"BackColor", colour(0x112233)},
        {"ForeColor", colour(0x445566)}, {"HoverForeColor", colour(0x778899)}, {"ShowFocusRect", false},
        {"FontStyle", 10}, {"MousePointer", 11}, {"Enabled", false}};
    for (const auto& [name, value] : set) b->setProperty(name, value);
    const PropertyBag bag = written(b);
    bool ok = false;
    auto* c = load(PropertyBag::deserialize(bag.serialize(), &ok));
    ASSERT_TRUE(ok);
    for (const auto& [name, value] : set) EXPECT_EQ(c->property(name), value) << name;
    EXPECT_EQ(c->accessKey(), "x");
    EXPECT_EQ(c->model().nPicWidth, 24);
    EXPECT_EQ(c->HoverBackColor(), 0x00AA00u) << "follows the gradient colour";
    EXPECT_EQ(c->HoverColorLocks(), b->HoverColorLocks());
    EXPECT_EQ(written(c), bag) << "writing what was read gives the same store";
}

TEST_F(ButtonTest, AStoreIsReadWhateverTheLetterCaseOfItsKeysAndWithoutRangeChecks) {
    PropertyBag bag;
    bag.write("CAPTION", "Shouting");
    bag.write("cback", QVariant::fromValue<quint32>(0x00FF00));
    bag.write("cBhover", QVariant::fromValue<quint32>(0x0000FF));
    bag.write("backstyle", 12);
    bag.write("CapAlign", -3);
    bag.write("LockHover", 9);
    bag.write("ImgSize", QVariant::fromValue<qint16>(40));
    auto* b = load(bag);
    EXPECT_EQ(b->Caption(), "Shouting");
    EXPECT_EQ(b->BackColor(), 0x00FF00u);
    EXPECT_EQ(b->HoverBackColor(), 0x0000FFu);
    EXPECT_EQ(b->ButtonStyle(), 12);
    EXPECT_EQ(b->CaptionAlign(), -3);
    EXPECT_EQ(b->HoverColorLocks(), 9);
    EXPECT_EQ(b->PictureSize(), 3) << "a stored pixel size reads back as its step";
}

TEST_F(ButtonTest, AStoreWithoutBackColourTakesTheFormsColourForBothFacesAndLoadingPaintsOnceAtTheEnd) {
    host.setBackColor(0x00C0FFEE);
    PropertyBag bag;
    bag.write("Caption", "&Load");
    bag.write("Mode", 1);
    auto* b = new wenButtons_H(form.get());
    b->setHost(&host);
    const int painted = b->paintedCount();
    b->ReadProperties(bag);
    EXPECT_EQ(b->paintedCount() - painted, 1);
    EXPECT_FALSE(b->model().bDelayDrawing);
    EXPECT_EQ(b->accessKey(), "L");
    EXPECT_EQ(b->BackColor(), 0x00C0FFEEu);
    EXPECT_EQ(b->HoverBackColor(), 0x00C0FFEEu);
    EXPECT_EQ(b->CaptionAlign(), 2);
    EXPECT_TRUE(b->ShowFocusRect());
    EXPECT_EQ(b->GradientColor(), 0x8000000Fu);
}

TEST_F(ButtonTest, ALoadedSelectedOptionJoinsAndClearsTheMembersBeforeIt) {
    auto* first = addButton("Option1");
    first->setMode(2);
    first->setValue(true);
    PropertyBag bag;
    bag.write("Mode", 2);
    bag.write("Value", true);
    auto* second = load(bag, "Option2");
    EXPECT_FALSE(first->Value());
    EXPECT_TRUE(second->Value());
    EXPECT_EQ(form->property("wen_OptCount").toInt(), 2);
    EXPECT_EQ(form->property("wen_Obj2").value<quintptr>(), reinterpret_cast<quintptr>(second));
}

TEST_F(ButtonTest, TheMouseIconIsStoredWhenSetAndRestoresTheCustomPointer) {
    auto* b = addButton();
    b->setMouseIcon(testPicture(16, 16, true));
    const PropertyBag bag = written(b);
    ASSERT_TRUE(bag.contains("mIcon"));
    auto* c = new wenButtons_H(form.get());
    c->setHost(&host);
    const Lines keys = announced(c, [&] { c->ReadProperties(bag); });
    EXPECT_EQ(c->MousePointer(), 99);
    EXPECT_EQ(c->MouseIcon(), b->MouseIcon());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "mIcon"), keys.end());
}
