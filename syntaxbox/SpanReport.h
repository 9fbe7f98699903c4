#pragma once
// Reports of a coloured text held in memory: the runs of characters that
// carry a look, and a standalone HTML page that shows the text coloured.
#include "syntaxbox/MemoryTextBox.h"
#include "syntaxbox/StyleSet.h"

#include <cstdint>
#include <string>
#include <vector>

struct StyledSpan {
    int64_t first;  // 1-based, inclusive
    int64_t last;   // 1-based, inclusive
    StyleSlot slot;
    bool operator==(const StyledSpan&) const = default;
};

// Colours the whole of text with the default looks, as the box would.
MemoryTextBox colorizeText(const std::string& text);

// Maximal runs of positions in the same look other than the plain one.
std::vector<StyledSpan> styledSpans(const std::vector<StyleSlot>& slots);

// "START-END SLOT" lines, one a span, each ending in LF.
std::string spansText(const std::vector<StyledSpan>& spans);

// A standalone HTML page showing the text in the given looks; the text is
// escaped, bytes are shown as Windows-1252 characters.
std::string htmlPage(const std::string& title, const std::string& text,
                     const std::vector<StyleSlot>& slots, const StyleSet& styles = {});
