#include "host/Picture.h"
#include "host/PropertyBag.h"

#include <QFont>
#include <gtest/gtest.h>

TEST(PropertyBag, KeysIgnoreCaseAndAValueEqualToItsDefaultIsNotKept) {
    PropertyBag bag;
    bag.write("cBhover", 0x00FF00, 0x8000000F);
    EXPECT_EQ(bag.read("cBHover", 0).toInt(), 0x00FF00);
    EXPECT_EQ(bag.keys(), QStringList{"cbhover"});
    // Writing the default later forgets the value kept before.
    bag.write("CBHOVER", 0x8000000F, 0x8000000F);
    EXPECT_EQ(bag.read("cBhover", 7).toInt(), 7);
    // Integers of different widths compare by number; without a default a
    // value is always kept.
    bag.write("mPointer", QVariant::fromValue<qint16>(0), 0);
    bag.write("Mode", 0);
    EXPECT_EQ(bag.keys(), QStringList{"mode"});
}

TEST(PropertyBag, SerializedFormKeepsTheStoredTypesAndRefusesDamage) {
    PropertyBag bag;
    bag.write("Caption", QString("&Go"));
    bag.write("Focus", false, true);
    bag.write("ImgSize", QVariant::fromValue<qint16>(32));
    bag.write("cBack", 0x8000000Fu);
    bag.write("RightMargin", 0.5f);
    bag.write("Font", QFont("DejaVu Sans", 11));
    QImage red(3, 2, QImage::Format_ARGB32);
    red.fill(Qt::red);
    bag.write("Image", QVariant::fromValue(Picture::icon(red)));
    bool ok = false;
    const QByteArray bytes = bag.serialize();
    const PropertyBag back = PropertyBag::deserialize(bytes, &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(back == bag);
    for (const char* key : {"caption", "focus", "imgsize", "cback", "rightmargin", "font", "image"})
        EXPECT_EQ(back.read(key).typeId(), bag.read(key).typeId()) << key;
    EXPECT_EQ(back.read("image").value<Picture>().kind(), Picture::Kind::Icon);

    // Truncated, followed by stray bytes, or holding an unknown type tag
    // (the byte after the first key): refused.
    PropertyBag::deserialize(bytes.left(bytes.size() - 1), &ok);
    EXPECT_FALSE(ok);
    PropertyBag::deserialize(bytes + '\0', &ok);
    EXPECT_FALSE(ok);
    QByteArray unknown = bytes;
    unknown[9 + 2 * 7 + 4] = 9;
    EXPECT_TRUE(PropertyBag::deserialize(unknown, &ok).isEmpty());
    EXPECT_FALSE(ok);
}

TEST(PropertyBag, APictureIsNotDecodedBeyondWhatItsBytesJustify) {
    // 2100 x 2100 of one colour: a few KB of PNG that would decode to 17 MB.
    QImage plain(2100, 2100, QImage::Format_ARGB32);
    plain.fill(Qt::white);
    PropertyBag bag;
    bag.write("Image", QVariant::fromValue(Picture::bitmap(plain)));
    bool ok = true;
    EXPECT_TRUE(PropertyBag::deserialize(bag.serialize(), &ok).isEmpty());
    EXPECT_FALSE(ok);
}

TEST(Picture, AFileThatCannotBeReadGivesNoPicture) {
    EXPECT_TRUE(Picture::fromFile("/nonexistent.png").isNull());
}
