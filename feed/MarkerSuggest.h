#pragma once
// Markers proposed from the titles of a few items the user can see on the
// page.
#include "feed/FeedPreview.h"

#include <cstddef>
#include <string>
#include <vector>

// Five markers ready for a profile, and the number of items they give.
struct MarkerProposal {
    std::string StartString, StartItemString, EndString, TitleEndString, EndItemString;
    std::size_t items = 0;
};

// A reader-ready profile cutting with the proposal's five markers: the one
// the proposals are checked with.
FeedProfile ProposalProfile(const MarkerProposal& m);

// Up to three proposals, best first; empty when no title is found in the
// page. Titles are matched as a browser shows the page (entities decoded,
// blanks squeezed). Every marker is a plain substring of the page, and the
// item titles of every proposal (as the reader-ready format writes them)
// contain every given title.
std::vector<MarkerProposal> SuggestMarkers(const PreviewPage& page, const std::vector<std::string>& titles);

// The titles that do not occur in the page's visible text, matched as
// SuggestMarkers matches them.
std::vector<std::string> TitlesNotFound(const PreviewPage& page, const std::vector<std::string>& titles);
