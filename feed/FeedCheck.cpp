#include "feed/FeedCheck.h"

#include "feed/LinkResolver.h"
#include "feed/PageEncoding.h"
#include "feed/SafeFile.h"

#include <libxml/HTMLparser.h>
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iconv.h>
#include <map>
#include <strings.h>
#include <unordered_map>

namespace {

struct Position {
    int line = 0, column = 0;
};

// Line and column of byte offsets in the document as the parser counts
// them: lines end at LF, columns count characters (UTF-8 sequences, or
// bytes in a single-byte encoding).
class LineIndex {
public:
    LineIndex(std::string_view doc, bool utf8) : doc_(doc), utf8_(utf8) {}
    Position at(std::size_t offset) const {
        const std::string_view before = doc_.substr(0, offset);
        const int line = static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
        const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
        int column = 1;
        for (std::size_t i = lineStart; i < offset; ++i)
            if (!utf8_ || (static_cast<unsigned char>(doc_[i]) & 0xC0) != 0x80) ++column;
        return {line, column};
    }

private:
    std::string_view doc_;
    bool utf8_;
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

bool isBlankText(const std::string& s) {
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string trimmed(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The first byte offset that is not valid in the encoding, or npos.
std::size_t firstInvalidByte(std::string_view doc, const std::string& encoding) {
    if (encoding == Utf8Name) return FirstInvalidUtf8(doc);
    iconv_t cd = ::iconv_open("UTF-8", encoding.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string_view::npos;
    char* in = const_cast<char*>(doc.data());
    std::size_t left = doc.size();
    std::string out(65536, '\0');
    std::size_t bad = std::string_view::npos;
    while (left > 0) {
        char* dst = out.data();
        std::size_t room = out.size();
        if (::iconv(cd, &in, &left, &dst, &room) != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG) {
            bad = static_cast<std::size_t>(in - doc.data());
            break;
        }
    }
    ::iconv_close(cd);
    return bad;
}

// Whether the text holds an HTML entity name whose "&" was lost (" amp;")
// or kept as text ("&eacute;"); returns it, or empty.
std::string entityNameIn(const std::string& text) {
    for (std::size_t semi = text.find(';'); semi != std::string::npos; semi = text.find(';', semi + 1)) {
        std::size_t b = semi;
        while (b > 0 && (std::isalnum(static_cast<unsigned char>(text[b - 1])) || text[b - 1] == '#')) --b;
        if (b == semi) continue;
        const bool afterAmp = b > 0 && text[b - 1] == '&';
        const bool wordStart = b == 0 || text[b - 1] == ' ' || text[b - 1] == '\t' || text[b - 1] == '\n' ||
                               text[b - 1] == '\r';
        if (!afterAmp && !wordStart) continue;
        const std::string name = text.substr(b, semi - b);
        const bool numeric = name[0] == '#' && name.size() > 1;
        if (numeric || htmlEntityLookup(reinterpret_cast<const xmlChar*>(name.c_str())))
            return (afterAmp ? "&" : "") + name + ";";
    }
    return {};
}

// A tag written as text ("<b>", "</a>") in a title, or empty.
std::string markupIn(const std::string& text) {
    for (std::size_t lt = text.find('<'); lt != std::string::npos; lt = text.find('<', lt + 1)) {
        const std::size_t gt = text.find('>', lt);
        if (gt == std::string::npos) break;
        const char next = lt + 1 < text.size() ? text[lt + 1] : ' ';
        if (std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!')
            return text.substr(lt, std::min<std::size_t>(gt - lt + 1, 40));
    }
    return {};
}

struct Field {
    bool present = false;
    std::string text;
    Position at;
};

struct Item {
    Position at;
    Field title, link, guid;
    std::string markupChild;  // an element met inside the title
};

// Walks the parser's events: the channel, its items, and what each holds.
class Walker {
public:
    // `lenient`: the document is not well-formed and the parser recovers as
    // it can; mismatched tags then leave items nested in the markup of the
    // one before, and every <item> counts wherever it stands.
    Walker(FeedCheckResult& result, bool lenient) : result_(result), lenient_(lenient) {}

    std::string declaredEncoding;
    bool sawEncodingDeclaration = false;
    bool firstFatalSeen = false;
    xmlError firstFatal{};
    std::string firstFatalMessage;

    void start(xmlParserCtxtPtr ctxt, std::string_view name) {
        if (!sawEncodingDeclaration) noteEncoding(ctxt);
        const Position here = tagStart(ctxt);
        const std::string parent = stack_.empty() ? std::string() : stack_.back();
        stack_.emplace_back(name);
        if (stack_.size() == 1) {
            root_ = std::string(name);
            rootAt_ = here;
            return;
        }
        if (inItem_ && current_ == &item_.title) {
            if (item_.markupChild.empty()) item_.markupChild = "<" + std::string(name) + ">";
            return;
        }
        if (name == "channel" && stack_.size() == 2) {
            hasChannel_ = true;
            channelAt_ = here;
        } else if (name == "item" && (lenient_ || parent == "channel" || (stack_.size() == 2 && root_ == "RDF"))) {
            if (inItem_) finishItem();
            inItem_ = true;
            item_ = Item{};
            item_.at = here;
        } else if (inItem_ && parent == "item") {
            open(name, item_.title, item_.link, &item_.guid, here);
        } else if (parent == "channel") {
            open(name, channelTitle_, channelLink_, nullptr, here);
        }
    }

    void end() {
        const std::string name = stack_.back();
        stack_.pop_back();
        if (stack_.empty()) return;
        if (inItem_ && current_ == &item_.title && !(name == "title" && stack_.back() == "item")) return;
        if (name == "item" && inItem_ && (lenient_ || stack_.back() == "channel" || stack_.size() == 1)) {
            inItem_ = false;
            finishItem();
        }
        current_ = nullptr;
    }

    void text(std::string_view t) {
        if (current_) current_->text.append(t);
    }

    void noteEncoding(xmlParserCtxtPtr ctxt) {
        if (ctxt->input && ctxt->input->encoding) {
            declaredEncoding = reinterpret_cast<const char*>(ctxt->input->encoding);
            sawEncodingDeclaration = true;
        }
    }

    void finish() {
        if (root_ != "rss" && root_ != "RDF") {
            if (!root_.empty())
                add(rootAt_, FindingSeverity::Warning, FindingKind::NotRss,
                    "not an RSS document: the root element is <" + root_ + ">; only its XML was checked", false);
            return;
        }
        if (!hasChannel_) {
            add(rootAt_, FindingSeverity::Error, FindingKind::NoChannel, "the document has no channel", false);
        } else {
            if (!channelTitle_.present)
                add(channelAt_, FindingSeverity::Error, FindingKind::ChannelWithoutTitle, "the channel has no title",
                    true);
            else if (isBlankText(channelTitle_.text))
                add(channelTitle_.at, FindingSeverity::Warning, FindingKind::EmptyChannelTitle,
                    "the channel's title is empty", true);
            if (!channelLink_.present || isBlankText(channelLink_.text))
                add(channelLink_.present ? channelLink_.at : channelAt_, FindingSeverity::Error,
                    FindingKind::ChannelWithoutLink, "the channel has no link", true);
            else
                checkLink(channelLink_);
        }
        for (const auto& [link, group] : sharedLinks_) {
            if (group.count < 2) continue;
            const std::string n = std::to_string(group.count);
            add(group.first, FindingSeverity::Error, FindingKind::SharedLinkWithoutGuid,
                n + " items share the link " + link + " and have no guid: readers will keep only one of these " + n +
                    " items",
                true);
        }
    }

private:
    struct LinkGroup {
        Position first;
        std::size_t count = 0;
    };

    FeedCheckResult& result_;
    bool lenient_;
    std::vector<std::string> stack_;
    std::string root_;
    Position rootAt_, channelAt_;
    bool hasChannel_ = false;
    Field channelTitle_, channelLink_;
    bool inItem_ = false;
    Item item_;
    Field* current_ = nullptr;
    std::map<std::string, LinkGroup> sharedLinks_;
    std::unordered_map<std::string, int> guids_;  // guid, line first seen

    // Starts collecting the text of a title, link or guid (the first of each).
    void open(std::string_view name, Field& title, Field& link, Field* guid, Position here) {
        Field* f = name == "title" ? &title : name == "link" ? &link : name == "guid" ? guid : nullptr;
        if (!f || f->present) return;
        f->present = true;
        f->at = here;
        current_ = f;
    }

    void add(Position at, FindingSeverity severity, FindingKind kind, std::string text, bool cured) {
        result_.findings.push_back({at.line, at.column, severity, kind, std::move(text), cured});
    }

    void checkLink(const Field& link) {
        const std::string l = trimmed(link.text);
        if (!l.empty() && !IsAbsoluteAddress(l))
            add(link.at, FindingSeverity::Warning, FindingKind::RelativeLink,
                "relative link: " + l + " (readers cannot open it)", true);
    }

    void finishItem() {
        ++result_.items;
        const Item& it = item_;
        const std::string title = trimmed(it.title.text);
        if (title.empty() && it.markupChild.empty()) {
            add(it.title.present ? it.title.at : it.at, FindingSeverity::Warning, FindingKind::EmptyItemTitle,
                "empty item title", false);
        } else if (!it.markupChild.empty()) {
            add(it.title.at, FindingSeverity::Warning, FindingKind::MarkupInTitle,
                "markup left in the item title: " + it.markupChild, true);
        } else if (std::string tag = markupIn(title); !tag.empty()) {
            add(it.title.at, FindingSeverity::Warning, FindingKind::MarkupInTitle,
                "markup left in the item title: " + tag, true);
        } else if (std::string entity = entityNameIn(title); !entity.empty()) {
            add(it.title.at, FindingSeverity::Warning, FindingKind::EntityNameInTitle,
                "entity name left in the item title: " + entity, true);
        }
        if (it.link.present) checkLink(it.link);
        const std::string link = trimmed(it.link.text);
        if (it.guid.present) {
            const std::string guid = trimmed(it.guid.text);
            auto [seen, added] = guids_.try_emplace(guid, it.guid.at.line);
            if (!added)
                add(it.guid.at, FindingSeverity::Warning, FindingKind::DuplicateGuid,
                    "duplicate guid " + guid + " (first at line " + std::to_string(seen->second) +
                        "): readers show these items as one",
                    false);
        } else if (!link.empty()) {
            LinkGroup& g = sharedLinks_[link];
            if (g.count++ == 0) g.first = it.link.at;
        }
    }

    // The position of the '<' of the start tag just read: the parser stands
    // at its end.
    static Position tagStart(xmlParserCtxtPtr ctxt) {
        const xmlParserInputPtr in = ctxt->input;
        const xmlChar* p = in->cur;
        int chars = 0;
        while (p > in->base && *p != '<') {
            --p;
            if (*p == '\n') return {in->line, 0};  // a tag across lines: its line is enough
            if ((*p & 0xC0) != 0x80) ++chars;
        }
        return {in->line, std::max(1, in->col - chars)};
    }
};

Walker& walkerOf(void* ctx) { return *static_cast<Walker*>(static_cast<xmlParserCtxtPtr>(ctx)->_private); }

void onStart(void* ctx, const xmlChar* localname, const xmlChar*, const xmlChar*, int, const xmlChar**, int, int,
             const xmlChar**) {
    walkerOf(ctx).start(static_cast<xmlParserCtxtPtr>(ctx), reinterpret_cast<const char*>(localname));
}
void onEnd(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) { walkerOf(ctx).end(); }
void onText(void* ctx, const xmlChar* ch, int len) {
    walkerOf(ctx).text(std::string_view(reinterpret_cast<const char*>(ch), static_cast<std::size_t>(len)));
}

struct ErrorSink {
    Walker* walker = nullptr;
    std::vector<xmlError> namespaceErrors;
    std::vector<std::string> namespaceMessages;
};

void onError(void* data, xmlErrorPtr e) {
    auto* sink = static_cast<ErrorSink*>(data);
    if (!sink || !e) return;
    Walker& w = *sink->walker;
    if (e->domain == XML_FROM_PARSER && e->ctxt && !w.sawEncodingDeclaration)
        w.noteEncoding(static_cast<xmlParserCtxtPtr>(e->ctxt));
    if (e->level == XML_ERR_FATAL && !w.firstFatalSeen) {
        w.firstFatalSeen = true;
        w.firstFatal = *e;
        w.firstFatalMessage = e->message ? e->message : "";
    } else if (e->domain == XML_FROM_NAMESPACE && sink->namespaceErrors.size() < 10) {
        sink->namespaceErrors.push_back(*e);
        sink->namespaceMessages.emplace_back(e->message ? e->message : "");
    }
}

// Runs the parser over the document with the walker; returns whether the
// document is well-formed.
bool parse(std::string_view doc, Walker& walker, ErrorSink& sink, bool recover) {
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    xmlSAXVersion(&sax, 2);  // the standard handlers keep entity declarations working
    sax.startElementNs = onStart;
    sax.endElementNs = onEnd;
    sax.characters = onText;
    sax.cdataBlock = onText;
    sax.ignorableWhitespace = onText;
    sax.reference = nullptr;
    sax.warning = nullptr;
    sax.error = nullptr;
    sax.fatalError = nullptr;
    sax.serror = nullptr;

    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) throw std::bad_alloc();
    std::memcpy(ctxt->sax, &sax, sizeof sax);
    ctxt->_private = &walker;
    // Every report, also those of the encoding converters that have no
    // parser at hand, comes here instead of standard error.
    xmlSetStructuredErrorFunc(&sink, onError);
    xmlDocPtr doc2 = xmlCtxtReadMemory(ctxt, doc.data(), static_cast<int>(doc.size()), nullptr, nullptr,
                                       XML_PARSE_NONET | (recover ? XML_PARSE_RECOVER : 0));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    const bool wellFormed = ctxt->wellFormed != 0 && doc2 != nullptr;
    if (doc2) xmlFreeDoc(doc2);
    if (ctxt->myDoc) xmlFreeDoc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    xmlFreeParserCtxt(ctxt);
    return wellFormed;
}

std::string withoutTrailingBlanks(std::string s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    return s;
}

}  // namespace

std::size_t FeedCheckResult::errors() const {
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(), [](const CheckFinding& f) {
        return f.severity == FindingSeverity::Error;
    }));
}

std::size_t FeedCheckResult::warnings() const { return findings.size() - errors(); }

FeedCheckResult CheckFeed(std::string_view doc) {
    FeedCheckResult result;
    Walker walker(result, false);
    ErrorSink sink;
    sink.walker = &walker;
    result.wellFormed = parse(doc, walker, sink, false);

    // The bytes against the declared encoding.
    const std::string declared = walker.declaredEncoding;
    const std::string encoding = declared.empty() ? Utf8Name : EncodingForLabel(declared);
    const bool latin1 = !declared.empty() && (lower(declared) == "iso-8859-1" || lower(declared) == "latin1" ||
                                              lower(declared) == "iso8859-1");
    const LineIndex lines(doc, encoding == Utf8Name);
    Position encodingAt;
    if (latin1) {
        // Every byte is a Latin-1 character; but text that is UTF-8 through
        // and through was written by a program that forgot to convert.
        const auto high = std::find_if(doc.begin(), doc.end(), [](char c) { return (c & 0x80) != 0; });
        if (high != doc.end() && IsValidUtf8(doc)) {
            encodingAt = lines.at(static_cast<std::size_t>(high - doc.begin()));
            result.findings.push_back({encodingAt.line, encodingAt.column, FindingSeverity::Error,
                                       FindingKind::Utf8UnderLatin1,
                                       "UTF-8 text under an ISO-8859-1 declaration: readers show it garbled", true});
        }
    } else if (!encoding.empty() && !encoding.starts_with("UTF-16")) {
        const std::size_t bad = firstInvalidByte(doc, encoding);
        if (bad != std::string_view::npos) {
            encodingAt = lines.at(bad);
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(doc[bad]));
            result.findings.push_back({encodingAt.line, encodingAt.column, FindingSeverity::Error,
                                       FindingKind::InvalidBytes,
                                       std::string("byte ") + byte + " is not valid in the declared encoding " +
                                           (declared.empty() ? Utf8Name : declared),
                                       true});
        }
    }

    // The parser's own verdict, unless it only repeats the encoding finding.
    if (!result.wellFormed) {
        const xmlError& e = walker.firstFatal;
        const bool repeatsEncoding = encodingAt.line > 0 && walker.firstFatalSeen && e.line >= encodingAt.line;
        if (!repeatsEncoding)
            result.findings.push_back({walker.firstFatalSeen ? e.line : 0, walker.firstFatalSeen ? e.int2 : 0,
                                       FindingSeverity::Error, FindingKind::NotWellFormed,
                                       "not well-formed XML: " + withoutTrailingBlanks(walker.firstFatalMessage),
                                       true});
    }
    for (std::size_t i = 0; i < sink.namespaceErrors.size(); ++i)
        result.findings.push_back({sink.namespaceErrors[i].line, sink.namespaceErrors[i].int2,
                                   FindingSeverity::Warning, FindingKind::NamespaceError,
                                   withoutTrailingBlanks(sink.namespaceMessages[i]), false});

    if (result.wellFormed) {
        walker.finish();
    } else {
        // Look at the items as forgiving readers would still see them.
        FeedCheckResult recovered;
        Walker again(recovered, true);
        ErrorSink quiet;
        quiet.walker = &again;
        parse(doc, again, quiet, true);
        again.finish();
        result.items = recovered.items;
        for (CheckFinding& f : recovered.findings) result.findings.push_back(std::move(f));
    }
    std::stable_sort(result.findings.begin(), result.findings.end(), [](const CheckFinding& a, const CheckFinding& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return result;
}

FeedCheckResult CheckFeedFile(const std::filesystem::path& path) { return CheckFeed(ReadWholeFile(path)); }

std::string FormatFinding(const CheckFinding& f) {
    return std::to_string(f.line) + ":" + std::to_string(f.column) + ": " +
           (f.severity == FindingSeverity::Error ? "error" : "warning") + ": " + f.text;
}

std::string FormatSummary(const FeedCheckResult& r) {
    return std::to_string(r.items) + " items, " + std::to_string(r.errors()) + " errors, " +
           std::to_string(r.warnings()) + " warnings";
}
