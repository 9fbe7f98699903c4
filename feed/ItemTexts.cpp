#include "feed/ItemTexts.h"

#include "feed/HtmlPage.h"
#include "feed/TextCleanup.h"
#include "feed/TextSearch.h"

#include <libxml/uri.h>
#include <libxml/xmlmemory.h>

#include <filesystem>
#include <initializer_list>

namespace fs = std::filesystem;

namespace {

std::string cleaned(std::string_view text, const FeedProfile& p) {
    if (!p.stripsTags()) return std::string(text);
    return CleanText(StripTags(text, p), p);
}

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

}  // namespace

ItemTexts ClassicItemTexts(const ItemPieces& pieces, bool useFeedTitle, const FeedProfile& p) {
    ItemTexts t;
    t.title = pieces.hasTitle ? cleaned(pieces.title, p) : ".";
    t.description = cleaned(pieces.description, p);
    if (useFeedTitle && t.title == ".") t.title = p.FeedTitle;
    return t;
}

ReaderItemTexts::ReaderItemTexts(const FeedProfile& p, const PageOrigin& origin, std::string_view page)
    : p_(p), convert_(DetectPageEncoding(page, origin.contentType)), links_("") {
    const PageHead head = ReadPageHead(page, convert_.encoding());
    const std::string feedLink = SqueezeBlanks(ProfileValueToUtf8(p.FeedLink));
    const std::string localAddress = p.isWeb() ? "" : fileAddress(p.Source);
    const std::string pageAddress = p.isWeb() ? origin.address : "";
    links_ = LinkResolver::ForPage(head.baseHref, pageAddress, feedLink.empty() ? localAddress : feedLink);
    title_ = firstNonEmpty({SqueezeBlanks(ProfileValueToUtf8(p.FeedTitle)), head.title,
                            SqueezeBlanks(ProfileValueToUtf8(p.ProfileName))});
    link_ = firstNonEmpty({feedLink, pageAddress, localAddress});
    description_ = firstNonEmpty({SqueezeBlanks(ProfileValueToUtf8(p.FeedDesc)), title_});
    if (title_.empty()) title_ = link_;
}

std::string ReaderItemTexts::ItemLink(std::string_view item, std::size_t k) {
    std::size_t from = 0;
    if (!p_.LinkString.empty()) {
        from = FindMarker(item, p_.LinkString);
        if (from == NoMarker) return {};
    }
    // Begin at the tag the search point lies in, so that a marker inside an
    // <a> tag (class="headline") finds that very link; with no "<" in the
    // item before it, that tag is the one the item's own marker opened, if
    // any.
    const std::size_t lt = item.rfind('<', from);
    std::string href;
    if (lt != std::string_view::npos) {
        href = html_.FirstLink(convert_(item.substr(lt)));
    } else if (const std::string tag = openTag(k); !tag.empty()) {
        href = html_.FirstLink(convert_(tag + std::string(item)));
    } else {
        href = html_.FirstLink(convert_(item.substr(from)));
    }
    return href.empty() ? href : links_.Resolve(href);
}

// An item begins right after a marker (the Start String for the first, the
// Start Item String for the others). When that marker ends inside a tag, as
// "<a " does, the item begins with the rest of the tag; reading the tag's
// opening along keeps its attributes out of the text.
std::string ReaderItemTexts::openTag(std::size_t k) const {
    const std::string& marker = k == 1 ? p_.StartString : p_.StartItemString;
    const std::size_t lt = marker.rfind('<');
    if (lt == std::string::npos || marker.find('>', lt) != std::string::npos) return {};
    return marker.substr(lt);
}

ItemTexts ReaderItemTexts::Texts(std::string_view item, const ItemPieces& pieces, std::size_t k, bool useFeedTitle) {
    // Each piece as the parser reads it: with the opening of a tag cut by
    // the item's marker when the piece starts the item.
    auto text = [&](std::string_view piece) {
        if (piece.data() == item.data())
            if (const std::string tag = openTag(k); !tag.empty()) return convert_(tag + std::string(piece));
        return convert_(piece);
    };
    ItemTexts t;
    t.title = pieces.hasTitle ? html_.PlainText(text(pieces.title)) : ".";
    if (useFeedTitle && t.title == ".") t.title = title_;
    t.description = p_.stripsTags() ? html_.PlainText(text(pieces.description))
                                    : html_.SafeHtml(text(pieces.description), links_);
    return t;
}
