// Escaping for XML: the classic header's mend and the reader-ready writer.
#include "feed/XmlEscape.h"

#include <gtest/gtest.h>

TEST(EscapeKeepingReferences, EscapesBareAmpersandsAndEveryLessThanButKeepsXmlsOwnReferences) {
    const std::pair<std::string, std::string> cases[] = {
        {"Tom & Jerry", "Tom &amp; Jerry"},
        {"?a=1&b=2", "?a=1&amp;b=2"},
        {"&amp; &lt; &gt; &quot; &apos;", "&amp; &lt; &gt; &quot; &apos;"},
        {"&#233; &#xE9; &#x1F600;", "&#233; &#xE9; &#x1F600;"},
        {"&nbsp;", "&amp;nbsp;"},                  // HTML's names are not XML's
        {"&#0; &#xD800; &#X41; &#;", "&amp;#0; &amp;#xD800; &amp;#X41; &amp;#;"},  // not characters XML allows
        {"&amp &", "&amp;amp &amp;"},              // no semicolon, or at the end
        {"<i>a > b</i>", "&lt;i>a > b&lt;/i>"},
        {"caf\xe9 \x01", "caf\xe9 \x01"},          // every other byte as it is
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(EscapeKeepingReferences(in), out) << in;
}

TEST(AppendXmlEscaped, EscapesMarkupAndDropsWhatXmlForbids) {
    std::string out = "x";
    AppendXmlEscaped(out, "a&b<c>d\"e\x01\x1f\tf\r\n\xEF\xBF\xBE\xEF\xBF\xBDg");
    EXPECT_EQ(out, "xa&amp;b&lt;c&gt;d\"e\tf\r\n\xEF\xBF\xBDg");
    out.clear();
    AppendXmlEscaped(out, "say \"hi\"", true);
    EXPECT_EQ(out, "say &quot;hi&quot;");
}
