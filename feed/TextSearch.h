#pragma once
// Marker search with 1-based positions: the position of the first
// occurrence of `marker` in `text` that starts at or after `from`, or 0.
// An empty marker is found at `from` in a non-empty text; nothing at all is
// found in an empty text.
#include <cstddef>
#include <string_view>

inline std::size_t FindFrom(std::string_view text, std::string_view marker, std::size_t from = 1) {
    if (text.empty() || from == 0 || from > text.size()) return 0;
    std::size_t at = text.find(marker, from - 1);
    return at == std::string_view::npos ? 0 : at + 1;
}
