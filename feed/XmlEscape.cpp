#include "feed/XmlEscape.h"

#include <charconv>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Length of the XML reference starting at text[at] (which is '&'), or 0
// when none starts there.
std::size_t referenceLength(std::string_view text, std::size_t at) {
    const std::size_t semi = text.find(';', at + 1);
    if (semi == std::string_view::npos) return 0;
    const std::string_view body = text.substr(at + 1, semi - at - 1);
    for (std::string_view name : {"amp", "lt", "gt", "quot", "apos"})
        if (body == name) return semi - at + 1;
    if (body.size() < 2 || body[0] != '#') return 0;
    const bool hex = body[1] == 'x';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return 0;
    unsigned long value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
    if (ec != std::errc{} || end != digits.data() + digits.size()) return 0;
    // A reference to a character XML forbids (&#0;, &#xD800;) breaks the
    // document just as a bare "&" does.
    return IsXmlChar(static_cast<char32_t>(value)) ? semi - at + 1 : 0;
}

}  // namespace

std::string EscapeKeepingReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            out += "&lt;";
        } else if (c == '&') {
            const std::size_t n = referenceLength(text, i);
            if (n == 0) {
                out += "&amp;";
            } else {
                out.append(text.substr(i, n));
                i += n - 1;
            }
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// Bytes that need a look in AppendXmlEscaped: markup characters, the
// control characters XML forbids, and the lead byte of U+FFFE and U+FFFF.
struct SpecialBytes {
    bool table[256] = {};
    constexpr SpecialBytes() {
        for (int c = 0; c < 0x20; ++c) table[c] = c != '\t' && c != '\n' && c != '\r';
        table[static_cast<unsigned char>('&')] = table[static_cast<unsigned char>('<')] = true;
        table[static_cast<unsigned char>('>')] = table[static_cast<unsigned char>('"')] = true;
        table[0xEF] = true;
    }
};
constexpr SpecialBytes Special;

// Offset of the first byte at or after `i` that may need a look, skipping
// sixteen plain bytes at a time: item descriptions are long runs of text
// with a markup character now and then.
std::size_t skipPlain(std::string_view s, std::size_t i) {
#if defined(__SSE2__)
    const __m128i lowest = _mm_set1_epi8(0x1F);
    for (; i + 16 <= s.size(); i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
        // Control characters, tab, LF and CR excepted.
        __m128i hit = _mm_cmpeq_epi8(_mm_min_epu8(v, lowest), v);
        hit = _mm_andnot_si128(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t')),
                                                         _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))),
                                            _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))),
                               hit);
        hit = _mm_or_si128(hit, _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('&')), _mm_cmpeq_epi8(v, _mm_set1_epi8('<'))));
        hit = _mm_or_si128(hit, _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('>')), _mm_cmpeq_epi8(v, _mm_set1_epi8('"'))));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xEF))));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    while (i < s.size() && !Special.table[static_cast<unsigned char>(s[i])]) ++i;
    return i;
}

}  // namespace

void AppendXmlEscaped(std::string& out, std::string_view s, bool inAttribute) {
    std::size_t plain = 0;  // start of the run not yet copied
    for (std::size_t i = 0; (i = skipPlain(s, i)) < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const char* replacement = nullptr;
        std::size_t width = 1;
        if (c == '&') replacement = "&amp;";
        else if (c == '<') replacement = "&lt;";
        else if (c == '>') replacement = "&gt;";
        else if (c == '"') replacement = inAttribute ? "&quot;" : nullptr;
        else if (c < 0x20) replacement = "";
        // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
        else if (i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xBF &&
                 (static_cast<unsigned char>(s[i + 2]) & 0xFE) == 0xBE) {
            replacement = "";
            width = 3;
        }
        if (!replacement) continue;
        out.append(s.substr(plain, i - plain));
        out += replacement;
        plain = i + width;
        i += width - 1;
    }
    out.append(s.substr(plain));
}
