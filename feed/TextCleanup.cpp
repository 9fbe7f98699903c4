#include "feed/TextCleanup.h"

#include <algorithm>

// Both functions give the result of their step-by-step definition (remove a
// piece, search again; replace one pattern everywhere, then the next) in a
// single left-to-right pass, so a page of many megabytes costs no more than
// reading it.

std::string StripTags(std::string_view text, const FeedProfile& profile) {
    if (!profile.stripsTags()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    // Once no ">" is left after some position, none is left after any later
    // one: remember that instead of scanning to the end again.
    bool gtLeft = true;
    while (i < n) {
        std::size_t lt = text.find('<', i);
        if (lt == std::string_view::npos) break;
        out.append(text.substr(i, lt - i));
        std::size_t gt = gtLeft ? text.find('>', lt + 1) : std::string_view::npos;
        if (gt == std::string_view::npos) {
            gtLeft = false;
            gt = lt + 1;  // the "<" takes the one character after it along
        }
        i = gt + 1;
    }
    if (i < n) out.append(text.substr(i));
    return out;
}

namespace {

// The bytes CleanText turns into blanks, the blank included: "<", ">", "&",
// "/", tab, CR and LF. "&nbsp;" starts with one of them.
struct BlankTable {
    bool blank[256] = {};
    constexpr BlankTable() {
        for (unsigned char c : {' ', '<', '>', '&', '/', '\t', '\r', '\n'}) blank[c] = true;
    }
};
constexpr BlankTable Blanks;

bool isBlank(char c) { return Blanks.blank[static_cast<unsigned char>(c)]; }

}  // namespace

std::string CleanText(std::string_view text, const FeedProfile& profile) {
    if (!profile.stripsTags()) return std::string(text);
    static constexpr std::string_view nbsp = "&nbsp;";
    // The result is never longer than the text.
    std::string out(text.size(), '\0');
    char* const begin = out.data();
    char* o = begin;
    // Four passes of "two blanks become one" turn a run of n blanks into
    // ceil(n / 16) blanks. A run is written only when text follows it and
    // some text came before it: that is the trimming of both ends.
    std::size_t run = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        if (!isBlank(*p)) {
            if (run > 0 && o > begin) o = std::fill_n(o, (run + 15) / 16, ' ');
            run = 0;
            // Plain text goes across up to the next blank. Words are short:
            // a byte loop beats a call per word.
            do *o++ = *p++;
            while (p < end && !isBlank(*p));
            continue;
        }
        // One blank: "&nbsp;" whole, or any one byte of the table.
        ++run;
        p += *p == '&' && std::string_view(p, static_cast<std::size_t>(end - p)).starts_with(nbsp) ? nbsp.size() : 1;
    }
    out.resize(static_cast<std::size_t>(o - begin));
    return out;
}
