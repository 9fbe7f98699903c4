#include "feed/FeedPreview.h"

#include "feed/ItemCuts.h"
#include "feed/ItemTexts.h"
#include "feed/PageEncoding.h"
#include "feed/StopExplanation.h"
#include "feed/TextSearch.h"
#include "feed/XmlEscape.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace {

std::size_t offsetIn(std::string_view page, std::string_view piece) {
    return static_cast<std::size_t>(piece.data() - page.data());
}

void addHit(FeedPreview& out, MarkerKind kind, std::size_t offset, const std::string& marker, std::size_t item) {
    if (!marker.empty()) out.hits.push_back({kind, offset, marker.size(), item});
}

// The item texts of either format, in UTF-8.
class PreviewTexts {
public:
    PreviewTexts(const PreviewPage& page, const FeedProfile& p, bool useFeedTitle)
        : p_(p), useFeedTitle_(useFeedTitle) {
        if (p.format() == FeedFormatKind::ReaderReady) {
            reader_ = std::make_unique<ReaderItemTexts>(p, PageOrigin{page.contentType, page.address}, page.bytes);
        } else {
            convert_ = std::make_unique<Utf8Converter>(DetectPageEncoding(page.bytes, page.contentType));
            link_ = ProfileValueToUtf8(EscapeKeepingReferences(p.FeedLink));
        }
    }

    void fill(PreviewItem& out, std::string_view item, const ItemPieces& pieces, std::size_t k) {
        if (reader_) {
            ItemTexts t = reader_->Texts(item, pieces, k, useFeedTitle_);
            out.title = std::move(t.title);
            out.description = std::move(t.description);
            out.link = reader_->ItemLink(item, k);
            if (out.link.empty()) out.link = reader_->channelLink();
            return;
        }
        const ItemTexts t = ClassicItemTexts(pieces, useFeedTitle_, p_);
        // The Feed Title put in for a missing title is a profile value,
        // not page text in the page's encoding.
        const bool feedTitle = useFeedTitle_ && !pieces.hasTitle;
        out.title = feedTitle ? ProfileValueToUtf8(t.title) : (*convert_)(t.title);
        out.description = (*convert_)(t.description);
        out.link = link_;
    }

private:
    const FeedProfile& p_;
    bool useFeedTitle_;
    std::unique_ptr<ReaderItemTexts> reader_;
    std::unique_ptr<Utf8Converter> convert_;
    std::string link_;
};

}  // namespace

FeedPreview PreviewFeed(const PreviewPage& page, const FeedProfile& p, bool feedTitleForEmptyItemTitle) {
    return PreviewFeed(page, p, feedTitleForEmptyItemTitle, static_cast<std::size_t>(-1));
}

void AddPreviewTexts(FeedPreview& preview, const PreviewPage& page, const FeedProfile& p,
                     bool feedTitleForEmptyItemTitle, std::size_t upTo) {
    upTo = std::min(upTo, preview.items.size());
    if (preview.textItems >= upTo) return;
    PreviewTexts texts(page, p, feedTitleForEmptyItemTitle);
    const std::string_view bytes = page.bytes;
    for (std::size_t k = preview.textItems + 1; k <= upTo; ++k) {
        PreviewItem& shown = preview.items[k - 1];
        const std::string_view item = bytes.substr(shown.offset, shown.length);
        texts.fill(shown, item, CutItem(item, k, p), k);
    }
    preview.textItems = upTo;
}

FeedPreview PreviewFeed(const PreviewPage& page, const FeedProfile& p, bool feedTitleForEmptyItemTitle,
                        std::size_t textItems) {
    FeedPreview out;
    const std::string_view bytes = page.bytes;
    std::string_view region;
    try {
        region = CutRegion(bytes, p);
    } catch (const GenerationStop& stop) {
        out.stop = PreviewStop{0, stop.text, ExplainRegionStop(bytes, p)};
        // The markers that are there still show, so that one End String
        // before the Start String can be seen as such.
        if (bytes.size() < 10) return out;
        const std::size_t start = FindMarker(bytes, p.StartString), end = FindMarker(bytes, p.EndString);
        if (start != NoMarker) addHit(out, MarkerKind::Start, start, p.StartString, 0);
        if (end != NoMarker) addHit(out, MarkerKind::End, end, p.EndString, 0);
        if (out.hits.size() == 2 && out.hits[1].offset < out.hits[0].offset) std::swap(out.hits[0], out.hits[1]);
        return out;
    }
    out.regionBegin = offsetIn(bytes, region);
    out.regionEnd = out.regionBegin + region.size();
    addHit(out, MarkerKind::Start, out.regionBegin - p.StartString.size(), p.StartString, 0);

    std::optional<PreviewTexts> texts;
    if (textItems > 0) texts.emplace(page, p, feedTitleForEmptyItemTitle);
    ItemCutter items(region, p.StartItemString);
    std::string_view item;
    for (std::size_t k = 1; items.next(item); ++k) {
        const std::size_t offset = offsetIn(bytes, item);
        if (k > 1) addHit(out, MarkerKind::StartItem, offset - p.StartItemString.size(), p.StartItemString, 0);
        if (out.stop) continue;  // the Start Item String hits after the stop still show
        try {
            const ItemPieces pieces = CutItem(item, k, p);
            if (pieces.hasTitle) addHit(out, MarkerKind::TitleEnd, offsetIn(bytes, pieces.description), p.TitleEndString, k);
            if (!p.EndItemString.empty())
                addHit(out, MarkerKind::EndItem, offsetIn(bytes, pieces.description) + pieces.description.size(),
                       p.EndItemString, k);
            PreviewItem& shown = out.items.emplace_back(PreviewItem{offset, item.size(), {}, {}, {}});
            if (k <= textItems) texts->fill(shown, item, pieces, k);
        } catch (const GenerationStop& stop) {
            std::string_view rest;
            const bool last = !ItemCutter(items).next(rest);
            const ItemPlace place{k, item, last, out.regionBegin, out.regionEnd};
            out.stop = PreviewStop{k, stop.text, ExplainItemStop(bytes, p, place)};
        }
    }
    addHit(out, MarkerKind::End, out.regionEnd, p.EndString, 0);
    out.textItems = std::min(textItems, out.items.size());
    return out;
}
