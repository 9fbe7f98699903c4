#pragma once
// Marker search over page text.
//
// std::string_view::find looks for the marker's first byte with memchr and
// compares at every hit, so a marker that starts with "<" costs a call per
// "<" of the page. glibc's memmem sets up a shift table on every call, which
// the builder's many short searches (two or three an item) pay again and
// again. Here sixteen starting places are tested at once against the
// marker's first and last byte; the rare places where both match are
// compared in full. Markers are usually tags, whose first and last bytes
// ("<" and ">") rarely stand the marker's length apart elsewhere.
#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

inline constexpr std::size_t NoMarker = std::string_view::npos;

namespace text_search_detail {

// memmem from `from` on: linear in the worst case.
inline std::size_t memmemFrom(std::string_view text, std::string_view marker, std::size_t from) {
    const void* at = ::memmem(text.data() + from, text.size() - from, marker.data(), marker.size());
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data()) : NoMarker;
}

}  // namespace text_search_detail

// The 0-based offset of the first occurrence of `marker` in `text` that
// starts at or after `from`, or NoMarker. Nothing is found at or beyond the
// end of the text, not even an empty marker: searching from `from` is
// searching text.substr(from), and an empty text holds nothing.
inline std::size_t FindMarker(std::string_view text, std::string_view marker, std::size_t from = 0) {
    const std::size_t n = text.size(), k = marker.size();
    if (from >= n) return NoMarker;
    if (k == 0) return from;
    if (k > n - from) return NoMarker;
    const char* d = text.data();
    if (k == 1) {
        const void* at = std::memchr(d + from, marker[0], n - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - d) : NoMarker;
    }
#if defined(__SSE2__)
    const std::size_t last = n - k;  // the last offset at which the marker fits
    const char first = marker[0], final = marker[k - 1];
    const __m128i firsts = _mm_set1_epi8(first), finals = _mm_set1_epi8(final);
    // Bytes compared at places that were no match. A text built against the
    // filter (long runs of the marker's own bytes) would make that grow with
    // the marker's length at every place; past a few times the text scanned,
    // memmem takes over and keeps the search linear.
    std::size_t wasted = 0;
    std::size_t i = from;
    for (; i + 15 <= last; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i + k - 1));
        unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, firsts), _mm_cmpeq_epi8(b, finals))));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (std::memcmp(d + at + 1, marker.data() + 1, k - 2) == 0) return at;
            wasted += k;
            if (wasted > 4 * (at - from) + 4096) return text_search_detail::memmemFrom(text, marker, at + 1);
            mask &= mask - 1;
        }
    }
    for (; i <= last; ++i)
        if (d[i] == first && d[i + k - 1] == final && std::memcmp(d + i + 1, marker.data() + 1, k - 2) == 0) return i;
    return NoMarker;
#else
    return text_search_detail::memmemFrom(text, marker, from);
#endif
}
