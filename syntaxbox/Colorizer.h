#pragma once
// The HTML colorizer: one pass over a range of the box's text with a small
// state machine. Each time it has recognised a whole construct (tag name,
// attribute name or value, comment, entity) it selects that range in the box
// and applies the construct's look; later looks replace earlier ones.
//
// Positions are 1-based; the range a..b is selected as offset a - 1 with
// length b - a + 1. A start of 0 means 1, an end of 0 the text's length.
// The user's selection is the same afterwards, and the busy flag is set for
// the whole call so that the box's own event relays stay quiet.
#include "syntaxbox/ProgressIndicator.h"
#include "syntaxbox/StyleSet.h"
#include "syntaxbox/TextBox.h"

#include <cstdint>

struct ColorizeFlags {
    bool busy = false;     // true while a colouring runs
    bool changed = false;  // set by edits, cleared when a colouring ends
};

struct ColorizeContext {
    TextBox& box;
    // Read at the moment each look is applied, not copied at the start.
    const StyleSet& styles;
    ColorizeFlags& flags;
    bool silent = true;                     // lock repainting while scanning
    ProgressIndicator* progress = nullptr;  // none: no progress is reported
};

// Failures before the scan (a refused reset selection, an indicator that
// refuses its start values) reach the caller as exceptions; the repaint lock
// and the busy flag are released on that way out too. Failures during the
// scan are skipped.
void colorize(ColorizeContext& ctx, int32_t lngStartPos = 0, int32_t lngEndPos = 0);

// Progress percentage at position i of a scan that ends at end: the absolute
// position against the end, rounded to the nearest integer, ties to even.
// Returns -1 when the figure does not fit 0..255.
int percentAt(int64_t i, int64_t end);
