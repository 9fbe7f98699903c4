#include "buttons/AccessKey.h"

#include <gtest/gtest.h>

void PrintTo(const QString& s, std::ostream* os);

TEST(AccessKey, TheLastSingleAmpersandMarksTheKeyAndACaptionWithoutOneKeepsThePrevious) {
    struct Case {
        const char *caption, *previous, *key;
    };
    for (const Case& c : {Case{"&Open", "q", "O"}, Case{"Save &as", "", "a"}, Case{"Open", "q", "q"},
                          Case{"", "q", "q"}, Case{"Open&", "q", ""}, Case{"Save && Exit", "q", "q"},
                          Case{"&&", "q", "q"}, Case{"E&xit && Quit", "q", "x"}, Case{"&a &b", "", "b"},
                          Case{"&a &&b", "", "a"}}) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(accessKeyFromCaption(c.caption, c.previous), c.key);
    }
}
