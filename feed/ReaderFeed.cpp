#include "feed/ReaderFeed.h"

#include "feed/FeedBuilder.h"
#include "feed/FeedWriter.h"
#include "feed/ItemCuts.h"
#include "feed/ItemTexts.h"
#include "feed/SafeFile.h"
#include "feed/XmlEscape.h"

#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Items that cannot carry their link as guid get this: the same item text
// gives the same guid on every run, so readers never show an item twice.
std::string contentGuid(const std::string& link, const std::string& title, const std::string& description) {
    std::uint64_t h = 0xcbf29ce484222325ull;  // 64-bit FNV-1a
    auto mix = [&](const std::string& s) {
        for (unsigned char c : s) h = (h ^ c) * 0x100000001b3ull;
        h = (h ^ 0xFF) * 0x100000001b3ull;  // a separator no UTF-8 text contains
    };
    mix(link);
    mix(title);
    mix(description);
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, h >>= 4) hex[static_cast<std::size_t>(i)] = "0123456789abcdef"[h & 0xF];
    return hex;
}

// Writes <name>utf8</name> as one line, built in `line` so that its
// capacity serves every line of the run.
void writeElement(FeedWriter& out, std::string& line, const char* name, std::string_view utf8) {
    line.assign("<").append(name).append(">");
    AppendXmlEscaped(line, utf8);
    line.append("</").append(name).append(">");
    out.line(line);
}

class ReaderFeedRun {
public:
    ReaderFeedRun(const FeedProfile& p, const PageOrigin& origin, std::string_view page)
        : p_(p), texts_(p, origin, page) {}

    void write(FeedWriter& out, std::string_view region, Dialogs& dialogs, std::time_t now) {
        const std::vector<std::string> links = itemLinks(region);
        std::unordered_map<std::string_view, int> uses;
        for (const std::string& l : links)
            if (!l.empty()) ++uses[l];

        out.line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        out.line("<rss version=\"2.0\">");
        out.line("<channel>");
        writeElement(out, line_, "title", texts_.channelTitle());
        writeElement(out, line_, "link", texts_.channelLink());
        writeElement(out, line_, "description", texts_.channelDescription());
        writeElement(out, line_, "generator", GeneratorName);
        writeElement(out, line_, "lastBuildDate", Rfc822Date(now));

        const bool useFeedTitle =
            dialogs.askYesNo("Use Feed Title where Item Title is empty", MessageIcon::Warning, AppTitle);
        ItemCutter items(region, p_.StartItemString);
        std::string_view item;
        for (std::size_t k = 1; items.next(item); ++k) {
            const std::string& link = links[k - 1];
            writeItem(out, item, k, useFeedTitle, link, !link.empty() && uses[link] == 1);
        }
        out.line("</channel>");
        out.line("</rss>");
    }

private:
    const FeedProfile& p_;
    ReaderItemTexts texts_;
    std::string line_;  // the line being built

    // Every item's own link, absolute; empty for an item without one. Found
    // before any item is written, so that a link several items share is
    // known as such from the first of them.
    std::vector<std::string> itemLinks(std::string_view region) {
        std::vector<std::string> links;
        ItemCutter items(region, p_.StartItemString);
        std::string_view item;
        for (std::size_t k = 1; items.next(item); ++k) links.push_back(texts_.ItemLink(item, k));
        return links;
    }

    void writeItem(FeedWriter& out, std::string_view item, std::size_t k, bool useFeedTitle, const std::string& link,
                   bool ownLink) {
        const ItemPieces pieces = CutItem(item, k, p_);
        const ItemTexts t = texts_.Texts(item, pieces, k, useFeedTitle);
        out.line("<item>");
        writeElement(out, line_, "title", t.title);
        writeElement(out, line_, "link", link.empty() ? texts_.channelLink() : link);
        if (ownLink) {
            line_.assign("<guid isPermaLink=\"true\">");
            AppendXmlEscaped(line_, link);
        } else {
            line_.assign("<guid isPermaLink=\"false\">").append(contentGuid(link, t.title, t.description));
        }
        out.line(line_.append("</guid>"));
        writeElement(out, line_, "description", t.description);
        out.line("</item>");
    }
};

}  // namespace

std::string Rfc822Date(std::time_t t) {
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s, %02d %s %04d %02d:%02d:%02d +0000", days[tm.tm_wday], tm.tm_mday,
                  months[tm.tm_mon], tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

void WriteReaderFeed(const fs::path& folder, const FeedProfile& profile, const PageOrigin& origin, Dialogs& dialogs,
                     std::time_t now) {
    const std::string page = ReadWholeFile(folder / SourceFileName);
    const std::string_view region = CutRegion(page, profile);
    ReaderFeedRun run(profile, origin, page);
    FeedWriter out(folder / FeedFileName);
    run.write(out, region, dialogs, now);
    out.close();
}

bool GenerateReaderFeed(const fs::path& folder, const FeedProfile& profile, const std::string& address,
                        Dialogs& dialogs) {
    PageOrigin origin;
    if (!FetchSource(folder, profile, address, dialogs, &origin)) return false;
    return WriteShowingStops(dialogs, [&] { WriteReaderFeed(folder, profile, origin, dialogs, std::time(nullptr)); });
}
