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

TEST(PropertyBag, SerializedFormKeepsTypesAndTruncatedBytesAreReported) {
    PropertyBag bag;
    bag.write("Caption", QString("&Go"));
    bag.write("Focus", false, true);
    bag.write("Font", QFont("DejaVu Sans", 11));
    bool ok = false;
    const QByteArray bytes = bag.serialize();
    const PropertyBag back = PropertyBag::deserialize(bytes, &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(back == bag);
    EXPECT_EQ(back.read("focus").typeId(), QMetaType::Bool);
    PropertyBag::deserialize(bytes.left(12), &ok);
    EXPECT_FALSE(ok);
}

TEST(Picture, AFileThatCannotBeReadGivesNoPicture) {
    EXPECT_TRUE(Picture::fromFile("/nonexistent.png").isNull());
    EXPECT_EQ(Picture::fromFile("/nonexistent.png").handle(), 0);
}
