#include "feed/MarkerSuggest.h"

#include "feed/PageOutline.h"
#include "feed/TextSearch.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// Occurrences of each title looked at; a title is rarely on a page more
// often than in its list, a teaser and a "most read" box.
constexpr std::size_t SpansPerTitle = 3;
// How far a marker may reach to become unique.
constexpr std::size_t MarkerReach = 200;
constexpr std::size_t AnyDepth = static_cast<std::size_t>(-1);

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

std::size_t commonPrefix(std::string_view a, std::string_view b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

// A marker stays on one line: a profile holds each on a line of its own.
std::string_view firstLine(std::string_view s) {
    const std::size_t at = s.find_first_of("\r\n");
    return at == std::string_view::npos ? s : s.substr(0, at);
}

// The elements that are the items, and the marker that starts each.
struct ItemLevel {
    std::vector<std::size_t> elements;  // in page order
    std::string startItem;
    double preference;  // how likely this level is the list's own
    bool wide = false;  // found in the whole page, not around the titles only
};

struct Scored {
    MarkerProposal markers;
    double score;
    bool wide;  // from a page-wide level
};

class Suggester {
public:
    Suggester(const PreviewPage& page, const std::vector<std::string>& titles)
        : page_(page), bytes_(page.bytes), outline_(page.bytes, page.contentType) {
        for (const std::string& t : titles) {
            keys_.push_back(OutlineKey(t));
            spans_.push_back(outline_.find(t, SpansPerTitle));
        }
    }

    bool allFound() const {
        return std::all_of(spans_.begin(), spans_.end(), [](const auto& s) { return !s.empty(); });
    }

    std::vector<MarkerProposal> run() {
        if (spans_.empty() || !allFound()) return {};
        if (spans_.size() == 1) {
            for (const auto& s : spans_[0]) {
                tryLevels(singleLevels(s), {s});
                tryLevels(wideLevels({s}), {s});
            }
        } else {
            for (const auto& a : spans_[0])
                for (const auto& b : spans_[1]) {
                    std::vector<PageOutline::Span> chosen = {a, b};
                    for (std::size_t t = 2; t < spans_.size(); ++t) chosen.push_back(spans_[t][0]);
                    tryLevels(pairLevels(chosen), chosen);
                    tryLevels(wideLevels(chosen), chosen);
                }
        }
        // The items around the titles are the list the user means, unless
        // they are no more than the titles given: then the list goes on
        // elsewhere in the page, in boxes of the same markup.
        std::size_t around = 0;
        double best = -1;
        for (const Scored& s : found_)
            if (!s.wide && s.score > best) {
                best = s.score;
                around = s.markers.items;
            }
        if (around > spans_.size())
            for (Scored& s : found_)
                if (s.wide) s.score -= 1.5;
        std::stable_sort(found_.begin(), found_.end(), [](const Scored& x, const Scored& y) { return x.score > y.score; });
        std::vector<MarkerProposal> out;
        for (const Scored& s : found_) {
            out.push_back(s.markers);
            if (out.size() == 3) break;
        }
        return out;
    }

private:
    const PreviewPage& page_;
    std::string_view bytes_;
    PageOutline outline_;
    std::vector<std::string> keys_;
    std::vector<std::vector<PageOutline::Span>> spans_;
    std::vector<Scored> found_;
    using MarkerKey = std::tuple<std::string, std::string, std::string, std::string, std::string>;
    std::map<MarkerKey, bool> tried_;  // and whether it was kept

    static MarkerKey key(const MarkerProposal& m) {
        return {m.StartString, m.StartItemString, m.EndString, m.TitleEndString, m.EndItemString};
    }

    const OutlineNode& node(std::size_t i) const { return outline_.nodes()[i]; }

    std::size_t ancestorAt(std::size_t n, std::size_t depth) const {
        while (node(n).depth > depth) n = node(n).parent;
        return n;
    }

    // The elements under `scope` at `depth` named `name` whose start tag
    // begins with `prefix`, and the longest start they all share.
    ItemLevel level(std::size_t scope, std::size_t depth, const std::string& name, std::string_view prefix,
                    double preference) const {
        ItemLevel l{{}, {}, preference};
        const OutlineNode& s = node(scope);
        const auto& nodes = outline_.nodes();
        std::string_view shared;
        for (std::size_t i = scope + 1; i < nodes.size() && nodes[i].begin < s.end; ++i) {
            if ((depth != AnyDepth && nodes[i].depth != depth) || nodes[i].name != name) continue;
            const std::string_view tag = outline_.startTag(i);
            if (tag.substr(0, prefix.size()) != prefix) continue;
            shared = l.elements.empty() ? tag : shared.substr(0, commonPrefix(shared, tag));
            l.elements.push_back(i);
        }
        l.startItem = std::string(firstLine(shared));
        return l;
    }

    // With two titles or more: the elements at each depth between the one
    // holding all titles and each title, where the two first titles lie in
    // elements of one name.
    std::vector<ItemLevel> pairLevels(const std::vector<PageOutline::Span>& chosen) const {
        std::size_t all = chosen[0].node;
        for (const auto& s : chosen) all = outline_.common(all, s.node);
        std::vector<ItemLevel> out;
        const std::size_t n2 = chosen[1].node;
        double preference = 1.0;
        std::vector<std::size_t> chain;
        for (std::size_t a = chosen[0].node; node(a).depth > node(all).depth; a = node(a).parent) chain.push_back(a);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it, preference -= 0.2) {
            const OutlineNode& a = node(*it);
            if (node(n2).depth < a.depth) break;
            const std::size_t b = ancestorAt(n2, a.depth);
            if (b == *it || node(b).name != a.name) continue;
            const std::string_view prefix = outline_.startTag(*it).substr(
                0, commonPrefix(outline_.startTag(*it), outline_.startTag(b)));
            if (prefix.size() < a.name.size() + 1) continue;
            out.push_back(level(all, a.depth, a.name, prefix, preference));
        }
        return out;
    }

    // Lists the page repeats in several places (a box of items in every
    // menu, say): at each step up from the first title, the elements of
    // the whole page whose start tags begin as the ones around the titles.
    std::vector<ItemLevel> wideLevels(const std::vector<PageOutline::Span>& chosen) const {
        std::vector<ItemLevel> out;
        double preference = 1.0;
        std::size_t b = chosen.size() > 1 ? chosen[1].node : 0;
        for (std::size_t a = chosen[0].node; a != 0; a = node(a).parent, b = node(b).parent, preference -= 0.2) {
            std::string_view prefix = withClass(outline_.startTag(a), node(a).name);
            if (chosen.size() > 1) {
                if (b == a || b == 0 || node(b).name != node(a).name) continue;
                prefix = prefix.substr(0, commonPrefix(prefix, outline_.startTag(b)));
                if (prefix.size() < node(a).name.size() + 1) continue;
            }
            out.push_back(level(0, AnyDepth, node(a).name, prefix, preference));
            out.back().wide = true;
        }
        return out;
    }

    // A start tag up to the end of its class attribute when that comes
    // first, else its name and the character after it.
    static std::string_view withClass(std::string_view tag, const std::string& name) {
        const std::size_t at = name.size() + 1;
        if (tag.substr(at, 8) == " class=\"") {
            const std::size_t close = tag.find('"', at + 8);
            if (close != std::string_view::npos) return tag.substr(0, close + 1);
        }
        return tag.substr(0, at + 1);
    }

    // With one title: each element around it with at least two more of its
    // name beside it.
    std::vector<ItemLevel> singleLevels(const PageOutline::Span& span) const {
        std::vector<ItemLevel> out;
        double preference = 1.0;
        for (std::size_t a = span.node; a != 0; a = node(a).parent) {
            const OutlineNode& n = node(a);
            const std::string_view prefix = outline_.startTag(a).substr(0, n.name.size() + 1);
            ItemLevel l = level(n.parent, n.depth, n.name, prefix, preference);
            if (l.elements.size() < 3) continue;
            out.push_back(std::move(l));
            preference -= 0.2;
        }
        return out;
    }

    // The shortest text ending at `end` whose first occurrence in the page
    // ends there, reaching back at most to `from`; or, failing that, the
    // shortest one starting at `from` and ending by `limit`, the first
    // item's text.
    std::string startString(std::size_t from, std::size_t end, std::size_t limit) const {
        for (std::size_t a = from + 1; a-- > (from > MarkerReach ? from - MarkerReach : 0);) {
            if (isLineBreak(bytes_[a])) break;
            const std::string_view s = bytes_.substr(a, end - a);
            if (FindMarker(bytes_, s) == a) {
                // Back to the start of its tag, which reads better and
                // still first occurs where it ends.
                const std::size_t lt = bytes_.rfind('<', a);
                const bool sameLine = lt != std::string_view::npos && a - lt <= MarkerReach &&
                                      bytes_.substr(lt, a - lt).find_first_of("\r\n") == std::string_view::npos;
                return std::string(sameLine && s.find('<') != 0 ? bytes_.substr(lt, end - lt) : s);
            }
        }
        for (std::size_t b = end + 1; b <= limit && b - from <= MarkerReach && !isLineBreak(bytes_[b - 1]); ++b) {
            const std::string_view s = bytes_.substr(from, b - from);
            if (FindMarker(bytes_, s) == from) return std::string(s);
        }
        // Or whole tags on one line further into the first item, before its
        // text (a link's address is often the one thing unique there): the
        // region then starts inside the first item.
        std::string_view best;
        constexpr std::size_t none = std::string_view::npos;
        for (std::size_t gt = bytes_.find('>', end); gt != none && gt < limit; gt = bytes_.find('>', gt + 1)) {
            for (std::size_t lt = bytes_.rfind('<', gt); lt != none && gt + 1 - lt <= MarkerReach;
                 lt = lt ? bytes_.rfind('<', lt - 1) : none) {
                const std::string_view s = bytes_.substr(lt, gt + 1 - lt);
                if (s.find_first_of("\r\n") != none) break;
                if (FindMarker(bytes_, s) == lt) {
                    if (best.empty() || s.size() < best.size()) best = s;
                    break;
                }
            }
        }
        return std::string(best);
    }

    // bytes_[at, at + n) carried on to the end of the tag it stops in, when
    // that is near and on the same line: a marker that is a whole tag reads
    // better, and the longer text still first occurs where it stands.
    std::string_view toTagEnd(std::size_t at, std::size_t n) const {
        const std::size_t lt = bytes_.rfind('<', at + n - 1), gt = bytes_.find('>', at + n - 1);
        if (lt == std::string_view::npos || lt < at || gt == std::string_view::npos || gt - at >= MarkerReach)
            return bytes_.substr(at, n);
        const std::string_view whole = bytes_.substr(at, gt + 1 - at);
        return whole.find_first_of("\r\n") == std::string_view::npos ? whole : bytes_.substr(at, n);
    }

    // The shortest text at or after `at` whose first occurrence after the
    // region's start is where it stands.
    std::string endString(std::size_t at, std::size_t regionStart) const {
        for (int tries = 0; tries < 30 && at < bytes_.size(); ++tries) {
            for (std::size_t n = 2; at + n <= bytes_.size() && n <= MarkerReach && !isLineBreak(bytes_[at + n - 1]);
                 ++n) {
                const std::string_view s = bytes_.substr(at, n);
                if (isLineBreak(s[0])) break;
                if (FindMarker(bytes_, s, regionStart) == at) return std::string(toTagEnd(at, n));
            }
            at = bytes_.find('<', at + 1);
            if (at == std::string_view::npos) break;
        }
        return {};
    }

    // Where the last item ends. Items that follow each other directly are
    // whole elements, and the list ends with the last one; items with
    // other elements between them are headings, whose text runs on to
    // the end of the element around them.
    std::size_t endOfList(const std::vector<std::size_t>& items) const {
        const OutlineNode& last = node(items.back());
        bool whole = true;
        for (std::size_t i = 1; i < items.size() && whole; ++i) {
            const std::size_t gapFrom = node(items[i - 1]).end, gapTo = node(items[i]).begin;
            whole = gapFrom <= gapTo && bytes_.substr(gapFrom, gapTo - gapFrom).find('<') == std::string_view::npos;
        }
        if (whole || last.parent == 0) return last.end;
        const std::size_t lt = bytes_.rfind('<', node(last.parent).end - 1);
        return lt != std::string_view::npos && lt >= last.end ? lt : last.end;
    }

    // What follows every chosen title: the tags they share, up to the last
    // ">" of the shared text.
    std::vector<std::string> titleEnds(const std::vector<PageOutline::Span>& chosen) const {
        auto after = [&](const PageOutline::Span& s, bool skipBlanks) {
            std::size_t at = s.end;
            while (skipBlanks && at < bytes_.size() && std::string_view(" \t\r\n").find(bytes_[at]) != std::string_view::npos)
                ++at;
            return firstLine(bytes_.substr(at, 80));
        };
        // One title: the run of its first tags or only the first, as the
        // next tag may carry what is the item's own (an id).
        auto tags = [](std::string_view text, int count) {
            std::size_t n = 0;
            for (int i = 0; i < count && n < text.size() && text[n] == '<'; ++i) {
                const std::size_t gt = text.find('>', n);
                if (gt == std::string_view::npos) break;
                n = gt + 1;
            }
            return text.substr(0, n);
        };
        std::vector<std::string> out;
        for (bool skipBlanks : {false, true}) {
            for (int count : {2, 1}) {
                std::string_view shared = after(chosen[0], skipBlanks);
                if (chosen.size() == 1) shared = tags(shared, count);
                for (const auto& s : chosen) shared = shared.substr(0, commonPrefix(shared, after(s, skipBlanks)));
                if (const std::size_t gt = shared.rfind('>'); gt != std::string_view::npos)
                    shared = shared.substr(0, gt + 1);
                if (shared.size() >= 2 && std::find(out.begin(), out.end(), shared) == out.end())
                    out.emplace_back(shared);
                if (chosen.size() > 1) break;
            }
            if (!out.empty()) break;
        }
        return out;
    }

    // Leaves out the elements at either end of the list that hold no Title
    // End String, such as a table's header row: as items they would stop
    // the cut.
    void trimToTitled(ItemLevel& l, std::string_view titleEnd) const {
        auto titled = [&](std::size_t e) {
            const OutlineNode& n = node(e);
            return FindMarker(bytes_.substr(0, n.end), titleEnd, n.begin) != NoMarker;
        };
        auto& e = l.elements;
        while (!e.empty() && !titled(e.back())) e.pop_back();
        const auto first = std::find_if(e.begin(), e.end(), titled);
        e.erase(e.begin(), first);
    }

    void tryLevels(const std::vector<ItemLevel>& levels, const std::vector<PageOutline::Span>& chosen) {
        // The longer Title End String first: it holds the title tighter.
        for (const std::string& end : titleEnds(chosen)) {
            const std::size_t before = found_.size();
            tryLevels(levels, end);
            if (found_.size() > before) break;
        }
    }

    void tryLevels(const std::vector<ItemLevel>& levels, const std::string& end) {
        for (ItemLevel l : levels) {
            trimToTitled(l, end);
            if (l.elements.size() < 2 || l.startItem.size() < 2) continue;
            const OutlineNode& first = node(l.elements.front());
            const std::size_t hitEnd = first.begin + l.startItem.size();
            MarkerProposal m;
            m.StartItemString = l.startItem;
            m.StartString = startString(first.begin, hitEnd, outline_.textAfter(hitEnd));
            if (m.StartString.empty()) continue;
            const std::size_t regionStart = FindMarker(bytes_, m.StartString) + m.StartString.size();
            m.EndString = endString(endOfList(l.elements), regionStart);
            if (m.EndString.empty()) continue;
            m.TitleEndString = end;
            const std::string closeTag = "</" + first.name + ">";
            for (const std::string& endItem : {closeTag, std::string()}) {
                m.EndItemString = endItem;
                if (score(m, l)) break;
            }
        }
    }

    // Runs the cut; keeps the proposal when it gets through and its item
    // titles hold every title.
    bool score(MarkerProposal& m, const ItemLevel& l) {
        // Title occurrences and levels often lead to the same markers: each
        // set is cut once.
        const auto [at, fresh] = tried_.emplace(key(m), false);
        if (!fresh) return at->second;
        FeedProfile p = ProposalProfile(m);
        p.StripHTMLTags = "1";
        const FeedPreview r = PreviewFeed(page_, p, false);
        if (r.stop || r.items.empty()) return false;
        std::vector<std::string> itemKeys;
        std::size_t good = 0;
        for (const PreviewItem& it : r.items) {
            itemKeys.push_back(OutlineKey(it.title));
            if (!itemKeys.back().empty() && itemKeys.back().size() <= 300) ++good;
        }
        for (const std::string& title : keys_)
            if (std::none_of(itemKeys.begin(), itemKeys.end(),
                             [&](const std::string& k) { return k.find(title) != std::string::npos; }))
                return false;
        const double n = static_cast<double>(r.items.size()), wanted = static_cast<double>(l.elements.size());
        const double purity = std::min(n, wanted) / std::max(n, wanted);
        m.items = r.items.size();
        // Of two cuts alike in every other way, the one with more items is
        // likelier the whole list rather than a part of it.
        const double more = 0.3 * std::min(n, 40.0) / 40.0;
        at->second = true;
        found_.push_back(
            {m, 2 * (good / n) + 2 * purity + l.preference + more + (m.EndItemString.empty() ? 0 : 0.05), l.wide});
        return true;
    }
};

}  // namespace

std::vector<MarkerProposal> SuggestMarkers(const PreviewPage& page, const std::vector<std::string>& titles) {
    return Suggester(page, titles).run();
}

std::vector<std::string> TitlesNotFound(const PreviewPage& page, const std::vector<std::string>& titles) {
    const PageOutline outline(page.bytes, page.contentType);
    std::vector<std::string> out;
    for (const std::string& t : titles)
        if (outline.find(t, 1).empty()) out.push_back(t);
    return out;
}

FeedProfile ProposalProfile(const MarkerProposal& m) {
    FeedProfile p = NewFeedProfile("proposal");
    p.SourceType = "Web";
    p.StartString = m.StartString;
    p.StartItemString = m.StartItemString;
    p.EndString = m.EndString;
    p.TitleEndString = m.TitleEndString;
    p.EndItemString = m.EndItemString;
    p.FeedFormat = "2.0";
    return p;
}
