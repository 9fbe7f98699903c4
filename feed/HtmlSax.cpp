#include "feed/HtmlSax.h"

#include <cstring>
#include <new>
#include <string>

namespace {

// The element each piece is wrapped in; its own events are not passed on.
// The parser knows it (an unknown name costs an error report a piece),
// keeps text inside it as it is, and no tag of a piece closes it but
// </body> and </html>; a <body> inside it is dropped.
constexpr std::string_view FragmentElement = "body";

constexpr int FragmentOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                                HTML_PARSE_NOIMPLIED;

// Hands a page to the parser in blocks straight from memory.
struct MemoryReader {
    std::string_view rest;
    static int read(void* context, char* buffer, int len) {
        auto* r = static_cast<MemoryReader*>(context);
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(len), r->rest.size());
        std::memcpy(buffer, r->rest.data(), n);
        r->rest.remove_prefix(n);
        return static_cast<int>(n);
    }
    static int close(void*) { return 0; }
};

// Page bytes that do not fit their encoding make libxml2's converters
// complain on standard error, outside any parser's options; such bytes are
// ordinary on the web, and the parser goes on anyway.
class QuietErrors {
public:
    QuietErrors() { xmlSetStructuredErrorFunc(nullptr, ignore); }
    ~QuietErrors() { xmlSetStructuredErrorFunc(nullptr, nullptr); }

private:
    static void ignore(void*, xmlErrorPtr) {}
};

}  // namespace

const char* HtmlAttributes::find(std::string_view name) const {
    for (const xmlChar** p = pairs_; p && p[0]; p += 2)
        if (name == reinterpret_cast<const char*>(p[0])) return reinterpret_cast<const char*>(p[1]);
    return nullptr;
}

HtmlSaxParser::HtmlSaxParser() {
    ctxt_ = htmlNewParserCtxt();
    if (!ctxt_) throw std::bad_alloc();
    // Only the callbacks below: no document tree is ever built.
    std::memset(ctxt_->sax, 0, sizeof *ctxt_->sax);
    ctxt_->sax->startElement = onStart;
    ctxt_->sax->endElement = onEnd;
    ctxt_->sax->characters = onText;
    // Blanks between two elements are part of the text a browser shows.
    ctxt_->sax->ignorableWhitespace = onText;
    // Script and style content arrives through cdataBlock: never shown text.
    ctxt_->sax->cdataBlock = [](void*, const xmlChar*, int) {};
    ctxt_->sax->initialized = 1;
    ctxt_->_private = this;
}

HtmlSaxParser::~HtmlSaxParser() { htmlFreeParserCtxt(ctxt_); }

HtmlSaxParser& HtmlSaxParser::self(void* ctx) {
    return *static_cast<HtmlSaxParser*>(static_cast<htmlParserCtxtPtr>(ctx)->_private);
}

void HtmlSaxParser::onStart(void* ctx, const xmlChar* name, const xmlChar** atts) {
    const std::string_view n(reinterpret_cast<const char*>(name));
    if (n != FragmentElement) self(ctx).handler_->start(n, HtmlAttributes(atts));
}

void HtmlSaxParser::onEnd(void* ctx, const xmlChar* name) {
    const std::string_view n(reinterpret_cast<const char*>(name));
    if (n != FragmentElement) self(ctx).handler_->end(n);
}

void HtmlSaxParser::onText(void* ctx, const xmlChar* ch, int len) {
    self(ctx).handler_->text(std::string_view(reinterpret_cast<const char*>(ch), static_cast<std::size_t>(len)));
}

void HtmlSaxParser::parseUtf8(std::string_view text, HtmlSaxHandler& handler) {
    if (text.empty()) return;
    handler_ = &handler;
    QuietErrors quiet;
    // The byte-order mark makes the parser read UTF-8 as it is, without a
    // converter in between and without guessing from the bytes. The piece
    // goes inside a body of its own: text outside any element would get an
    // implied <p>.
    std::string& doc = buffer_;
    doc.assign("\xEF\xBB\xBF<");
    doc += FragmentElement;
    doc += '>';
    doc += text;
    htmlDocPtr parsed = htmlCtxtReadMemory(ctxt_, doc.data(), static_cast<int>(doc.size()), nullptr, nullptr,
                                           FragmentOptions | HTML_PARSE_IGNORE_ENC);
    if (parsed) xmlFreeDoc(parsed);
    handler_ = nullptr;
}

void HtmlSaxParser::parseEncoded(std::string_view bytes, const char* encoding, HtmlSaxHandler& handler) {
    if (bytes.empty()) return;
    handler_ = &handler;
    QuietErrors quiet;
    MemoryReader reader{bytes};
    htmlDocPtr doc = htmlCtxtReadIO(ctxt_, MemoryReader::read, MemoryReader::close, &reader, nullptr, encoding,
                                    FragmentOptions | HTML_PARSE_IGNORE_ENC);
    if (doc) xmlFreeDoc(doc);
    handler_ = nullptr;
}

void HtmlSaxParser::stop() { xmlStopParser(ctxt_); }

namespace {

const htmlElemDesc* describe(std::string_view name) {
    const std::string z(name);
    return htmlTagLookup(reinterpret_cast<const xmlChar*>(z.c_str()));
}

}  // namespace

bool IsBlockElement(std::string_view name) {
    static constexpr std::string_view html5Blocks[] = {"article", "aside",  "details", "dialog", "figcaption",
                                                       "figure",  "footer", "header",  "hgroup", "main",
                                                       "nav",     "section", "summary"};
    for (std::string_view b : html5Blocks)
        if (name == b) return true;
    if (name == "br") return true;
    const htmlElemDesc* desc = describe(name);
    return desc && desc->isinline == 0;
}

bool IsVoidElement(std::string_view name) {
    if (name == "wbr" || name == "source" || name == "track") return true;
    const htmlElemDesc* desc = describe(name);
    return desc && desc->empty;
}
