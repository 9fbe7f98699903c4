#pragma once
// Plain words for the stops of a feed run: which marker stopped it and what
// to change, worked out from the page rather than from the message text.
#include "feed/FeedProfile.h"

#include <cstddef>
#include <string>
#include <string_view>

// A stop while finding the region (the page's length or one of the three
// required markers).
std::string ExplainRegionStop(std::string_view page, const FeedProfile& profile);

// Where item k lies, for explaining its stop.
struct ItemPlace {
    std::size_t k;             // counted from 1
    std::string_view item;     // the item's piece of the page
    bool last;                 // no Start Item String after it in the region
    std::size_t regionBegin;   // page offsets of the region
    std::size_t regionEnd;
};

// A stop while cutting item k into its title and description.
std::string ExplainItemStop(std::string_view page, const FeedProfile& profile, const ItemPlace& place);
