#include "AccessKey.h"

#include <gtest/gtest.h>

void PrintTo(const QString& s, std::ostream* os);

TEST(AccessKey, TheCharacterAfterASingleAmpersandIsTheKey) {
    EXPECT_EQ(accessKeyFromCaption("&Open", "q"), "O");
    EXPECT_EQ(accessKeyFromCaption("Save &as", ""), "a");
}

TEST(AccessKey, ACaptionWithoutAmpersandLeavesThePreviousKey) {
    EXPECT_EQ(accessKeyFromCaption("Open", "q"), "q");
    EXPECT_EQ(accessKeyFromCaption("", "q"), "q");
}

TEST(AccessKey, ATrailingAmpersandMakesTheKeyEmpty) {
    EXPECT_EQ(accessKeyFromCaption("Open&", "q"), "");
}

TEST(AccessKey, ADoubledAmpersandMarksNothing) {
    EXPECT_EQ(accessKeyFromCaption("Save && Exit", "q"), "q");
    EXPECT_EQ(accessKeyFromCaption("&&", "q"), "q");
    EXPECT_EQ(accessKeyFromCaption("E&xit && Quit", "q"), "x");
}

TEST(AccessKey, TheLastSingleAmpersandWins) {
    EXPECT_EQ(accessKeyFromCaption("&a &b", ""), "b");
    EXPECT_EQ(accessKeyFromCaption("&a &&b", ""), "a");
}
