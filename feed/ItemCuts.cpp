#include "feed/ItemCuts.h"

namespace {

// 1-based position of the marker in the text, 0 when absent. An empty
// marker is found at 1 in any non-empty text; nothing is found in an
// empty text.
std::size_t positionOf(std::string_view text, std::string_view marker) {
    if (text.empty()) return 0;
    const std::size_t at = text.find(marker);
    return at == std::string_view::npos ? 0 : at + 1;
}

void requireMarker(std::string_view page, const std::string& marker, const char* message) {
    if (positionOf(page, marker) == 0) throw GenerationStop{message + marker, MessageIcon::Warning};
}

std::string missingInItem(const char* message, const std::string& marker, std::size_t k) {
    return message + marker + " in Feed Item " + std::to_string(k);
}

}  // namespace

std::string_view CutRegion(std::string_view page, const FeedProfile& p) {
    if (page.size() < 10) throw GenerationStop{"Invalid Source page, Unable to generate feed.", MessageIcon::Error};
    requireMarker(page, p.StartString, "Source webpage does not contains the Start String:");
    requireMarker(page, p.EndString, "Source webpage does not contains the End String:");
    requireMarker(page, p.StartItemString, "Source webpage does not contains the Item Start String:");
    const std::string_view region = page.substr(positionOf(page, p.StartString) - 1 + p.StartString.size());
    const std::size_t e = positionOf(region, p.EndString);
    if (e == 0)
        throw GenerationStop{"The End String does not occur after the Start String: " + p.EndString +
                                 UnableToGenerateSuffix,
                             MessageIcon::Error};
    return region.substr(0, e - 1);
}

ItemCutter::ItemCutter(std::string_view region, std::string_view marker)
    : region_(region), marker_(marker), done_(region.empty()) {}

bool ItemCutter::next(std::string_view& item) {
    if (done_) return false;
    const std::size_t at = marker_.empty() ? std::string_view::npos : region_.find(marker_, pos_);
    if (at == std::string_view::npos) {
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
    const std::size_t q = positionOf(item, p.TitleEndString);
    if (q == 0)
        throw GenerationStop{missingInItem("Source webpage does not contains the Title End String:",
                                           p.TitleEndString, k),
                             MessageIcon::Warning};
    if (!p.TitleEndString.empty()) {
        pieces.hasTitle = true;
        pieces.title = item.substr(0, q - 1);
    }
    pieces.description = item.substr(q - 1);
    if (!p.EndItemString.empty()) {
        if (positionOf(item, p.EndItemString) == 0)
            throw GenerationStop{missingInItem("Source webpage does not contains the Item End String:",
                                               p.EndItemString, k),
                                 MessageIcon::Warning};
        const std::size_t r = positionOf(pieces.description, p.EndItemString);
        if (r == 0)
            throw GenerationStop{"The Item End String does not occur after the Title End String in Feed Item " +
                                     std::to_string(k) + UnableToGenerateSuffix,
                                 MessageIcon::Error};
        pieces.description = pieces.description.substr(0, r - 1);
    }
    return pieces;
}
