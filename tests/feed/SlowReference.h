#pragma once
// The feed builder's rules written out step by step, the slow and literal
// way (1-based positions, erase from the middle, one replacement pattern
// after another). The engine does the same in single passes; tests compare
// the two on random and real pages.
#include "feed/FeedProfile.h"
#include "feed/XmlEscape.h"

#include <string>
#include <vector>

namespace slow {

// Position of `m` in `t` from `p`, 1-based; 0 when absent.
inline std::size_t inStr(std::size_t p, const std::string& t, const std::string& m) {
    if (t.empty()) return 0;
    if (m.empty()) return p <= t.size() ? p : 0;
    for (std::size_t i = p; i + m.size() <= t.size() + 1; ++i)
        if (t.compare(i - 1, m.size(), m) == 0) return i;
    return 0;
}

inline std::string left(const std::string& t, std::size_t k) { return t.substr(0, k); }
inline std::string mid(const std::string& t, std::size_t from) { return from > t.size() ? "" : t.substr(from - 1); }

inline std::string stripTags(std::string t) {
    std::size_t p = 0;
    for (;;) {
        std::size_t lt = inStr(p + 1, t, "<");
        if (lt == 0) return t;
        std::size_t gt = inStr(lt + 1, t, ">");
        if (gt == 0) gt = lt + 1;
        t.erase(lt - 1, gt - lt + 1);  // erase clamps at the end
        p = lt - 1;
    }
}

inline std::string replaceEvery(std::string t, const std::string& what, const std::string& with) {
    std::size_t at = 0;
    while ((at = t.find(what, at)) != std::string::npos) {
        t.replace(at, what.size(), with);
        at += with.size();
    }
    return t;
}

inline std::string cleanText(std::string t) {
    for (const char* what : {"&nbsp;", "<", ">", "&", "/", "\t", "\r", "\n"}) t = replaceEvery(t, what, " ");
    for (int i = 0; i < 4; ++i) t = replaceEvery(t, "  ", " ");
    std::size_t b = t.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return t.substr(b, t.find_last_not_of(' ') - b + 1);
}

// The document for a page, or the text of the stop message in `stop` (with
// `doc` holding what was written before it). Failures of the two cuts are
// reported as "cut".
inline std::string generate(const std::string& page, const FeedProfile& p, bool yes, std::string& stop) {
    auto clean = [&](const std::string& s) { return p.StripHTMLTags == "0" ? s : cleanText(stripTags(s)); };
    stop.clear();
    if (page.size() < 10) return stop = "Invalid Source page, Unable to generate feed.", "";
    if (!inStr(1, page, p.StartString)) return stop = "Source webpage does not contains the Start String:" + p.StartString, "";
    if (!inStr(1, page, p.EndString)) return stop = "Source webpage does not contains the End String:" + p.EndString, "";
    if (!inStr(1, page, p.StartItemString))
        return stop = "Source webpage does not contains the Item Start String:" + p.StartItemString, "";
    std::string region = mid(page, inStr(1, page, p.StartString) + p.StartString.size());
    std::size_t e = inStr(1, region, p.EndString);
    if (e == 0) return stop = "cut", "";
    region = left(region, e - 1);

    std::vector<std::string> items;
    if (!region.empty()) {
        if (p.StartItemString.empty()) {
            items.push_back(region);
        } else {
            std::size_t from = 1;
            for (std::size_t at; (at = inStr(from, region, p.StartItemString)) != 0; from = at + p.StartItemString.size())
                items.push_back(region.substr(from - 1, at - from));
            items.push_back(mid(region, from));
        }
    }
    std::string doc = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<rss version=\"0.91\">\r\n<channel>\r\n";
    // Header values and the item link are escaped as the engine does it
    // (tested on its own); the reference follows the cuts.
    const std::string link = EscapeKeepingReferences(p.FeedLink);
    doc += "<title>" + EscapeKeepingReferences(p.FeedTitle) + "</title>\r\n<link>" + link +
           "</link>\r\n<description>" + EscapeKeepingReferences(p.FeedDesc) +
           "</description>\r\n<language>en-us</language>\r\n";
    for (std::size_t k = 1; k <= items.size(); ++k) {
        const std::string& it = items[k - 1];
        std::string title = ".";
        std::size_t q = inStr(1, it, p.TitleEndString);
        if (!p.TitleEndString.empty() && q > 0) title = clean(left(it, q - 1));
        if (q == 0) {
            stop = "Source webpage does not contains the Title End String:" + p.TitleEndString + " in Feed Item " +
                   std::to_string(k);
            return doc;
        }
        std::string desc = mid(it, q);
        if (!p.EndItemString.empty()) {
            if (!inStr(1, it, p.EndItemString)) {
                stop = "Source webpage does not contains the Item End String:" + p.EndItemString + " in Feed Item " +
                       std::to_string(k);
                return doc;
            }
            std::size_t r = inStr(1, desc, p.EndItemString);
            if (r == 0) return stop = "cut", doc;
            desc = left(desc, r - 1);
        }
        desc = clean(desc);
        if (yes && title == ".") title = p.FeedTitle;
        for (const std::string& line : {std::string("<item>"), std::string("<title>"), title, std::string("</title>"),
                                        std::string("<link>"), link, std::string("</link>"),
                                        std::string("<description>"), desc, std::string("</description>"),
                                        std::string("</item>")})
            doc += line + "\r\n";
    }
    return doc + "</channel>\r\n</rss>\r\n";
}

}  // namespace slow
