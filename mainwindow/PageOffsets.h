#pragma once
// The page's bytes are shown in a text box one byte a character, except
// that a CR LF pair is one line break there: every offset past a pair is
// one less in the box. This maps the engine's byte offsets to the box's.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

class PageOffsets {
public:
    PageOffsets() = default;
    explicit PageOffsets(std::string_view bytes) {
        for (size_t at = bytes.find("\r\n"); at != std::string_view::npos; at = bytes.find("\r\n", at + 2))
            pairEnds_.push_back(at + 1);
    }
    // The box offset of a byte; both bytes of a pair map to its one break.
    int64_t toBox(size_t byte) const {
        const auto pairsUpTo = std::upper_bound(pairEnds_.begin(), pairEnds_.end(), byte) - pairEnds_.begin();
        return int64_t(byte) - int64_t(pairsUpTo);
    }

private:
    std::vector<size_t> pairEnds_;  // offsets of the LF of each CR LF pair, ascending
};
