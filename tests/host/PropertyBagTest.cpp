#include "host/Picture.h"
#include "host/PropertyBag.h"

#include <QFont>
#include <QImage>
#include <gtest/gtest.h>

TEST(PropertyBag, KeysCompareWithoutRegardToCase) {
    PropertyBag bag;
    bag.write("cBhover", 0x00FF00, 0x8000000F);
    EXPECT_EQ(bag.read("cBHover", 0).toInt(), 0x00FF00);
    EXPECT_TRUE(bag.contains("CBHOVER"));
    EXPECT_EQ(bag.keys(), QStringList{"cbhover"});
}

TEST(PropertyBag, AValueEqualToItsDefaultIsNotKeptAndReadsAsTheDefault) {
    PropertyBag bag;
    bag.write("CapAlign", 2, 2);
    EXPECT_FALSE(bag.contains("CapAlign"));
    EXPECT_EQ(bag.read("CapAlign", 7).toInt(), 7);
    // Writing the default later forgets a value kept before.
    bag.write("CapAlign", 1, 2);
    bag.write("CapAlign", 2, 2);
    EXPECT_FALSE(bag.contains("CapAlign"));
}

TEST(PropertyBag, IntegersOfDifferentWidthsCompareByNumber) {
    PropertyBag bag;
    bag.write("mPointer", QVariant::fromValue<qint16>(0), 0);
    EXPECT_FALSE(bag.contains("mPointer"));
}

TEST(PropertyBag, AValueWrittenWithoutDefaultIsAlwaysKept) {
    PropertyBag bag;
    bag.write("Mode", 0);
    bag.write("Value", false);
    EXPECT_EQ(bag.keys(), (QStringList{"mode", "value"}));
}

TEST(PropertyBag, SerializedFormKeepsTypesOrderAndObjects) {
    PropertyBag bag;
    bag.write("Caption", QString("&Go"));
    bag.write("Focus", false, true);
    bag.write("cBack", quint32(0x80000005));
    bag.write("Font", QFont("DejaVu Sans", 11));
    QImage img(4, 3, QImage::Format_ARGB32);
    img.fill(Qt::red);
    bag.write("Image", QVariant::fromValue(Picture::icon(img)));

    bool ok = false;
    PropertyBag back = PropertyBag::deserialize(bag.serialize(), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(back.keys(), bag.keys());
    EXPECT_EQ(back.read("caption").toString(), "&Go");
    EXPECT_EQ(back.read("focus").typeId(), QMetaType::Bool);
    EXPECT_EQ(back.read("cback").toUInt(), 0x80000005u);
    EXPECT_EQ(back.read("font").value<QFont>().pointSize(), 11);
    Picture pic = back.read("image").value<Picture>();
    EXPECT_EQ(pic.kind(), Picture::Kind::Icon);
    EXPECT_EQ(pic.size(), QSize(4, 3));
    EXPECT_TRUE(back == bag);
}

TEST(PropertyBag, TruncatedBytesAreReportedNotTrusted) {
    PropertyBag bag;
    bag.write("Caption", QString("x"));
    QByteArray bytes = bag.serialize();
    bool ok = true;
    PropertyBag::deserialize(bytes.left(bytes.size() - 2), &ok);
    EXPECT_FALSE(ok);
}

TEST(Picture, FilesLoadAsBitmapsExceptIconFiles) {
    EXPECT_TRUE(Picture::fromFile("/nonexistent.png").isNull());
    EXPECT_EQ(Picture::fromFile("/nonexistent.png").handle(), 0);
    QImage img(2, 2, QImage::Format_RGB32);
    img.fill(Qt::blue);
    Picture b = Picture::bitmap(img);
    EXPECT_EQ(b.kind(), Picture::Kind::Bitmap);
    EXPECT_NE(b.handle(), 0);
}
