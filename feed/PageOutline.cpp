#include "feed/PageOutline.h"

#include "feed/HtmlSax.h"
#include "feed/PageEncoding.h"
#include "feed/TextSearch.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements whose content is text, not markup; their text is not shown
// (a textarea's is, but it is no item title).
bool isRawText(std::string_view name) {
    return isOneOf(name, {"script", "style", "title", "textarea", "xmp", "noscript", "template"});
}

// The start tag of `name` ends an open element of `open`'s name first.
bool impliesEnd(std::string_view name, std::string_view open) {
    if (open == "p") return IsBlockElement(name) && !isOneOf(name, {"span", "a"});
    if (open == "li") return name == "li";
    if (open == "dt" || open == "dd") return name == "dt" || name == "dd";
    if (open == "tr") return name == "tr" || name == "tbody" || name == "thead" || name == "tfoot";
    if (open == "td" || open == "th") return isOneOf(name, {"td", "th", "tr", "tbody", "thead", "tfoot"});
    if (open == "option") return name == "option" || name == "optgroup";
    return false;
}

// Containers past which an implied end does not reach.
bool isScopeBoundary(std::string_view name) {
    return isOneOf(name, {"ul", "ol", "dl", "table", "select", "div", "body", "html", "section", "article"});
}

bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

void appendUtf8(std::string& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The entity at `s` (which starts with "&"): its text and length, or a
// length of 0 when it is no entity.
std::size_t decodeEntity(std::string_view s, std::string& out) {
    const std::size_t semi = s.find(';');
    if (semi == std::string_view::npos || semi < 2 || semi > 12) return 0;
    const std::string name(s.substr(1, semi - 1));
    if (name[0] == '#') {
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
                                  std::string::npos)
            return 0;
        appendUtf8(out, std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10));
        return semi + 1;
    }
    const htmlEntityDesc* e = htmlEntityLookup(reinterpret_cast<const xmlChar*>(name.c_str()));
    if (!e) return 0;
    appendUtf8(out, e->value);
    return semi + 1;
}

std::string lowerName(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::string OutlineKey(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (isBlank(c)) continue;
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0xA0) {
            ++i;  // no-break space
            continue;
        }
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    }
    return out;
}

void PageOutline::addChar(std::string_view utf8, std::size_t begin, std::size_t end) {
    const std::string key = OutlineKey(utf8);
    for (char c : key) {
        text_ += c;
        from_.push_back(begin);
        to_.push_back(end);
        textNode_.push_back(open_.back());
    }
}

// Text between tags: entities decoded, the page's encoding turned into
// UTF-8 character by character where it can be, so that every character
// keeps its own offsets.
void PageOutline::addText(std::string_view bytes, std::size_t at) {
    const bool utf8 = encoding_ == Utf8Name;
    const bool singleByte = encoding_ == Windows1252Name;
    static thread_local std::string one;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '&') {
            one.clear();
            if (const std::size_t n = decodeEntity(bytes.substr(i), one); n > 0) {
                addChar(one, at + i, at + i + n);
                i += n;
                continue;
            }
        }
        if (c < 0x80 || utf8) {
            std::size_t n = 1;
            if (c >= 0xC0) n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            n = std::min(n, bytes.size() - i);
            addChar(bytes.substr(i, n), at + i, at + i + n);
            i += n;
        } else if (singleByte) {
            static thread_local Utf8Converter cp1252(Windows1252Name);
            addChar(cp1252(bytes.substr(i, 1)), at + i, at + i + 1);
            ++i;
        } else {
            // A multi-byte encoding: the run up to the next entity as a
            // whole, every character of it pointing at the whole run.
            std::size_t j = bytes.find('&', i);
            if (j == std::string_view::npos) j = bytes.size();
            const Utf8Converter convert(encoding_);
            addChar(convert(bytes.substr(i, j - i)), at + i, at + j);
            i = j;
        }
    }
}

PageOutline::PageOutline(std::string_view page, const std::string& contentType)
    : page_(page), encoding_(DetectPageEncoding(page, contentType)) {
    nodes_.push_back({"", 0, 0, page.size(), 0, 0});
    open_.push_back(0);
    auto close = [&](std::size_t depthIndex, std::size_t at) {
        while (open_.size() > depthIndex) {
            nodes_[open_.back()].end = at;
            open_.pop_back();
        }
    };
    std::size_t i = 0, textFrom = 0;
    while (i < page.size()) {
        const std::size_t lt = page.find('<', i);
        if (lt == std::string_view::npos) break;
        const char next = lt + 1 < page.size() ? page[lt + 1] : '\0';
        const bool isEnd = next == '/';
        const bool isTag = std::isalpha(static_cast<unsigned char>(isEnd ? (lt + 2 < page.size() ? page[lt + 2] : 0) : next));
        if (!isTag && next != '!' && next != '?') {
            i = lt + 1;
            continue;
        }
        addText(page.substr(textFrom, lt - textFrom), textFrom);
        std::size_t gt;
        if (page.compare(lt, 4, "<!--") == 0) {
            gt = page.find("-->", lt + 4);
            gt = gt == std::string_view::npos ? page.size() : gt + 3;
            i = textFrom = gt;
            continue;
        }
        gt = page.find('>', lt);
        gt = gt == std::string_view::npos ? page.size() : gt + 1;
        if (!isTag) {
            i = textFrom = gt;
            continue;
        }
        const std::size_t nameFrom = lt + (isEnd ? 2 : 1);
        std::size_t nameTo = nameFrom;
        while (nameTo < gt && !isBlank(static_cast<unsigned char>(page[nameTo])) && page[nameTo] != '>' &&
               page[nameTo] != '/')
            ++nameTo;
        const std::string name = lowerName(page.substr(nameFrom, nameTo - nameFrom));
        i = textFrom = gt;
        if (isEnd) {
            for (std::size_t d = open_.size(); d-- > 1;) {
                if (nodes_[open_[d]].name == name) {
                    close(d, gt);
                    break;
                }
                if (isScopeBoundary(nodes_[open_[d]].name) && !isScopeBoundary(name)) break;
            }
            continue;
        }
        for (std::size_t d = open_.size(); d-- > 1;) {
            const std::string& open = nodes_[open_[d]].name;
            if (impliesEnd(name, open)) {
                close(d, lt);
                break;
            }
            if (isScopeBoundary(open)) break;
        }
        const std::size_t parent = open_.back();
        nodes_.push_back({name, lt, gt, gt, parent, nodes_[parent].depth + 1});
        const bool selfClosed = gt >= 2 && page[gt - 2] == '/';
        if (IsVoidElement(name) || selfClosed) continue;
        if (isRawText(name)) {
            // Its content is no markup: skip to its end tag.
            const std::string endTag = "</" + name;
            std::size_t at = gt;
            for (;;) {
                at = page.find("</", at);
                if (at == std::string_view::npos || lowerName(page.substr(at, endTag.size())) == endTag) break;
                at += 2;
            }
            const std::size_t after = at == std::string_view::npos ? page.size() : page.find('>', at);
            const std::size_t endOffset = after == std::string_view::npos ? page.size() : after + 1;
            nodes_.back().end = endOffset;
            i = textFrom = endOffset;
            continue;
        }
        open_.push_back(nodes_.size() - 1);
    }
    addText(page.substr(textFrom), textFrom);
    close(1, page.size());
}

std::vector<PageOutline::Span> PageOutline::find(std::string_view utf8, std::size_t limit) const {
    std::vector<Span> out;
    const std::string key = OutlineKey(utf8);
    if (key.empty()) return out;
    for (std::size_t at = FindMarker(text_, key); at != NoMarker && out.size() < limit;
         at = FindMarker(text_, key, at + 1)) {
        const std::size_t last = at + key.size() - 1;
        out.push_back({from_[at], to_[last], common(textNode_[at], textNode_[last])});
    }
    return out;
}

std::size_t PageOutline::textAfter(std::size_t offset) const {
    const auto it = std::lower_bound(from_.begin(), from_.end(), offset);
    return it == from_.end() ? page_.size() : *it;
}

std::size_t PageOutline::common(std::size_t a, std::size_t b) const {
    while (nodes_[a].depth > nodes_[b].depth) a = nodes_[a].parent;
    while (nodes_[b].depth > nodes_[a].depth) b = nodes_[b].parent;
    while (a != b) {
        a = nodes_[a].parent;
        b = nodes_[b].parent;
    }
    return a;
}
