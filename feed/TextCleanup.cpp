#include "feed/TextCleanup.h"

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
bool isBlankedOut(char c) {
    switch (c) {
        case '<': case '>': case '&': case '/': case '\t': case '\r': case '\n':
            return true;
        default:
            return false;
    }
}
}  // namespace

std::string CleanText(std::string_view text, const FeedProfile& profile) {
    if (!profile.stripsTags()) return std::string(text);
    static constexpr std::string_view nbsp = "&nbsp;";
    std::string out;
    out.reserve(text.size());
    // Four passes of "two blanks become one" turn a run of n blanks into
    // ceil(n / 16) blanks; collect runs and emit that many.
    std::size_t run = 0;
    auto flushRun = [&] {
        if (run > 0) out.append((run + 15) / 16, ' ');
        run = 0;
    };
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        char c = text[i];
        bool blank;
        if (c == '&' && text.compare(i, nbsp.size(), nbsp) == 0) {
            blank = true;
            i += nbsp.size();
        } else {
            blank = c == ' ' || isBlankedOut(c);
            ++i;
        }
        if (blank) {
            ++run;
        } else {
            flushRun();
            out.push_back(c);
        }
    }
    flushRun();
    std::size_t b = out.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    std::size_t e = out.find_last_not_of(' ');
    return out.substr(b, e - b + 1);
}
