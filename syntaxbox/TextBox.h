#pragma once
// What the colorizer needs of a text box. Offsets are 0-based and count
// characters exactly as textRange() returns them (one char a character;
// a line break counts as the characters it has in that text).
//
// Selection rules every box follows:
// - setSelStart() collapses the selection to that offset (length 0); a
//   negative offset is refused (false) and changes nothing; an offset past
//   the end is cut to the end.
// - setSelLength() extends from the selection start; a negative length is
//   refused (false); a selection reaching past the end is cut at the end.
// - Style operations act on the current selection; an empty selection
//   leaves the text as it is.
#include "syntaxbox/StyleSet.h"

#include <cstdint>
#include <string>

struct BoxFont {
    std::string name = "Courier New";
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool operator==(const BoxFont&) const = default;
};

class TextBox {
public:
    virtual ~TextBox() = default;

    virtual int64_t textLength() const = 0;
    // Up to count characters from offset, one byte each (characters without
    // an 8-bit form read as '?'). Shorter, or empty, past the end.
    virtual std::string textRange(int64_t offset, int64_t count) const = 0;
    // The whole text when the box holds it as one 8-bit string, so that a
    // reader need not copy it; null otherwise.
    virtual const std::string* wholeText() const { return nullptr; }

    virtual int64_t selStart() const = 0;
    virtual int64_t selLength() const = 0;
    virtual bool setSelStart(int64_t offset) = 0;
    virtual bool setSelLength(int64_t length) = 0;

    // The default look of the selection: the box font's name, size, bold and
    // italic, and the window-text colour (set in the order name, size,
    // colour, bold, italic). Underline and strike-through are kept.
    virtual void resetSelectionLook(const BoxFont& font) = 0;
    // Bold, italic, then colour of the selection, as the given slot.
    virtual void applySelectionStyle(StyleSlot slot, const CharStyle& style) = 0;

    virtual BoxFont font() const = 0;
    // Stops (true) or allows again (false) repainting of the box.
    virtual void setRepaintLocked(bool locked) = 0;
};
