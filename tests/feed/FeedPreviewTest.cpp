// The preview against the written feed on every corpus page, and its
// plain-words explanations of the stops.
#include "feed/FeedBuilder.h"
#include "feed/FeedPreview.h"
#include "feed/PageEncoding.h"
#include "tests/feed/StrictXml.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>
#include <cstdlib>

namespace {

// The items of a classic document, whose texts are written raw, one
// element a line, so no XML parser reads every one of them.
std::vector<strict::Item> classicItems(const std::string& doc, const std::string& encoding) {
    std::vector<strict::Item> out;
    const Utf8Converter utf8(encoding);
    auto between = [&](std::size_t& at, const std::string& open, const std::string& close) {
        const std::size_t from = doc.find(open, at) + open.size();
        at = doc.find(close, from);
        return std::string(doc, from, at - from);
    };
    for (std::size_t at = doc.find("<item>\r\n"); at != std::string::npos; at = doc.find("<item>\r\n", at)) {
        strict::Item it;
        it.title = utf8(between(at, "<title>\r\n", "\r\n</title>\r\n<link>\r\n"));
        it.link = utf8(between(at, "<link>\r\n", "\r\n</link>\r\n<description>\r\n"));
        it.description = utf8(between(at, "<description>\r\n", "\r\n</description>\r\n</item>\r\n"));
        out.push_back(it);
    }
    return out;
}

// An XML parser reads every CR LF and lone CR of the document as LF.
std::string xmlLineEnds(std::string s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] != '\r') out += s[i];
        else if (i + 1 == s.size() || s[i + 1] != '\n') out += '\n';
    return out;
}

void expectSameAsGenerated(const TempDir& folder, const std::string& path, const PreviewPage& page, FeedProfile p,
                           bool yes, const std::string& what) {
    SCOPED_TRACE(what);
    p.Source = path;
    ScriptedDialogs d;
    d.answers.push_back(yes);
    std::filesystem::remove(folder / "test.xml");
    const bool written = GenerateFeed(folder.path(), p, "", d);
    const FeedPreview preview = PreviewFeed(page, p, yes);
    ASSERT_EQ(written, !preview.stop.has_value());
    if (!written) {
        EXPECT_EQ(d.messages().back().text, preview.stop->message);
        return;
    }
    const std::string doc = folder.read("test.xml");
    const auto items = p.format() == FeedFormatKind::ReaderReady
                           ? strict::items(doc)
                           : classicItems(doc, DetectPageEncoding(page.bytes, ""));
    ASSERT_EQ(items.size(), preview.items.size());
    const bool xml = p.format() == FeedFormatKind::ReaderReady;
    for (std::size_t i = 0; i < items.size(); ++i) {
        PreviewItem got = preview.items[i];
        if (xml) {
            got.title = xmlLineEnds(got.title);
            got.description = xmlLineEnds(got.description);
        }
        ASSERT_EQ(items[i].title, got.title) << "item " << i + 1;
        ASSERT_EQ(items[i].link, got.link) << "item " << i + 1;
        ASSERT_EQ(items[i].description, got.description) << "item " << i + 1;
        ASSERT_EQ(page.bytes.compare(got.offset - (i == 0 ? p.StartString.size() : p.StartItemString.size()),
                                     i == 0 ? p.StartString.size() : p.StartItemString.size(),
                                     i == 0 ? p.StartString : p.StartItemString),
                  0)
            << "item " << i + 1 << " does not follow its marker";
    }
}

FeedProfile markers(std::string start, std::string itemStart, std::string end, std::string titleEnd,
                    std::string endItem, std::string strip, std::string format, std::string link) {
    FeedProfile p{"corpus", "Local", "", start, itemStart, end, "Corpus & co", "", "http://example.com/",
                  titleEnd, endItem, strip};
    p.FeedFormat = format;
    p.LinkString = link;
    return p;
}

}  // namespace

TEST(FeedPreview, EveryCorpusPageGivesTheItemsAndStopsOfTheWrittenFeedInBothFormats) {
    const char* corpus = std::getenv("MV_CORPUS");
    if (!corpus) corpus = MV_CORPUS_DEFAULT;
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no page corpus at " << corpus;
    TempDir folder;
    // Chosen so that most pages get through: each item starts right after
    // its marker, which most pages repeat with what these ends need.
    const std::vector<FeedProfile> sets = {
        markers("<body", "<a ", "</body>", "", "", "1", "", ""),
        markers("<body", "<p", "</html>", "", "", "0", "2.0", ""),
        markers("<a href=", "<a href=", "</body>", "</a>", "", "1", "", ""),
        markers("<a href=", "<a href=", "</body>", "</a>", "", "0", "2.0", ""),
        markers("<li", "<li", "</body>", ">", "</li>", "1", "2.0", "href"),
        markers("<div", "<div", "</body>", ">", "</div>", "0", "", ""),
    };
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const PreviewPage page{TempDir::readFile(entry.path()), "", ""};
        ++pages;
        for (std::size_t i = 0; i < sets.size(); ++i) {
            expectSameAsGenerated(folder, entry.path().string(), page, sets[i], i % 2 == 1,
                                  entry.path().filename().string() + " with marker set " + std::to_string(i));
            if (HasFatalFailure()) return;
        }
    }
    EXPECT_GT(pages, 10);
}

namespace {

const std::string listPage =
    "<html><body><h1>News</h1><ul> <li><a href=\"/1\">One</a> first</li><li><a href=\"/2\">Two</a> second</li>"
    "</ul><p>end</p></body></html>";

FeedProfile listProfile() {
    return markers("<ul> <li>", "<li>", "</ul>", "</a>", "</li>", "1", "", "");
}

}  // namespace

TEST(FeedPreview, MarksTheRegionEveryStartItemAndTheMarkersEachItemUses) {
    const FeedPreview r = PreviewFeed({listPage, "", ""}, listProfile(), false);
    ASSERT_FALSE(r.stop);
    const std::size_t ul = listPage.find("<ul>"), second = listPage.find("<li>", ul + 9);
    EXPECT_EQ(r.regionBegin, ul + 9);
    EXPECT_EQ(r.regionEnd, listPage.find("</ul>"));
    const std::vector<std::tuple<MarkerKind, std::size_t, std::size_t>> expected = {
        {MarkerKind::Start, ul, 0},
        {MarkerKind::TitleEnd, listPage.find("</a>"), 1},
        {MarkerKind::EndItem, listPage.find("</li>"), 1},
        {MarkerKind::StartItem, second, 0},
        {MarkerKind::TitleEnd, listPage.find("</a>", second), 2},
        {MarkerKind::EndItem, listPage.find("</li>", second), 2},
        {MarkerKind::End, listPage.find("</ul>"), 0},
    };
    ASSERT_EQ(r.hits.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(r.hits[i].kind, std::get<0>(expected[i])) << i;
        EXPECT_EQ(r.hits[i].offset, std::get<1>(expected[i])) << i;
        EXPECT_EQ(r.hits[i].item, std::get<2>(expected[i])) << i;
    }
    ASSERT_EQ(r.items.size(), 2u);  // their texts and places: the corpus test above

    // Texts made later for the items a view shows are the ones made at once.
    FeedProfile reader = listProfile();
    reader.FeedFormat = "2.0";
    const FeedPreview whole = PreviewFeed({listPage, "", ""}, reader, false);
    FeedPreview lazy = PreviewFeed({listPage, "", ""}, reader, false, 0);
    EXPECT_EQ(lazy.textItems, 0u);
    AddPreviewTexts(lazy, {listPage, "", ""}, reader, false, 1);
    EXPECT_EQ(lazy.items[0].link, "http://example.com/1");
    EXPECT_EQ(lazy.items[1].title, "");
    AddPreviewTexts(lazy, {listPage, "", ""}, reader, false, 5);
    ASSERT_EQ(lazy.textItems, 2u);
    EXPECT_EQ(lazy.items[1].title, whole.items[1].title);
    EXPECT_EQ(lazy.items[1].description, whole.items[1].description);
}

TEST(FeedPreview, StopsSayInPlainWordsWhichMarkerFailsWhereAndWhatToChange) {
    struct Case {
        const char* what;
        void (*change)(FeedProfile&);
        std::size_t item;
        std::string explanation;  // the whole text or a part of it; the message is the written feed's
    };
    const std::vector<Case> cases = {
        {"empty first item", [](FeedProfile& p) { p.StartString = "<ul> "; }, 1,
         "Item 1 is the text between the Start String and the first Start Item String, and it is empty. Use the "
         "Start Item String as the Start String too, or move the Start String closer."},
        {"blank first item", [](FeedProfile& p) { p.StartString = "<ul>"; }, 1,
         "Item 1 is the text between the Start String and the first Start Item String, and it holds nothing but "
         "blanks."},
        {"start string absent", [](FeedProfile& p) { p.StartString = "<ol>"; }, 0,
         "The Start String \"<ol>\" does not occur anywhere in the page."},
        {"title end absent", [](FeedProfile& p) { p.TitleEndString = "</b>"; }, 1,
         "The Title End String \"</b>\" does not occur anywhere in the page."},
        {"start item only before the region",
         [](FeedProfile& p) {
             p.StartItemString = "<h1>";
             p.EndItemString = "</h1>";
         },
         1,
         "The Start Item String occurs in the page only before the Start String, so the region is not cut and "
         "item 1 is the whole region. The Item End String \"</h1>\" occurs in the page only before the Start "
         "String, never inside an item."},
        {"end string only before the start string",
         [](FeedProfile& p) {
             p.StartString = "<p>";
             p.EndString = "</ul>";
         },
         0,
         "The End String occurs in the page only before the Start String, so the region would end before it "
         "begins."},
        {"empty last item",
         [](FeedProfile& p) {
             p.StartItemString = "</li>";
             p.EndItemString = "";
         },
         3,
         "Item 3 is the text between the last Start Item String and the End String, and it is empty."},
        {"item end inside the title", [](FeedProfile& p) { p.EndItemString = "href"; }, 1,
         "In item 1 the Item End String \"href\" occurs only inside the title"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FeedProfile p = listProfile();
        c.change(p);
        const FeedPreview r = PreviewFeed({listPage, "", ""}, p, false);
        ASSERT_TRUE(r.stop);
        EXPECT_EQ(r.stop->item, c.item);
        EXPECT_EQ(r.stop->explanation.substr(0, c.explanation.size()), c.explanation);
        EXPECT_EQ(r.items.size(), c.item == 0 ? 0 : c.item - 1) << "the items before the stop";
        if (p.StartString == "<p>") {
            // The markers found still show, in page order.
            ASSERT_EQ(r.hits.size(), 2u);
            EXPECT_EQ(r.hits[0].kind, MarkerKind::End);
            EXPECT_EQ(r.hits[0].offset, listPage.find("</ul>"));
            EXPECT_EQ(r.hits[1].kind, MarkerKind::Start);
        }
    }
}
