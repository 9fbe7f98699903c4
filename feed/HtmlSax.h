#pragma once
// libxml2's forgiving HTML parser, driven with callbacks and no tree: the
// pieces of a page are tag soup cut at arbitrary markers, and the parser
// closes, skips and decodes (every HTML 4 entity, in text and attribute
// values) as browsers do. Used inside feed/ only.
#include <libxml/HTMLparser.h>

#include <string>
#include <string_view>

// Attribute pairs as the parser hands them over: name, value, name, value,
// ..., null. A value may be null for an attribute written without one.
class HtmlAttributes {
public:
    explicit HtmlAttributes(const xmlChar** pairs) : pairs_(pairs) {}
    // The value of the first attribute of that (lower-case) name, or null.
    const char* find(std::string_view name) const;
    template <class F>
    void forEach(F f) const {
        for (const xmlChar** p = pairs_; p && p[0]; p += 2)
            f(std::string_view(reinterpret_cast<const char*>(p[0])), reinterpret_cast<const char*>(p[1]));
    }

private:
    const xmlChar** pairs_;
};

class HtmlSaxHandler {
public:
    virtual ~HtmlSaxHandler() = default;
    // Element names come lower-cased.
    virtual void start(std::string_view, const HtmlAttributes&) {}
    virtual void end(std::string_view) {}
    // Character data, entities decoded, as UTF-8.
    virtual void text(std::string_view) {}
};

class HtmlSaxParser {
public:
    HtmlSaxParser();
    ~HtmlSaxParser();
    HtmlSaxParser(const HtmlSaxParser&) = delete;
    HtmlSaxParser& operator=(const HtmlSaxParser&) = delete;

    // Parses valid UTF-8 text; markup inside cannot switch the encoding.
    void parseUtf8(std::string_view text, HtmlSaxHandler& handler);
    // Parses bytes in the named encoding, read in small blocks so that a
    // handler which stops early has cost no more than what it read.
    void parseEncoded(std::string_view bytes, const char* encoding, HtmlSaxHandler& handler);
    // Called from a callback: no further callbacks for this parse.
    void stop();

private:
    htmlParserCtxtPtr ctxt_;
    HtmlSaxHandler* handler_ = nullptr;
    std::string buffer_;  // the piece as handed to the parser, kept for its capacity
    static void onStart(void*, const xmlChar*, const xmlChar**);
    static void onEnd(void*, const xmlChar*);
    static void onText(void*, const xmlChar*, int);
    static HtmlSaxParser& self(void* ctx);
};

// True for elements a browser shows on lines of their own (p, div, li,
// h1, td, ...), after libxml2's table of HTML 4 elements and the HTML5
// sectioning elements that table does not know.
bool IsBlockElement(std::string_view name);
// True for elements that have no end tag (br, img, hr, ...).
bool IsVoidElement(std::string_view name);
