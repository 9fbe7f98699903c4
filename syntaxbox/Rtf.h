#pragma once
// Rich text (RTF) for the syntax box: writing a text with its looks, and
// reading back what is written here (and the common subset other programs
// write: fonts, sizes, bold, italic, underline, strike-through, colours,
// paragraphs, tabs, 8-bit and Unicode escapes; other groups are skipped).
#include "syntaxbox/LookBuffer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct LookRun {
    int64_t length;
    CharLook look;
};

struct RichText {
    std::u16string text;       // line breaks as '\n'
    std::vector<LookRun> runs; // cover the text in order
};

// system colour value -> 0x00BBGGRR, for colours other than window text
using ColourResolver = std::function<uint32_t(uint32_t)>;

// Characters of one look are written as one run; the window-text colour is
// written as the automatic colour (colour 0 of the table).
std::string writeRtf(const std::u16string& text, const LookBuffer& looks, const ColourResolver& resolve);

// Whether text starts as an RTF document.
bool looksLikeRtf(const std::string& text);

// Reads an RTF document; plain stands for the look of text with no explicit
// font, size or colour (colour 0 of the table is the window-text colour).
RichText readRtf(const std::string& rtf, const CharLook& plain);
