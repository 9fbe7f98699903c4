#include "feed/HtmlPage.h"

#include "feed/HtmlSax.h"
#include "feed/HtmlText.h"
#include "feed/PageEncoding.h"

#include <strings.h>

namespace {

class MetaFinder : public HtmlSaxHandler {
public:
    explicit MetaFinder(HtmlSaxParser& parser) : parser_(parser) {}
    std::string label;

    void start(std::string_view name, const HtmlAttributes& attrs) override {
        if (name != "meta") return;
        if (const char* charset = attrs.find("charset")) {
            label = charset;
        } else {
            const char* equiv = attrs.find("http-equiv");
            const char* content = attrs.find("content");
            if (equiv && content && ::strcasecmp(equiv, "content-type") == 0) label = CharsetParameter(content);
        }
        if (!label.empty()) parser_.stop();
    }

private:
    HtmlSaxParser& parser_;
};

class HeadReader : public HtmlSaxHandler {
public:
    explicit HeadReader(HtmlSaxParser& parser) : parser_(parser) {}
    PageHead head;

    void start(std::string_view name, const HtmlAttributes& attrs) override {
        if (name == "body") {
            parser_.stop();
        } else if (name == "title" && !seenTitle_) {
            inTitle_ = seenTitle_ = true;
        } else if (name == "base" && !seenBase_) {
            if (const char* href = attrs.find("href")) {
                head.baseHref = href;
                seenBase_ = true;
            }
        }
    }
    void end(std::string_view name) override {
        if (name == "title" && inTitle_) {
            inTitle_ = false;
            head.title = SqueezeBlanks(title_);
        } else if (name == "head") {
            parser_.stop();
        }
    }
    void text(std::string_view t) override {
        if (inTitle_) title_ += t;
    }

private:
    HtmlSaxParser& parser_;
    std::string title_;
    bool inTitle_ = false, seenTitle_ = false, seenBase_ = false;
};

}  // namespace

std::string MetaCharset(std::string_view bytes) {
    HtmlSaxParser parser;
    MetaFinder finder(parser);
    // Read byte for byte: only the ASCII of the label matters here.
    parser.parseEncoded(bytes, "ISO-8859-1", finder);
    return finder.label;
}

PageHead ReadPageHead(std::string_view page, const std::string& encoding) {
    HtmlSaxParser parser;
    HeadReader reader(parser);
    parser.parseEncoded(page, encoding.c_str(), reader);
    return reader.head;
}
