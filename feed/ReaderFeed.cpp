#include "feed/ReaderFeed.h"

#include "feed/FeedBuilder.h"
#include "feed/FeedWriter.h"
#include "feed/HtmlPage.h"
#include "feed/HtmlText.h"
#include "feed/ItemCuts.h"
#include "feed/LinkResolver.h"
#include "feed/PageEncoding.h"
#include "feed/SafeFile.h"
#include "feed/TextSearch.h"
#include "feed/XmlEscape.h"

#include <libxml/uri.h>
#include <libxml/xmlmemory.h>

#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The channel's own values, in UTF-8, each with its fallback applied.
struct Channel {
    std::string title, link, description;
};

std::string fileAddress(const std::string& path) {
    std::error_code ec;
    const std::string absolute = fs::absolute(path, ec).lexically_normal().string();
    xmlChar* escaped = xmlURIEscapeStr(reinterpret_cast<const xmlChar*>(absolute.c_str()),
                                       reinterpret_cast<const xmlChar*>("/"));
    std::string out = "file://" + std::string(escaped ? reinterpret_cast<const char*>(escaped) : absolute.c_str());
    xmlFree(escaped);
    return out;
}

std::string firstNonEmpty(std::initializer_list<std::string> values) {
    for (const std::string& v : values)
        if (!v.empty()) return v;
    return {};
}

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
        : p_(p), convert_(DetectPageEncoding(page, origin.contentType)), links_("") {
        const PageHead head = ReadPageHead(page, convert_.encoding());
        const std::string feedLink = SqueezeBlanks(ProfileValueToUtf8(p.FeedLink));
        const std::string localAddress = p.isWeb() ? "" : fileAddress(p.Source);
        const std::string pageAddress = p.isWeb() ? origin.address : "";
        links_ = LinkResolver::ForPage(head.baseHref, pageAddress, feedLink.empty() ? localAddress : feedLink);
        channel_.title = firstNonEmpty({SqueezeBlanks(ProfileValueToUtf8(p.FeedTitle)), head.title,
                                        SqueezeBlanks(ProfileValueToUtf8(p.ProfileName))});
        channel_.link = firstNonEmpty({feedLink, pageAddress, localAddress});
        channel_.description = firstNonEmpty({SqueezeBlanks(ProfileValueToUtf8(p.FeedDesc)), channel_.title});
        if (channel_.title.empty()) channel_.title = channel_.link;
    }

    std::size_t write(FeedWriter& out, std::string_view region, Dialogs& dialogs, std::time_t now) {
        const std::vector<std::string> links = itemLinks(region);
        std::unordered_map<std::string_view, int> uses;
        for (const std::string& l : links)
            if (!l.empty()) ++uses[l];

        out.line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        out.line("<rss version=\"2.0\">");
        out.line("<channel>");
        writeElement(out, line_, "title", channel_.title);
        writeElement(out, line_, "link", channel_.link);
        writeElement(out, line_, "description", channel_.description);
        writeElement(out, line_, "generator", GeneratorName);
        writeElement(out, line_, "lastBuildDate", Rfc822Date(now));

        const bool useFeedTitle =
            dialogs.askYesNo("Use Feed Title where Item Title is empty", MessageIcon::Warning, AppTitle);
        ItemCutter items(region, p_.StartItemString);
        std::string_view item;
        std::size_t k = 1;
        for (; items.next(item); ++k) {
            const std::string& link = links[k - 1];
            writeItem(out, item, k, useFeedTitle, link, !link.empty() && uses[link] == 1);
        }
        out.line("</channel>");
        out.line("</rss>");
        return k - 1;
    }

private:
    const FeedProfile& p_;
    Utf8Converter convert_;
    HtmlText html_;
    LinkResolver links_;
    Channel channel_;
    std::string line_;  // the line being built

    // Every item's own link, absolute; empty for an item without one. Found
    // before any item is written, so that a link several items share is
    // known as such from the first of them.
    std::vector<std::string> itemLinks(std::string_view region) {
        std::vector<std::string> links;
        ItemCutter items(region, p_.StartItemString);
        std::string_view item;
        for (std::size_t k = 1; items.next(item); ++k) {
            std::size_t from = 0;
            if (!p_.LinkString.empty()) {
                from = FindMarker(item, p_.LinkString);
                if (from == NoMarker) {
                    links.emplace_back();
                    continue;
                }
            }
            // Begin at the tag the search point lies in, so that a marker
            // inside an <a> tag (class="headline") finds that very link;
            // with no "<" in the item before it, that tag is the one the
            // item's own marker opened, if any.
            const std::size_t lt = item.rfind('<', from);
            std::string href;
            if (lt != std::string_view::npos) {
                href = html_.FirstLink(convert_(item.substr(lt)));
            } else if (const std::string tag = openTag(k); !tag.empty()) {
                href = html_.FirstLink(convert_(tag + std::string(item)));
            } else {
                href = html_.FirstLink(convert_(item.substr(from)));
            }
            links.push_back(href.empty() ? href : links_.Resolve(href));
        }
        return links;
    }

    // An item begins right after a marker (the Start String for the first,
    // the Start Item String for the others). When that marker ends inside a
    // tag, as "<a " does, the item begins with the rest of the tag; reading
    // the tag's opening along keeps its attributes out of the text.
    std::string openTag(std::size_t k) const {
        const std::string& marker = k == 1 ? p_.StartString : p_.StartItemString;
        const std::size_t lt = marker.rfind('<');
        if (lt == std::string::npos || marker.find('>', lt) != std::string::npos) return {};
        return marker.substr(lt);
    }

    void writeItem(FeedWriter& out, std::string_view item, std::size_t k, bool useFeedTitle, const std::string& link,
                   bool ownLink) {
        const ItemPieces pieces = CutItem(item, k, p_);
        // Each piece as the parser reads it: with the opening of a tag cut
        // by the item's marker when the piece starts the item.
        auto text = [&](std::string_view piece) {
            if (piece.data() == item.data())
                if (const std::string tag = openTag(k); !tag.empty()) return convert_(tag + std::string(piece));
            return convert_(piece);
        };
        std::string title = pieces.hasTitle ? html_.PlainText(text(pieces.title)) : ".";
        if (useFeedTitle && title == ".") title = channel_.title;
        const std::string description = p_.stripsTags() ? html_.PlainText(text(pieces.description))
                                                         : html_.SafeHtml(text(pieces.description), links_);
        out.line("<item>");
        writeElement(out, line_, "title", title);
        writeElement(out, line_, "link", link.empty() ? channel_.link : link);
        if (ownLink) {
            line_.assign("<guid isPermaLink=\"true\">");
            AppendXmlEscaped(line_, link);
        } else {
            line_.assign("<guid isPermaLink=\"false\">").append(contentGuid(link, title, description));
        }
        out.line(line_.append("</guid>"));
        writeElement(out, line_, "description", description);
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

std::size_t WriteReaderDocument(std::string_view page, const FeedProfile& profile, const PageOrigin& origin,
                                Dialogs& dialogs, const FeedOutput& output, std::time_t now) {
    const std::string_view region = CutRegion(page, profile);
    ReaderFeedRun run(profile, origin, page);
    FeedWriter out(output);
    const std::size_t items = run.write(out, region, dialogs, now);
    out.close();
    return items;
}

void WriteReaderFeed(const fs::path& folder, const FeedProfile& profile, const PageOrigin& origin, Dialogs& dialogs,
                     std::time_t now) {
    WriteReaderDocument(ReadWholeFile(folder / SourceFileName), profile, origin, dialogs,
                        FeedOutput{folder / FeedFileName}, now);
}

bool GenerateReaderFeed(const fs::path& folder, const FeedProfile& profile, const std::string& address,
                        Dialogs& dialogs) {
    PageOrigin origin;
    if (!FetchSource(folder, profile, address, dialogs, &origin)) return false;
    return WriteShowingStops(dialogs, [&] { WriteReaderFeed(folder, profile, origin, dialogs, std::time(nullptr)); });
}
