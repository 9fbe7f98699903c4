#include "feed/FeedBuilder.h"

#include "feed/FeedWriter.h"
#include "feed/ItemCuts.h"
#include "feed/ItemTexts.h"
#include "feed/MdlRSSHead.h"
#include "feed/PageSource.h"
#include "feed/ReaderFeed.h"
#include "feed/SafeFile.h"
#include "feed/XmlEscape.h"

#include <stdexcept>

namespace fs = std::filesystem;

namespace {

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

// `link` is the Feed Link as every item carries it, escaped once per run.
void writeItem(FeedWriter& out, std::string_view item, std::size_t k, bool useFeedTitle, const std::string& link,
               const FeedProfile& p) {
    const ItemTexts t = ClassicItemTexts(CutItem(item, k, p), useFeedTitle, p);

    out.line("<item>");
    out.line("<title>");
    out.line(t.title);
    out.line("</title>");
    out.line("<link>");
    out.line(link);
    out.line("</link>");
    out.line("<description>");
    out.line(t.description);
    out.line("</description>");
    out.line("</item>");
}

void generate(const fs::path& folder, const FeedProfile& p, Dialogs& dialogs) {
    const std::string page = ReadWholeFile(folder / SourceFileName);
    const std::string_view region = CutRegion(page, p);

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

    const std::string link = EscapeKeepingReferences(p.FeedLink);
    ItemCutter items(region, p.StartItemString);
    std::string_view item;
    for (std::size_t k = 1; items.next(item); ++k) writeItem(out, item, k, useFeedTitle, link, p);

    out.line("</channel>");
    out.line("</rss>");
    out.close();
}

}  // namespace

bool GenerateFeed(const fs::path& folder, const FeedProfile& profile, const std::string& address, Dialogs& dialogs,
                  const FolderLock&) {
    if (profile.format() == FeedFormatKind::ReaderReady) return GenerateReaderFeed(folder, profile, address, dialogs);
    if (!FetchSource(folder, profile, address, dialogs)) return false;
    return WriteShowingStops(dialogs, [&] { generate(folder, profile, dialogs); });
}
