#include "ButtonFixture.h"

#include "PropertyBag.h"

#include <QImage>

namespace {
::Picture picture(int w, int h, bool asIcon = false) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::green);
    return asIcon ? ::Picture::icon(img) : ::Picture::bitmap(img);
}
}  // namespace

class StoreTest : public ButtonTest {
protected:
    wenButtons_H* load(const PropertyBag& bag, const QString& name = "Loaded") {
        auto* b = new wenButtons_H(form.get());
        b->setObjectName(name);
        b->setHost(&host);
        b->ReadProperties(bag);
        return b;
    }
};

TEST_F(StoreTest, ANewButtonStoresOnlyWhatDiffersFromTheDefaults) {
    auto* b = addButton("Command1");
    PropertyBag bag;
    b->WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList({"caption", "font", "cgradient", "mode", "value", "cback"}));
    EXPECT_EQ(bag.read("cBack").value<quint32>(), 0x8000000Fu);
    EXPECT_EQ(bag.read("Mode").toInt(), 0);
    EXPECT_FALSE(bag.read("Value").toBool());
}

TEST_F(StoreTest, AButtonAtItsWriteDefaultsStoresModeValueBackColourAndFont) {
    auto* b = addButton();
    b->setCaption("");
    b->setGradientColor(0x8000000F);
    PropertyBag bag;
    b->WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList({"font", "mode", "value", "cback"}));
}

TEST_F(StoreTest, EveryPropertySurvivesARoundTripThroughTheStoreBytes) {
    auto* b = addButton();
    b->setCaption("E&xit && Quit");
    b->setButtonStyle(6);
    b->setPicture(picture(24, 12));
    b->setPictureSize(2);
    b->setPictureAlign(1);
    b->setCaptionAlign(0);
    b->setCaptionStyle(2);
    b->setMode(1);
    b->setValue(true);
    b->setGradientColor(0x00AA00);
    b->setGradientMode(3);
    b->setBackColor(0x112233);
    b->setForeColor(0x445566);
    b->setHoverForeColor(0x778899);
    b->setShowFocusRect(false);
    b->setFontStyle(2 + 8);
    b->setMousePointer(11);
    b->setEnabled(false);
    PropertyBag bag;
    b->WriteProperties(bag);
    bool ok = false;
    const PropertyBag copy = PropertyBag::deserialize(bag.serialize(), &ok);
    ASSERT_TRUE(ok);

    auto* c = load(copy);
    EXPECT_EQ(c->Caption(), b->Caption());
    EXPECT_EQ(c->accessKey(), "x");
    EXPECT_EQ(c->ButtonStyle(), 6);
    EXPECT_EQ(c->Picture(), b->Picture());
    EXPECT_EQ(c->model().nPicWidth, 24);
    EXPECT_EQ(c->PictureSize(), 2);
    EXPECT_EQ(c->PictureAlign(), 1);
    EXPECT_EQ(c->CaptionAlign(), 0);
    EXPECT_EQ(c->CaptionStyle(), 2);
    EXPECT_EQ(c->Mode(), 1);
    EXPECT_TRUE(c->Value());
    EXPECT_EQ(c->GradientColor(), 0x00AA00u);
    EXPECT_EQ(c->GradientMode(), 3);
    EXPECT_EQ(c->BackColor(), 0x112233u);
    EXPECT_EQ(c->ForeColor(), 0x445566u);
    EXPECT_EQ(c->HoverForeColor(), 0x778899u);
    EXPECT_EQ(c->HoverBackColor(), b->HoverBackColor());
    EXPECT_EQ(c->HoverColorLocks(), b->HoverColorLocks());
    EXPECT_FALSE(c->ShowFocusRect());
    EXPECT_EQ(c->FontStyle(), 10);
    EXPECT_EQ(c->MousePointer(), 11);
    EXPECT_FALSE(c->Enabled());

    PropertyBag again;
    c->WriteProperties(again);
    EXPECT_EQ(again, bag) << "writing what was read gives the same store";
}

TEST_F(StoreTest, KeysWrittenInOtherLetterCasesAreRead) {
    PropertyBag bag;
    bag.write("CAPTION", "Shouting");
    bag.write("cback", QVariant::fromValue<quint32>(0x00FF00));
    bag.write("cBhover", QVariant::fromValue<quint32>(0x0000FF));
    bag.write("backstyle", 4);
    auto* b = load(bag);
    EXPECT_EQ(b->Caption(), "Shouting");
    EXPECT_EQ(b->BackColor(), 0x00FF00u);
    EXPECT_EQ(b->HoverBackColor(), 0x0000FFu);
    EXPECT_EQ(b->ButtonStyle(), 4);
}

TEST_F(StoreTest, AStoreWithoutBackColourTakesTheFormsColourForBothFaces) {
    host.setBackColor(0x00C0FFEE);
    PropertyBag bag;
    bag.write("Mode", 0);
    auto* b = load(bag);
    EXPECT_EQ(b->BackColor(), 0x00C0FFEEu);
    EXPECT_EQ(b->HoverBackColor(), 0x00C0FFEEu);
    EXPECT_EQ(b->CaptionAlign(), 2);
    EXPECT_TRUE(b->ShowFocusRect());
    EXPECT_EQ(b->GradientColor(), 0x8000000Fu);
}

TEST_F(StoreTest, AStoredPixelSizeReadsBackAsItsStep) {
    PropertyBag bag;
    bag.write("ImgSize", QVariant::fromValue<qint16>(40));
    EXPECT_EQ(load(bag)->PictureSize(), 3);
}

TEST_F(StoreTest, ValuesOutsideTheRangesStayAsRead) {
    PropertyBag bag;
    bag.write("BackStyle", 12);
    bag.write("CapAlign", -3);
    bag.write("LockHover", 9);
    auto* b = load(bag);
    EXPECT_EQ(b->ButtonStyle(), 12);
    EXPECT_EQ(b->CaptionAlign(), -3);
    EXPECT_EQ(b->HoverColorLocks(), 9);
}

TEST_F(StoreTest, ALoadedSelectedOptionJoinsAndClearsTheMembersBeforeIt) {
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

TEST_F(StoreTest, LoadingPaintsOnceAtTheEnd) {
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
}

TEST_F(StoreTest, TheMouseIconIsStoredOnlyWhenSetAndRestoresTheCustomPointer) {
    auto* b = addButton();
    PropertyBag bag;
    b->WriteProperties(bag);
    EXPECT_FALSE(bag.contains("mIcon"));
    b->setMouseIcon(picture(16, 16, true));
    b->setMousePointer(99);
    b->WriteProperties(bag);
    ASSERT_TRUE(bag.contains("mIcon"));

    std::vector<std::string> keys;
    auto* c = new wenButtons_H(form.get());
    c->setHost(&host);
    QObject::connect(c, &wenButtons_H::PropertyChanged, [&](const QString& k) { keys.push_back(k.toStdString()); });
    c->ReadProperties(bag);
    EXPECT_EQ(c->MousePointer(), 99);
    EXPECT_FALSE(c->MouseIcon().isNull());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "mIcon"), keys.end());
}

TEST_F(StoreTest, ANewControlWithoutASizeStoresNoImageSize) {
    auto* b = addButton();
    ASSERT_EQ(b->model().nPicSize, 0);
    PropertyBag bag;
    b->WriteProperties(bag);
    EXPECT_FALSE(bag.contains("ImgSize")) << "an unset size counts as 16, the default";
    b->setPictureSize(1);
    b->WriteProperties(bag);
    EXPECT_EQ(bag.read("ImgSize").toInt(), 24);
}
