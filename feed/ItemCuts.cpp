#include "feed/ItemCuts.h"

#include "feed/TextSearch.h"

namespace {

std::string missingInItem(const char* message, const std::string& marker, std::size_t k) {
    return message + marker + " in Feed Item " + std::to_string(k);
}

// The marker's offset in the page; stops the run when it is absent. An
// empty marker is found at the start of any page the length check let by.
std::size_t requireMarker(std::string_view page, const std::string& marker, const char* message) {
    const std::size_t at = FindMarker(page, marker);
    if (at == NoMarker) throw GenerationStop{message + marker, MessageIcon::Warning};
    return at;
}

}  // namespace

std::string_view CutRegion(std::string_view page, const FeedProfile& p) {
    if (page.size() < 10) throw GenerationStop{"Invalid Source page, Unable to generate feed.", MessageIcon::Error};
    const std::size_t start = requireMarker(page, p.StartString, "Source webpage does not contains the Start String:");
    std::size_t end = requireMarker(page, p.EndString, "Source webpage does not contains the End String:");
    requireMarker(page, p.StartItemString, "Source webpage does not contains the Item Start String:");
    // The End String the check found is the region's own when it lies after
    // the Start String, so the page is searched again only when it does not.
    const std::size_t from = start + p.StartString.size();
    if (end < from) end = FindMarker(page, p.EndString, from);
    if (end == NoMarker)
        throw GenerationStop{"The End String does not occur after the Start String: " + p.EndString +
                                 UnableToGenerateSuffix,
                             MessageIcon::Error};
    return page.substr(from, end - from);
}

ItemCutter::ItemCutter(std::string_view region, std::string_view marker)
    : region_(region), marker_(marker), done_(region.empty()) {}

bool ItemCutter::next(std::string_view& item) {
    if (done_) return false;
    const std::size_t at = marker_.empty() ? NoMarker : FindMarker(region_, marker_, pos_);
    if (at == NoMarker) {
        item = region_.substr(pos_);
        done_ = true;
    } else {
        item = region_.substr(pos_, at - pos_);
        pos_ = at + marker_.size();
    }
    return true;
}

ItemPieces CutItem(std::string_view item, std::size_t k, const FeedProfile& p) {
    ItemPieces pieces;
    // An empty item holds no Title End String, not even an empty one.
    const std::size_t q = FindMarker(item, p.TitleEndString);
    if (q == NoMarker)
        throw GenerationStop{missingInItem("Source webpage does not contains the Title End String:",
                                           p.TitleEndString, k),
                             MessageIcon::Warning};
    if (!p.TitleEndString.empty()) {
        pieces.hasTitle = true;
        pieces.title = item.substr(0, q);
    }
    // The description begins with the Title End String itself.
    pieces.description = item.substr(q);
    if (!p.EndItemString.empty()) {
        std::size_t r = FindMarker(item, p.EndItemString);
        if (r == NoMarker)
            throw GenerationStop{missingInItem("Source webpage does not contains the Item End String:",
                                               p.EndItemString, k),
                                 MessageIcon::Warning};
        // The first one in the item ends the description too, unless it
        // starts inside the title.
        if (r < q) r = FindMarker(item, p.EndItemString, q);
        if (r == NoMarker)
            throw GenerationStop{"The Item End String does not occur after the Title End String in Feed Item " +
                                     std::to_string(k) + UnableToGenerateSuffix,
                                 MessageIcon::Error};
        pieces.description = item.substr(q, r - q);
    }
    return pieces;
}
