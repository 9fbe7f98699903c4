#include "feed/HtmlText.h"

#include "feed/HtmlSax.h"
#include "feed/LinkResolver.h"

#include <strings.h>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (name == n) return true;
    return false;
}

struct ElementFlags {
    bool block;      // its edges read as blanks
    bool isVoid;     // it has no end tag
    bool hidesText;  // a browser does not show its content as text (script
                     // and style content never even reaches the handlers)
    bool dropped;    // safe markup leaves it out with everything inside
};

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};

// What an element is, worked out once per name: a page has few distinct ones.
const ElementFlags& flagsOf(std::string_view name) {
    thread_local std::unordered_map<std::string, ElementFlags, NameHash, std::equal_to<>> known;
    if (auto it = known.find(name); it != known.end()) return it->second;
    const bool hides = isOneOf(name, {"script", "style", "noscript", "template", "title", "head"});
    const bool dropped = hides || isOneOf(name, {"iframe", "object", "embed", "applet", "frame", "frameset",
                                                 "noframes", "base", "link", "meta"});
    return known.emplace(std::string(name), ElementFlags{IsBlockElement(name), IsVoidElement(name), hides, dropped})
        .first->second;
}

// Attributes that hold an address.
bool holdsAddress(std::string_view name) {
    return isOneOf(name, {"href", "src", "action", "formaction", "background", "cite", "longdesc", "poster",
                          "usemap", "codebase", "data", "lowsrc", "dynsrc", "xlink:href"});
}

// Offset of the first "&", "<", ">" or '"' at or after `i`, sixteen bytes
// at a time: text between tags is mostly plain.
std::size_t skipPlain(std::string_view s, std::size_t i) {
#if defined(__SSE2__)
    for (; i + 16 <= s.size(); i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('&')), _mm_cmpeq_epi8(v, _mm_set1_epi8('<'))),
                         _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('>')), _mm_cmpeq_epi8(v, _mm_set1_epi8('"'))));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    while (i < s.size() && s[i] != '&' && s[i] != '<' && s[i] != '>' && s[i] != '"') ++i;
    return i;
}

void appendHtmlEscaped(std::string& out, std::string_view text, bool inAttribute) {
    std::size_t plain = 0;
    for (std::size_t i = 0; (i = skipPlain(text, i)) < text.size(); ++i) {
        const char* replacement;
        switch (text[i]) {
            case '&': replacement = "&amp;"; break;
            case '<': replacement = "&lt;"; break;
            case '>': replacement = "&gt;"; break;
            case '"': replacement = inAttribute ? "&quot;" : nullptr; break;
            default: replacement = nullptr;
        }
        if (!replacement) continue;
        out.append(text.substr(plain, i - plain));
        out += replacement;
        plain = i + 1;
    }
    out.append(text.substr(plain));
}

class TextCollector : public HtmlSaxHandler {
public:
    std::string shown;
    void start(std::string_view name, const HtmlAttributes&) override { edge(name, +1); }
    void end(std::string_view name) override { edge(name, -1); }
    void text(std::string_view t) override {
        if (hidden_ == 0) shown += t;
    }

private:
    int hidden_ = 0;
    void edge(std::string_view name, int step) {
        const ElementFlags& f = flagsOf(name);
        if (f.hidesText)
            hidden_ += step;
        else if (f.block)
            shown += ' ';
    }
};

class LinkFinder : public HtmlSaxHandler {
public:
    explicit LinkFinder(HtmlSaxParser& parser) : parser_(parser) {}
    std::string link;
    void start(std::string_view name, const HtmlAttributes& attrs) override {
        if (name != "a") return;
        const char* href = attrs.find("href");
        if (!href || IsScriptAddress(href) || std::string_view(href).find_first_not_of(" \t\r\n\f") ==
                                                   std::string_view::npos)
            return;
        link = href;
        parser_.stop();
    }

private:
    HtmlSaxParser& parser_;
};

class SafeWriter : public HtmlSaxHandler {
public:
    explicit SafeWriter(const LinkResolver& links) : links_(links) {}
    std::string html;

    void start(std::string_view name, const HtmlAttributes& attrs) override {
        if (dropped_ > 0 || flagsOf(name).dropped) {
            ++dropped_;
            return;
        }
        html += '<';
        html += name;
        attrs.forEach([&](std::string_view attr, const char* value) { attribute(name, attr, value); });
        html += '>';
    }
    void end(std::string_view name) override {
        if (dropped_ > 0) {
            --dropped_;
            return;
        }
        if (!flagsOf(name).isVoid) {
            html += "</";
            html += name;
            html += '>';
        }
    }
    void text(std::string_view t) override {
        if (dropped_ == 0) appendHtmlEscaped(html, t, false);
    }

private:
    const LinkResolver& links_;
    int dropped_ = 0;  // depth inside an element that goes with its content

    void attribute(std::string_view element, std::string_view name, const char* value) {
        if (name.size() >= 2 && ::strncasecmp(name.data(), "on", 2) == 0) return;
        if (name == "srcset") return;
        std::string v = value ? value : "";
        if (holdsAddress(name)) {
            if (IsScriptAddress(v)) return;
            // data: addresses are pictures in img src; anywhere else they can
            // be whole documents.
            const bool dataAddress = ::strncasecmp(v.c_str(), "data:", 5) == 0;
            if (dataAddress && !(element == "img" && name == "src")) return;
            if (!dataAddress) v = links_.Resolve(v);
        }
        html += ' ';
        html += name;
        html += "=\"";
        appendHtmlEscaped(html, v, true);
        html += '"';
    }
};

bool isBlank(std::string_view s, std::size_t i, std::size_t& width) {
    const char c = s[i];
    width = 1;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') return true;
    if (c == '\xC2' && i + 1 < s.size() && s[i + 1] == '\xA0') {  // U+00A0 no-break space
        width = 2;
        return true;
    }
    return false;
}

}  // namespace

std::string SqueezeBlanks(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    bool pending = false;  // a blank seen since the last character written
    for (std::size_t i = 0, width; i < s.size(); i += width) {
        if (isBlank(s, i, width)) {
            pending = true;
            continue;
        }
        if (pending && !out.empty()) out += ' ';
        pending = false;
        out.append(s.substr(i, width));
    }
    return out;
}

HtmlText::HtmlText() : parser_(std::make_unique<HtmlSaxParser>()) {}
HtmlText::~HtmlText() = default;

namespace {
// Text without markup and without references reads as it stands: the
// parser is left out for it.
bool hasNoMarkup(std::string_view text) { return text.find_first_of("<&") == std::string_view::npos; }
}  // namespace

std::string HtmlText::PlainText(std::string_view utf8) {
    if (hasNoMarkup(utf8)) return SqueezeBlanks(utf8);
    TextCollector collector;
    parser_->parseUtf8(utf8, collector);
    return SqueezeBlanks(collector.shown);
}

std::string HtmlText::FirstLink(std::string_view utf8) {
    if (utf8.find('<') == std::string_view::npos) return {};
    LinkFinder finder(*parser_);
    parser_->parseUtf8(utf8, finder);
    return finder.link;
}

std::string HtmlText::SafeHtml(std::string_view utf8, const LinkResolver& links) {
    if (hasNoMarkup(utf8)) {
        std::string html;
        appendHtmlEscaped(html, utf8, false);
        return html;
    }
    SafeWriter writer(links);
    parser_->parseUtf8(utf8, writer);
    return writer.html;
}
