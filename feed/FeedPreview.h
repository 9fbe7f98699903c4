#pragma once
// What a feed run would make of a page, worked out in memory: the region,
// the items with the texts the profile's document format would write, where
// every marker hits, and the stop with plain words on why. It writes no
// file and asks no question, so it can run on every keystroke.
#include "feed/FeedProfile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class MarkerKind { Start, End, StartItem, TitleEnd, EndItem };

// A marker's place: byte offsets in the page; item counted from 1, 0 when
// the hit is not inside an item.
struct MarkerHit {
    MarkerKind kind;
    std::size_t offset;
    std::size_t length;
    std::size_t item;
};

// The item's piece of the page and its texts as the profile's format writes
// them, in UTF-8.
struct PreviewItem {
    std::size_t offset;
    std::size_t length;
    std::string title, link, description;
};

// Why the run stops. item is 0 when the stop is not an item's; message is
// the text a generation shows, explanation says the same in plain words.
struct PreviewStop {
    std::size_t item;
    std::string message;
    std::string explanation;
};

struct FeedPreview {
    std::size_t regionBegin = 0, regionEnd = 0;  // the region in page offsets (both 0 when there is none)
    std::vector<PreviewItem> items;              // up to the stop, when there is one
    std::size_t textItems = 0;                   // the first textItems items carry their texts
    std::vector<MarkerHit> hits;                 // in page order; markers left empty have none
    std::optional<PreviewStop> stop;
};

// What the page source gives, in memory.
struct PreviewPage {
    std::string bytes;
    std::string contentType;  // the HTTP Content-Type; empty for a local file
    std::string address;      // where a web page was found, after redirects
};

// The run of GenerateFeed on the page, without writing: the same cuts, the
// same stops, the same item texts. `feedTitleForEmptyItemTitle` answers the
// question a generation asks ("Use Feed Title where Item Title is empty").
FeedPreview PreviewFeed(const PreviewPage& page, const FeedProfile& profile, bool feedTitleForEmptyItemTitle);

// The same with the texts of the first `textItems` items only; the others
// carry their place in the page. Cutting a page is cheap, but the
// reader-ready texts mean parsing every item's HTML (about 40 ms a MB), so a
// view that shows a few items at a time asks for those and adds more with
// AddPreviewTexts as they come into sight.
FeedPreview PreviewFeed(const PreviewPage& page, const FeedProfile& profile, bool feedTitleForEmptyItemTitle,
                        std::size_t textItems);

// Makes the texts of the items up to `upTo` (counted from 1) that have none
// yet. The page, the profile and the answer must be the preview's own.
void AddPreviewTexts(FeedPreview& preview, const PreviewPage& page, const FeedProfile& profile,
                     bool feedTitleForEmptyItemTitle, std::size_t upTo);
