#pragma once
// Scoring proposed markers against the real items of a page, written down
// by hand in tests/feed/data/suggest/: the first proposal for two of the
// real titles is cut, and its item titles are matched with the real ones.
#include "feed/MarkerSuggest.h"
#include "feed/PageOutline.h"
#include "feed/SafeFile.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct SuggestCase {
    std::string page;                 // file name in the corpus
    std::vector<std::string> titles;  // the real items' titles, in page order
};

// "# comment" lines, a "page: NAME" line, then one title a line.
inline SuggestCase ReadSuggestCase(const std::filesystem::path& file) {
    SuggestCase c;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("page: ", 0) == 0) c.page = line.substr(6);
        else c.titles.push_back(line);
    }
    return c;
}

struct SuggestScore {
    std::size_t items = 0;     // items of the first proposal; 0 when there is none
    std::size_t found = 0;     // real titles some item holds
    std::size_t realItems = 0; // items that hold a real title
    double recall(std::size_t real) const { return real ? double(found) / double(real) : 0; }
    double precision() const { return items ? double(realItems) / double(items) : 0; }
};

// The first proposal for the first `given` real titles (two by default), scored. An item holds
// a title when its title contains it (blanks and ASCII case aside).
inline SuggestScore ScoreSuggestion(const PreviewPage& page, const SuggestCase& c, std::size_t given = 2) {
    SuggestScore s;
    const std::vector<MarkerProposal> proposals = SuggestMarkers(
        page, std::vector<std::string>(c.titles.begin(), c.titles.begin() + std::min(given, c.titles.size())));
    if (proposals.empty()) return s;
    const MarkerProposal& m = proposals.front();
    const FeedPreview r = PreviewFeed(page, ProposalProfile(m), false);
    s.items = r.items.size();
    std::vector<std::string> real;
    for (const std::string& t : c.titles) real.push_back(OutlineKey(t));
    std::vector<bool> taken(real.size(), false);
    for (const PreviewItem& it : r.items) {
        const std::string key = OutlineKey(it.title);
        bool holds = false;
        for (std::size_t i = 0; i < real.size(); ++i)
            if (key.find(real[i]) != std::string::npos) {
                holds = true;
                if (!taken[i]) {
                    taken[i] = true;
                    ++s.found;
                }
            }
        if (holds) ++s.realItems;
    }
    return s;
}
