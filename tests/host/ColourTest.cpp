#include "host/SystemColors.h"
#include "host/VirtualKeys.h"

#include <gtest/gtest.h>

TEST(TranslateColor, LooksUpSystemColoursByTheirLowByteAndKeepsExplicitOnes) {
    SystemColourTable system{};
    system[18] = MakeRgb(4, 5, 6);
    EXPECT_EQ(TranslateColor(kButtonTextColor, system), MakeRgb(4, 5, 6));
    EXPECT_EQ(TranslateColor(0x00123456, system), 0x00123456u);
    EXPECT_EQ(TranslateColor(0x800000FF, system), 0u);  // unknown number
    // Red is the low byte of a colour value and of an image pixel's RGB.
    EXPECT_EQ(SystemColors::classic().toQColor(0x00123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ToArgb(0x00123456), 0xFF563412u);
}

TEST(VirtualKeys, PointerNumbersNameTheirShapesAndTheRestLeaveTheControlsOwn) {
    EXPECT_EQ(VirtualKeys::pointerShape(15), Qt::SizeAllCursor);
    for (int none : {0, 16, 99, -1}) EXPECT_FALSE(VirtualKeys::pointerShape(none).has_value()) << none;
}
