// Finding a page's encoding and turning its text into UTF-8.
#include "feed/PageEncoding.h"

#include <gtest/gtest.h>

TEST(PageEncoding, HeaderThenByteOrderMarkThenMetaThenValidityDecide) {
    const std::string utf8Meta = "<html><head><meta charset=\"utf-8\"></head>caf\xc3\xa9";
    const std::string latinMeta = "<head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">";
    struct Case {
        std::string page, contentType, expected;
    } cases[] = {
        {"caf\xc3\xa9", "text/html; charset=Shift_JIS", "CP932"},
        {"caf\xc3\xa9", "text/html;charset=\"koi8-r\"", "KOI8-R"},
        {"\xEF\xBB\xBF" + latinMeta, "text/html", "UTF-8"},         // no charset in the header
        {"\xFF\xFE<\0h\0", "", "UTF-16LE"},
        {latinMeta + "caf\xc3\xa9", "", "WINDOWS-1252"},            // ISO-8859-1 means Windows-1252
        {"<meta charset='utf-16'>", "", "UTF-8"},                   // read as ASCII, so not UTF-16
        {"<meta charset=\"no-such-charset\">caf\xe9", "", "WINDOWS-1252"},
        {std::string(1100, ' ') + "<meta charset=\"koi8-r\">", "", "UTF-8"},  // beyond 1,024 bytes
        {"caf\xc3\xa9 na\xc3\xafve", "", "UTF-8"},
        {"caf\xe9", "text/html; charset=bogus", "WINDOWS-1252"},
        {"\xed\xa0\x80", "", "WINDOWS-1252"},                       // a surrogate is not UTF-8
    };
    for (const Case& c : cases) EXPECT_EQ(DetectPageEncoding(c.page, c.contentType), c.expected) << c.page;
}

TEST(Utf8Converter, ConvertsReplacesWhatIsInvalidAndDropsForbiddenControls) {
    EXPECT_EQ(Utf8Converter("WINDOWS-1252")("caf\xe9 \x80 \x81\x01"), "caf\xc3\xa9 \xe2\x82\xac \xef\xbf\xbd");
    EXPECT_EQ(Utf8Converter("UTF-8")(std::string("a\xc3\xa9\xff\x00\tb\xe2\x82", 9)),
              "a\xc3\xa9\xef\xbf\xbd\tb\xef\xbf\xbd\xef\xbf\xbd");
    EXPECT_EQ(Utf8Converter("CP932")("\x93\xfa\x96\x7b"), "\xe6\x97\xa5\xe6\x9c\xac");
    EXPECT_EQ(ProfileValueToUtf8("Caf\xc3\xa9"), "Caf\xc3\xa9");
    EXPECT_EQ(ProfileValueToUtf8("Caf\xe9"), "Caf\xc3\xa9");  // one byte a character, as the window stores it
}
