#include "syntaxbox/SpanReport.h"

#include "host/Windows1252.h"
#include "syntaxbox/Colorizer.h"
#include "host/Colour.h"

#include <cstdio>

MemoryTextBox colorizeText(const std::string& text) {
    MemoryTextBox box(text);
    StyleSet styles;
    ColorizeFlags flags;
    ColorizeContext ctx{box, styles, flags};
    colorize(ctx);
    return box;
}

std::vector<StyledSpan> styledSpans(const std::vector<StyleSlot>& slots) {
    std::vector<StyledSpan> spans;
    const int64_t n = static_cast<int64_t>(slots.size());
    for (int64_t k = 0; k < n;) {
        const StyleSlot slot = slots[static_cast<size_t>(k)];
        int64_t e = k + 1;
        while (e < n && slots[static_cast<size_t>(e)] == slot) ++e;
        if (slot != StyleSlot::None) spans.push_back({k + 1, e, slot});
        k = e;
    }
    return spans;
}

std::string spansText(const std::vector<StyledSpan>& spans) {
    std::string out;
    for (const auto& s : spans)
        out += std::to_string(s.first) + "-" + std::to_string(s.last) + " " + slotName(s.slot) + "\n";
    return out;
}

namespace {

void appendEscaped(std::string& out, unsigned char c) {
    switch (c) {
    case '&': out += "&amp;"; return;
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    default: break;
    }
    unsigned code = Windows1252::toChar(c);
    // Control characters, the code page's undefined bytes among them, show
    // as the replacement character.
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F || (code >= 0x80 && code < 0xA0))
        code = 0xFFFD;
    if (code < 0x80)
        out += static_cast<char>(code);
    else
        out += "&#" + std::to_string(code) + ";";
}

std::string cssColour(uint32_t value) {
    if (IsSystemColour(value)) return "inherit";  // system colours follow the page
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    return buf;
}

const char* kClasses[StyleSlotCount] = {"", "t", "an", "av", "c", "e"};

}  // namespace

std::string htmlPage(const std::string& title, const std::string& text,
                     const std::vector<StyleSlot>& slots, const StyleSet& styles) {
    std::string out =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    for (unsigned char c : title) appendEscaped(out, c);
    out += "</title>\n<style>\npre { font-family: \"Courier New\", monospace; color: #000000; }\n";
    for (int s = 1; s < StyleSlotCount; ++s) {
        const CharStyle& st = styles[static_cast<StyleSlot>(s)];
        out += std::string("span.") + kClasses[s] + " { color: " + cssColour(st.color) +
               "; font-weight: " + (st.bold ? "bold" : "normal") +
               "; font-style: " + (st.italic ? "italic" : "normal") + "; }\n";
    }
    out += "</style>\n</head>\n<body>\n<pre>";
    StyleSlot open = StyleSlot::None;
    for (size_t k = 0; k < text.size(); ++k) {
        const StyleSlot slot = k < slots.size() ? slots[k] : StyleSlot::None;
        if (slot != open) {
            if (open != StyleSlot::None) out += "</span>";
            if (slot != StyleSlot::None)
                out += std::string("<span class=\"") + kClasses[static_cast<int>(slot)] + "\">";
            open = slot;
        }
        appendEscaped(out, static_cast<unsigned char>(text[k]));
    }
    if (open != StyleSlot::None) out += "</span>";
    out += "</pre>\n</body>\n</html>\n";
    return out;
}
