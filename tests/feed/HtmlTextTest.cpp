// Pieces of a page turned into item text, links and safe markup.
#include "feed/HtmlPage.h"
#include "feed/HtmlText.h"
#include "feed/LinkResolver.h"

#include <gtest/gtest.h>

TEST(HtmlText, PlainTextReadsAsABrowserShowsIt) {
    HtmlText html;
    const std::pair<std::string, std::string> cases[] = {
        {"Caf&eacute; opens &amp; more", "Caf\xc3\xa9 opens & more"},
        {"<p>one</p><p>two</p>three<br>four<li>five", "one two three four five"},
        {"<b>bo</b>ld <i>and</i>\r\n\t  <i>squeezed</i>&nbsp;&nbsp;", "bold and squeezed"},
        {"x<script>var a = '<b>';</script><style>p{}</style><noscript>no</noscript>y", "xy"},
        {"&#8217;&#x2019;&hellip;&bogus; 5 < 6", "\xe2\x80\x99\xe2\x80\x99\xe2\x80\xa6&bogus; 5 < 6"},
        {"class=\"x\">tag cut by a marker</a>", "class=\"x\">tag cut by a marker"},
        {"<section>a</section><span>b</span>", "a b"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(html.PlainText(in), out) << in;
}

TEST(HtmlText, FirstLinkIsTheFirstUsableHrefWithEntitiesDecoded) {
    HtmlText html;
    EXPECT_EQ(html.FirstLink("<a name=x>x</a><a href=\"javascript:go()\">j</a> <a href=\" /s?a=1&amp;b=2 \">s</a>"
                             "<a href=\"/later\">"),
              " /s?a=1&b=2 ");
    EXPECT_EQ(html.FirstLink("no links <area href=\"/a\">"), "");
}

TEST(HtmlText, SafeHtmlKeepsContentButNothingThatRunsOrLoadsAndMakesAddressesAbsolute) {
    HtmlText html;
    const LinkResolver links("http://example.com/news/");
    EXPECT_EQ(html.SafeHtml("<p onclick=\"x()\" class=a>Hi <b>there<script>alert(1)</script></b> &amp; &lt;b&gt;"
                            "<img src=\"pic.png\" srcset=\"a.png 2x\" onerror=\"x()\"><a href=\"JaVa\tScript:x()\">j"
                            "</a><a href=\"../top\" title='say \"hi\"'>t</a><iframe src=\"/x\">f</iframe>"
                            "<object data=\"/o\">o</object><style>p{}</style><img src=\"data:image/png;base64,AA\">"
                            "<a href=\"data:text/html,x\">d</a><div>open",
                            links),
              "<p class=\"a\">Hi <b>there</b> &amp; &lt;b&gt;<img src=\"http://example.com/news/pic.png\"><a>j</a>"
              "<a href=\"http://example.com/top\" title=\"say &quot;hi&quot;\">t</a>"
              "<img src=\"data:image/png;base64,AA\"><a>d</a></p><div>open</div>");
}

TEST(LinkResolver, BaseHrefThenPageAddressThenFallbackAndScriptAddressesAsBrowsersReadThem) {
    EXPECT_EQ(LinkResolver::ForPage("/base/", "http://a.example/x/page", "http://feed.example/").Resolve("p?q=1"),
              "http://a.example/base/p?q=1");
    EXPECT_EQ(LinkResolver::ForPage("", "http://a.example/x/page", "http://feed.example/").Resolve("p"),
              "http://a.example/x/p");
    EXPECT_EQ(LinkResolver::ForPage("", "", "http://feed.example/dir/").Resolve("../p"), "http://feed.example/p");
    EXPECT_EQ(LinkResolver::ForPage("javascript:x()", "", "http://f.example/").Resolve("p"), "http://f.example/p");
    EXPECT_EQ(LinkResolver("http://a.example/").Resolve(" a b.html "), "http://a.example/a%20b.html");
    EXPECT_EQ(LinkResolver("http://a.example/").Resolve("mailto:x@y"), "mailto:x@y");
    for (const char* script : {"javascript:x", " JAVASCRIPT:x", "java\nscript:x", "vbscript:x"})
        EXPECT_TRUE(IsScriptAddress(script)) << script;
    EXPECT_FALSE(IsScriptAddress("/javascript:x"));
}

TEST(HtmlPage, TheHeadGivesTitleAndBaseWithoutReadingTheBody) {
    const std::string page = "<html><head><meta http-equiv=content-type content='text/html; charset=koi8-r'>"
                             "<title>  Caf\xe9\n &amp; bar </title><base href=\"/b/\"></head><body><title>no</title>"
                             "<base href=\"/no/\">";
    const PageHead head = ReadPageHead(page, "WINDOWS-1252");
    EXPECT_EQ(head.title, "Caf\xc3\xa9 & bar");
    EXPECT_EQ(head.baseHref, "/b/");
}
