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
// it. The caller has checked that both occur in the page.
std::string_view cutRegion(std::string_view page, const FeedProfile& p) {
    std::size_t s = FindFrom(page, p.StartString);
    std::string_view region = page.substr(s - 1 + p.StartString.size());
    std::size_t e = FindFrom(region, p.EndString);
    if (e == 0)
        throw Stop{"The End String does not occur after the Start String: " + p.EndString + UnableToGenerate,
                   MessageIcon::Error};
    return region.substr(0, e - 1);
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
        std::size_t at = region_.find(marker_, pos_);
        if (at == std::string_view::npos) {
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
    std::string title = ".";
    const std::size_t q = FindFrom(item, p.TitleEndString);
    if (!p.TitleEndString.empty() && q > 0) title = cleaned(item.substr(0, q - 1), p);
    if (q == 0)
        throw Stop{"Source webpage does not contains the Title End String:" + p.TitleEndString + " in Feed Item " +
                       std::to_string(k),
                   MessageIcon::Warning};
    std::string_view desc = item.substr(q - 1);
    if (!p.EndItemString.empty()) {
        if (FindFrom(item, p.EndItemString) == 0)
            throw Stop{"Source webpage does not contains the Item End String:" + p.EndItemString + " in Feed Item " +
                           std::to_string(k),
                       MessageIcon::Warning};
        const std::size_t r = FindFrom(desc, p.EndItemString);
        if (r == 0)
            throw Stop{"The Item End String does not occur after the Title End String in Feed Item " +
                           std::to_string(k) + UnableToGenerate,
                       MessageIcon::Error};
        desc = desc.substr(0, r - 1);
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

void checkMarker(std::string_view page, const std::string& marker, const char* message) {
    if (FindFrom(page, marker) == 0) throw Stop{message + marker, MessageIcon::Warning};
}

void generate(const fs::path& folder, const FeedProfile& p, Dialogs& dialogs) {
    const std::string page = ReadWholeFile(folder / SourceFileName);
    if (page.size() < 10) throw Stop{"Invalid Source page, Unable to generate feed.", MessageIcon::Error};
    checkMarker(page, p.StartString, "Source webpage does not contains the Start String:");
    checkMarker(page, p.EndString, "Source webpage does not contains the End String:");
    checkMarker(page, p.StartItemString, "Source webpage does not contains the Item Start String:");

    const std::string_view region = cutRegion(page, p);

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
