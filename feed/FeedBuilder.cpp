#include "feed/FeedBuilder.h"

#include "feed/FeedWriter.h"
#include "feed/MdlRSSHead.h"
#include "feed/PageSource.h"
#include "feed/ReaderFeed.h"
#include "feed/SafeFile.h"
#include "feed/TextCleanup.h"
#include "feed/TextSearch.h"
#include "feed/XmlEscape.h"

#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// Stops the run with a message; carries the text and icon up to the one
// place that shows it.
struct Stop {
    std::string text;
    MessageIcon icon;
};

const std::string UnableToGenerate = "\r\nUnable to generate RSS Feed";

std::string replaceAll(std::string text, std::string_view what, std::string_view with) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(what, from)) != std::string::npos; from = at + what.size()) {
        out.append(text, from, at - from);
        out.append(with);
    }
    out.append(text, from);
    return out;
}

// The page between the first Start String and the first End String after
// it. The checks found both in the page already; the End String found
// there is the region's own when it lies after the Start String, so the
// page is searched again only when it does not.
std::string_view cutRegion(std::string_view page, std::size_t start, std::size_t end, const FeedProfile& p) {
    const std::size_t from = start + p.StartString.size();
    if (end < from) end = FindMarker(page, p.EndString, from);
    if (end == NoMarker)
        throw Stop{"The End String does not occur after the Start String: " + p.EndString + UnableToGenerate,
                   MessageIcon::Error};
    return page.substr(from, end - from);
}

// Hands out the items of the region one by one: the pieces between the
// Start Item Strings, the first and last piece included even when empty.
class ItemCutter {
public:
    ItemCutter(std::string_view region, std::string_view marker) : region_(region), marker_(marker) {
        done_ = region_.empty();
    }
    bool next(std::string_view& item) {
        if (done_) return false;
        if (marker_.empty()) {
            item = region_;
            done_ = true;
            return true;
        }
        const std::size_t at = FindMarker(region_, marker_, pos_);
        if (at == NoMarker) {
            item = region_.substr(pos_);
            done_ = true;
        } else {
            item = region_.substr(pos_, at - pos_);
            pos_ = at + marker_.size();
        }
        return true;
    }

private:
    std::string_view region_;
    std::string_view marker_;
    std::size_t pos_ = 0;
    bool done_ = false;
};

std::string cleaned(std::string_view text, const FeedProfile& p) {
    if (!p.stripsTags()) return std::string(text);
    return CleanText(StripTags(text, p), p);
}

void writeItem(FeedWriter& out, std::string_view item, std::size_t k, bool useFeedTitle, const FeedProfile& p) {
    // An empty item holds no Title End String, not even an empty one.
    const std::size_t q = FindMarker(item, p.TitleEndString);
    if (q == NoMarker)
        throw Stop{"Source webpage does not contains the Title End String:" + p.TitleEndString + " in Feed Item " +
                       std::to_string(k),
                   MessageIcon::Warning};
    std::string title = p.TitleEndString.empty() ? "." : cleaned(item.substr(0, q), p);
    // The description begins with the Title End String itself.
    std::string_view desc = item.substr(q);
    if (!p.EndItemString.empty()) {
        std::size_t r = FindMarker(item, p.EndItemString);
        if (r == NoMarker)
            throw Stop{"Source webpage does not contains the Item End String:" + p.EndItemString + " in Feed Item " +
                           std::to_string(k),
                       MessageIcon::Warning};
        // The first one in the item ends the description too, unless it
        // starts inside the title.
        if (r < q) r = FindMarker(item, p.EndItemString, q);
        if (r == NoMarker)
            throw Stop{"The Item End String does not occur after the Title End String in Feed Item " +
                           std::to_string(k) + UnableToGenerate,
                       MessageIcon::Error};
        desc = item.substr(q, r - q);
    }
    std::string description = cleaned(desc, p);
    if (useFeedTitle && title == ".") title = p.FeedTitle;

    out.line("<item>");
    out.line("<title>");
    out.line(title);
    out.line("</title>");
    out.line("<link>");
    out.line(EscapeKeepingReferences(p.FeedLink));
    out.line("</link>");
    out.line("<description>");
    out.line(description);
    out.line("</description>");
    out.line("</item>");
}

// The marker's offset in the page; stops the run when it is absent.
std::size_t checkMarker(std::string_view page, const std::string& marker, const char* message) {
    const std::size_t at = FindMarker(page, marker);
    if (at == NoMarker) throw Stop{message + marker, MessageIcon::Warning};
    return at;
}

void generate(const fs::path& folder, const FeedProfile& p, Dialogs& dialogs) {
    const std::string page = ReadWholeFile(folder / SourceFileName);
    if (page.size() < 10) throw Stop{"Invalid Source page, Unable to generate feed.", MessageIcon::Error};
    const std::size_t start = checkMarker(page, p.StartString, "Source webpage does not contains the Start String:");
    const std::size_t end = checkMarker(page, p.EndString, "Source webpage does not contains the End String:");
    checkMarker(page, p.StartItemString, "Source webpage does not contains the Item Start String:");

    const std::string_view region = cutRegion(page, start, end, p);

    std::vector<std::string> header = BuildRSSHeader();
    // A bare "&" or "<" in a header value would make the whole feed
    // unreadable to an XML parser; references the user wrote stay.
    header[3] = replaceAll(header[3], "#FEED_TITLE#", EscapeKeepingReferences(p.FeedTitle));
    header[4] = replaceAll(header[4], "#FEED_LINK#", EscapeKeepingReferences(p.FeedLink));
    header[5] = replaceAll(header[5], "#FEED_DESCRIPTION#", EscapeKeepingReferences(p.FeedDesc));

    FeedWriter out(folder / FeedFileName);
    for (const std::string& line : header) out.line(line);

    const bool useFeedTitle =
        dialogs.askYesNo("Use Feed Title where Item Title is empty", MessageIcon::Warning, AppTitle);

    ItemCutter items(region, p.StartItemString);
    std::string_view item;
    for (std::size_t k = 1; items.next(item); ++k) writeItem(out, item, k, useFeedTitle, p);

    out.line("</channel>");
    out.line("</rss>");
    out.close();
}

}  // namespace

bool GenerateFeed(const fs::path& folder, const FeedProfile& profile, const std::string& address, Dialogs& dialogs,
                  const FolderLock&) {
    if (profile.format() == FeedFormatKind::ReaderReady) return GenerateReaderFeed(folder, profile, address, dialogs);
    if (!FetchSource(folder, profile, address, dialogs)) return false;
    try {
        generate(folder, profile, dialogs);
    } catch (const Stop& stop) {
        dialogs.message(stop.text, stop.icon, AppTitle);
        return false;
    } catch (const std::exception& e) {
        dialogs.message(DescribeFailure(e) + UnableToGenerate, MessageIcon::Error, AppTitle);
        return false;
    }
    return true;
}
