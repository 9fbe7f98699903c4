#include "feed/StopExplanation.h"

#include "feed/PageEncoding.h"
#include "feed/TextSearch.h"

namespace {

std::string quoted(const std::string& marker) { return "\"" + ProfileValueToUtf8(marker) + "\""; }

std::string notInPage(const char* name, const std::string& marker) {
    return std::string("The ") + name + " " + quoted(marker) +
           " does not occur anywhere in the page. Copy it from the page source exactly, letter case and blanks "
           "included.";
}

// Where the marker occurs relative to the region: nowhere, only before it,
// only after it, or somewhere inside.
enum class Whereabouts { Nowhere, OnlyBefore, OnlyAfter, OnlyOutside, Inside };

Whereabouts whereabouts(std::string_view page, const std::string& marker, std::size_t begin, std::size_t end) {
    const std::size_t first = FindMarker(page, marker);
    if (first == NoMarker) return Whereabouts::Nowhere;
    const std::size_t inside = FindMarker(page.substr(0, end), marker, begin);
    if (inside != NoMarker) return Whereabouts::Inside;
    if (first >= end) return Whereabouts::OnlyAfter;
    return FindMarker(page, marker, begin) == NoMarker ? Whereabouts::OnlyBefore : Whereabouts::OnlyOutside;
}

std::string outsideRegion(Whereabouts w) {
    switch (w) {
    case Whereabouts::OnlyBefore: return "only before the Start String";
    case Whereabouts::OnlyAfter: return "only after the End String";
    default: return "only outside the region between the Start String and the End String";
    }
}

// Said first when the region was not cut at all although the page holds
// the Start Item String: the reason the one item is the whole region.
std::string uncutRegion(std::string_view page, const FeedProfile& p, const ItemPlace& at) {
    if (at.k != 1 || !at.last || p.StartItemString.empty()) return {};
    const Whereabouts w = whereabouts(page, p.StartItemString, at.regionBegin, at.regionEnd);
    if (w == Whereabouts::Inside || w == Whereabouts::Nowhere) return {};
    return "The Start Item String occurs in the page " + outsideRegion(w) +
           ", so the region is not cut and item 1 is the whole region. ";
}

// An item with no text but blanks, as between a Start String and a Start
// Item String on the next line, is as good as empty to the reader.
bool onlyBlanks(std::string_view item) { return item.find_first_not_of(" \t\r\n\f") == std::string_view::npos; }

std::string emptyItem(const ItemPlace& at) {
    const std::string k = std::to_string(at.k);
    const std::string is = at.item.empty() ? ", and it is empty." : ", and it holds nothing but blanks.";
    if (at.k == 1)
        return "Item 1 is the text between the Start String and the first Start Item String" + is +
               " Use the Start Item String as the Start String too, or move the Start String closer.";
    if (at.last)
        return "Item " + k + " is the text between the last Start Item String and the End String" + is +
               " Move the End String further on, or choose an End String that does not follow the Start Item "
               "String directly.";
    return "Item " + k + " is the text between two Start Item Strings that follow each other directly" + is +
           " Choose a Start Item String that occurs once in every item.";
}

std::string missingInItem(std::string_view page, const FeedProfile& p, const ItemPlace& at, const char* name,
                          const std::string& marker) {
    const Whereabouts w = whereabouts(page, marker, at.regionBegin, at.regionEnd);
    std::string why = uncutRegion(page, p, at);
    if (w == Whereabouts::Nowhere) return why + notInPage(name, marker);
    if (w != Whereabouts::Inside)
        return why + "The " + name + " " + quoted(marker) + " occurs in the page " + outsideRegion(w) +
               ", never inside an item. Choose one that occurs inside every item.";
    return why + "Item " + std::to_string(at.k) + " does not contain the " + name + " " + quoted(marker) +
           ", although other parts of the region do. Every item must contain it: choose a marker that occurs in "
           "every item, or a Start Item String that gives each item its own.";
}

}  // namespace

std::string ExplainRegionStop(std::string_view page, const FeedProfile& p) {
    if (page.size() < 10)
        return "The page has fewer than 10 bytes, so there is nothing to cut. Check that the source file or address "
               "gives the page.";
    if (FindMarker(page, p.StartString) == NoMarker) return notInPage("Start String", p.StartString);
    if (FindMarker(page, p.EndString) == NoMarker) return notInPage("End String", p.EndString);
    if (FindMarker(page, p.StartItemString) == NoMarker) return notInPage("Start Item String", p.StartItemString);
    return "The End String occurs in the page only before the Start String, so the region would end before it "
           "begins. Choose an End String that occurs after the Start String, or a Start String nearer the top of "
           "the page.";
}

std::string ExplainItemStop(std::string_view page, const FeedProfile& p, const ItemPlace& at) {
    // An empty item lacks every marker; it is named for what it is. (It is
    // never the whole uncut region: an empty region has no items.)
    if (FindMarker(at.item, p.TitleEndString) == NoMarker)
        return onlyBlanks(at.item) ? emptyItem(at) : missingInItem(page, p, at, "Title End String", p.TitleEndString);
    if (FindMarker(at.item, p.EndItemString) == NoMarker)
        return missingInItem(page, p, at, "Item End String", p.EndItemString);
    return "In item " + std::to_string(at.k) + " the Item End String " + quoted(p.EndItemString) +
           " occurs only inside the title, before the Title End String. Choose an Item End String that follows the "
           "Title End String in every item.";
}
