#pragma once
// Pieces of a page (UTF-8, cut at arbitrary markers) turned into what a
// feed item needs: plain text, its first link, or markup safe to show.
#include <memory>
#include <string>
#include <string_view>

class HtmlSaxParser;
class LinkResolver;

// Runs of blanks, tabs, line breaks and no-break spaces become one blank;
// blanks at both ends go.
std::string SqueezeBlanks(std::string_view utf8);

class HtmlText {
public:
    HtmlText();
    ~HtmlText();
    HtmlText(const HtmlText&) = delete;
    HtmlText& operator=(const HtmlText&) = delete;

    // The text as a browser shows it, on one line: tags removed, a <br>
    // or the edge of a block element (p, div, li, ...) reading as a blank,
    // every entity decoded, script and style content left out, blanks
    // squeezed and trimmed.
    std::string PlainText(std::string_view utf8);

    // The href of the first <a> that has one (entities decoded, script
    // addresses passed over); empty when there is none.
    std::string FirstLink(std::string_view utf8);

    // The markup with what could run script or pull in other documents
    // removed: script, style, iframe, object, embed, applet, frames,
    // noscript, template, base, link and meta, each with its content; every
    // on... attribute; javascript: and vbscript: addresses; srcset, whose
    // candidates are not made absolute. href, src and the other address
    // attributes become absolute through `links`. Text and attribute values
    // come out escaped as HTML, every element closed.
    std::string SafeHtml(std::string_view utf8, const LinkResolver& links);

private:
    std::unique_ptr<HtmlSaxParser> parser_;
};
