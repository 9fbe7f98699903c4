#pragma once
// A light reading of a page that keeps byte offsets: its elements as a tree
// (where each starts and ends in the page) and its visible text, decoded
// and lower-cased, with the page offsets every piece of text came from.
// Tag soup is read as browsers mostly read it: void elements, implied ends
// of li, p, tr, td and the like, end tags without a start ignored. Used to
// find titles a user saw in a browser and the elements around them.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct OutlineNode {
    std::string name;              // lower case; "" for the page itself
    std::size_t begin = 0;         // offset of "<"
    std::size_t tagEnd = 0;        // offset after the start tag's ">"
    std::size_t end = 0;           // offset after the end tag (or where the element was closed)
    std::size_t parent = 0;        // index; the page itself (index 0) is its own parent
    std::size_t depth = 0;         // the page is 0
};

class PageOutline {
public:
    PageOutline(std::string_view page, const std::string& contentType);

    const std::vector<OutlineNode>& nodes() const { return nodes_; }
    std::string_view startTag(std::size_t node) const {
        const OutlineNode& n = nodes_[node];
        return page_.substr(n.begin, n.tagEnd - n.begin);
    }

    // Where a text occurs as visible text, compared without blanks and
    // without ASCII case: the page offsets [begin, end) of each occurrence,
    // at most `limit` of them.
    struct Span {
        std::size_t begin, end;
        std::size_t node;  // the innermost element holding the whole span
    };
    std::vector<Span> find(std::string_view utf8, std::size_t limit) const;

    // The page offset of the first visible character at or after `offset`,
    // or the page's size.
    std::size_t textAfter(std::size_t offset) const;
    // The common ancestor of two nodes.
    std::size_t common(std::size_t a, std::size_t b) const;

private:
    void addText(std::string_view bytes, std::size_t at);
    void addChar(std::string_view utf8, std::size_t begin, std::size_t end);

    std::string_view page_;
    std::vector<OutlineNode> nodes_;
    std::string text_;                      // visible text, blanks left out, ASCII lower-cased
    std::vector<std::size_t> from_, to_;    // for each byte of text_: the page bytes it came from
    std::vector<std::size_t> textNode_;     // for each byte of text_: the innermost element
    std::vector<std::size_t> open_;         // the elements open while reading
    std::string encoding_;
};

// The text as PageOutline compares it: blanks left out, ASCII lower-cased.
std::string OutlineKey(std::string_view utf8);
