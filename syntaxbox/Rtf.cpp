#include "syntaxbox/Rtf.h"

#include "host/Colour.h"
#include "host/Windows1252.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

// A font name is read up to its ';', and readers skip line breaks and take
// '\\', '{' and '}' as syntax: those bytes go as \'xx so that the name comes
// back whole.
void appendEscapedFontName(std::string& out, const std::string& name) {
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}' || c == ';' || b < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<unsigned>(b));
            out += buf;
        } else {
            out += c;
        }
    }
}

}  // namespace

std::string writeRtf(const std::u16string& text, const LookBuffer& looks, const ColourResolver& resolve) {
    // Tables of the fonts and colours in use.
    std::map<std::string, int> fonts;
    std::vector<std::string> fontNames;
    std::map<uint32_t, int> colours;  // 0x00BBGGRR -> index (1-based)
    std::vector<uint32_t> colourList;
    std::vector<int> fontOf(looks.lookCount()), colourOf(looks.lookCount());
    const int64_t n = std::min<int64_t>(static_cast<int64_t>(text.size()), looks.size());
    std::vector<bool> used(looks.lookCount(), false);
    used[0] = true;
    looks.forEachRun(0, n, [&](int64_t, int64_t, LookBuffer::Id id) { used[id] = true; });
    for (size_t id = 0; id < looks.lookCount(); ++id) {
        if (!used[id]) continue;
        const CharLook& l = looks.look(static_cast<LookBuffer::Id>(id));
        auto f = fonts.find(l.fontName);
        if (f == fonts.end()) {
            f = fonts.emplace(l.fontName, static_cast<int>(fontNames.size())).first;
            fontNames.push_back(l.fontName);
        }
        fontOf[id] = f->second;
        if (l.color == colour::WindowText) {
            colourOf[id] = 0;
        } else {
            const uint32_t rgb = IsSystemColour(l.color) ? resolve(l.color) : (l.color & 0xFFFFFF);
            auto c = colours.find(rgb);
            if (c == colours.end()) {
                c = colours.emplace(rgb, static_cast<int>(colourList.size()) + 1).first;
                colourList.push_back(rgb);
            }
            colourOf[id] = c->second;
        }
    }

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (size_t k = 0; k < fontNames.size(); ++k) {
        out += "{\\f" + std::to_string(k) + "\\fnil\\fcharset0 ";
        appendEscapedFontName(out, fontNames[k]);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (uint32_t c : colourList)
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    out += "}\r\n\\viewkind4\\uc1\\pard";

    // Current state as written, so that only changes are written.
    int curFont = -1, curSize = -1, curColour = -1;
    int curBold = -1, curItalic = -1, curUnder = -1, curStrike = -1;
    auto setLook = [&](LookBuffer::Id id) {
        const CharLook& l = looks.look(id);
        std::string words;
        const int size = static_cast<int>(std::lround(l.fontSize * 2));
        if (fontOf[id] != curFont) words += "\\f" + std::to_string(curFont = fontOf[id]);
        if (size != curSize) words += "\\fs" + std::to_string(curSize = size);
        if (colourOf[id] != curColour) words += "\\cf" + std::to_string(curColour = colourOf[id]);
        if (int(l.bold) != curBold) words += (curBold = l.bold) ? "\\b" : "\\b0";
        if (int(l.italic) != curItalic) words += (curItalic = l.italic) ? "\\i" : "\\i0";
        if (int(l.underline) != curUnder) words += (curUnder = l.underline) ? "\\ul" : "\\ulnone";
        if (int(l.strike) != curStrike) words += (curStrike = l.strike) ? "\\strike" : "\\strike0";
        if (!words.empty()) out += words + " ";
    };

    if (n == 0) setLook(0);
    looks.forEachRun(0, n, [&](int64_t start, int64_t length, LookBuffer::Id id) {
        setLook(id);
        for (int64_t k = start; k < start + length; ++k) {
            const char16_t c = text[static_cast<size_t>(k)];
            switch (c) {
            case u'\n': out += "\\par\r\n"; break;
            case u'\t': out += "\\tab "; break;
            case u'\\': out += "\\\\"; break;
            case u'{': out += "\\{"; break;
            case u'}': out += "\\}"; break;
            default:
                // Bytes of the text's code page as \'xx, control characters
                // included; anything else as a Unicode escape. U+0080..U+009F
                // are Unicode escapes too: as \'80..\'9f other readers would
                // take them for the code page's typographic characters.
                if (const int b = Windows1252::toByte(c); b >= 0x20 && b < 0x7F) {
                    out += static_cast<char>(b);
                } else if (b >= 0 && (c < 0x80 || c >= 0xA0)) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<unsigned>(b));
                    out += buf;
                } else {
                    out += "\\u" + std::to_string(static_cast<int16_t>(c)) + "?";
                }
            }
        }
    });
    out += "}\r\n";
    return out;
}

bool looksLikeRtf(const std::string& text) { return text.rfind("{\\rtf", 0) == 0; }

namespace {

struct GroupState {
    int font = -1;  // -1: the document's default font
    double size = -1;
    bool bold = false, italic = false, underline = false, strike = false;
    int colour = 0;
    int uc = 1;
    enum Dest { Text, Skip, FontTable, ColourTable } dest = Text;
};

class Reader {
public:
    Reader(const std::string& rtf, const CharLook& plain) : s_(rtf), plain_(plain) {}

    RichText read() {
        std::vector<GroupState> stack;
        GroupState st;
        int skipChars = 0;  // characters standing in for a \u character
        size_t i = 0;
        while (i < s_.size()) {
            const char c = s_[i];
            if (c == '{') {
                stack.push_back(st);
                if (st.dest == GroupState::FontTable) fontName_.clear();
                ++i;
                continue;
            }
            if (c == '}') {
                if (st.dest == GroupState::FontTable && stack.size() && stack.back().dest == GroupState::FontTable)
                    endFont();
                if (stack.empty()) break;
                st = stack.back();
                stack.pop_back();
                ++i;
                continue;
            }
            if (c == '\\') {
                ++i;
                if (i >= s_.size()) break;
                const char d = s_[i];
                if (d == '\\' || d == '{' || d == '}') {
                    ++i;
                    if (skipChars > 0) --skipChars;
                    else emit(st, static_cast<char16_t>(d));
                    continue;
                }
                if (d == '\'') {
                    ++i;
                    const int v = hexByte(i);
                    if (v < 0) {
                        // A broken escape stands for no character; a lone
                        // digit goes with it, whatever follows is read as usual.
                        if (i < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[i]))) ++i;
                        continue;
                    }
                    i += 2;
                    if (skipChars > 0) --skipChars;
                    else if (st.dest == GroupState::FontTable) fontName_ += static_cast<char>(v);
                    else emit(st, Windows1252::toChar(static_cast<unsigned char>(v)));
                    continue;
                }
                if (d == '*') {
                    st.dest = GroupState::Skip;
                    ++i;
                    continue;
                }
                if (d == '\r' || d == '\n') {  // \<line break> is a paragraph
                    emit(st, u'\n');
                    ++i;
                    continue;
                }
                if (d == '~') { emit(st, 0xA0); ++i; continue; }
                if (d == '-' || d == '_') { ++i; continue; }
                // A control word with an optional signed number.
                size_t w = i;
                while (w < s_.size() && std::isalpha(static_cast<unsigned char>(s_[w]))) ++w;
                const std::string word = s_.substr(i, w - i);
                bool hasNum = false;
                long num = 0;
                bool neg = false;
                if (w < s_.size() && s_[w] == '-') { neg = true; ++w; }
                while (w < s_.size() && std::isdigit(static_cast<unsigned char>(s_[w]))) {
                    hasNum = true;
                    num = num * 10 + (s_[w] - '0');
                    if (num > 1000000000) num = 1000000000;
                    ++w;
                }
                if (neg) num = -num;
                if (w < s_.size() && s_[w] == ' ') ++w;
                i = w;
                if (word.empty()) { ++i; continue; }
                control(st, word, hasNum, num, skipChars);
                continue;
            }
            if (c == '\r' || c == '\n') { ++i; continue; }
            ++i;
            if (skipChars > 0) { --skipChars; continue; }
            if (st.dest == GroupState::FontTable) {
                if (c == ';') endFont();
                else fontName_ += c;
            } else if (st.dest == GroupState::ColourTable) {
                if (c == ';') endColour();
            } else {
                emit(st, Windows1252::toChar(static_cast<unsigned char>(c)));
            }
        }
        return std::move(out_);
    }

private:
    // The byte written as two hex digits at `at`, or -1.
    int hexByte(size_t at) const {
        if (at + 1 >= s_.size()) return -1;
        const int hi = digit(s_[at]), lo = digit(s_[at + 1]);
        return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
    }
    static int digit(char h) {
        if (h >= '0' && h <= '9') return h - '0';
        if (h >= 'a' && h <= 'f') return h - 'a' + 10;
        if (h >= 'A' && h <= 'F') return h - 'A' + 10;
        return -1;
    }

    void control(GroupState& st, const std::string& word, bool hasNum, long num, int& skipChars) {
        const bool on = !hasNum || num != 0;
        if (word == "fonttbl") { st.dest = GroupState::FontTable; return; }
        if (word == "colortbl") { st.dest = GroupState::ColourTable; return; }
        if (word == "stylesheet" || word == "info" || word == "pict" || word == "header" ||
            word == "footer" || word == "object") {
            st.dest = GroupState::Skip;
            return;
        }
        if (st.dest == GroupState::ColourTable) {
            if (word == "red") red_ = static_cast<int>(num);
            else if (word == "green") green_ = static_cast<int>(num);
            else if (word == "blue") blue_ = static_cast<int>(num);
            return;
        }
        if (st.dest == GroupState::FontTable) {
            if (word == "f") fontNumber_ = static_cast<int>(num);
            return;
        }
        if (word == "deff") { defaultFont_ = static_cast<int>(num); return; }
        if (word == "f") st.font = static_cast<int>(num);
        else if (word == "fs") st.size = num / 2.0;
        else if (word == "b") st.bold = on;
        else if (word == "i") st.italic = on;
        else if (word == "ul") st.underline = on;
        else if (word == "ulnone") st.underline = false;
        else if (word == "strike") st.strike = on;
        else if (word == "cf") st.colour = static_cast<int>(num);
        else if (word == "uc") st.uc = static_cast<int>(num);
        else if (word == "plain") {
            st.font = -1; st.size = -1; st.bold = st.italic = st.underline = st.strike = false; st.colour = 0;
        } else if (word == "par" || word == "line") emit(st, u'\n');
        else if (word == "tab") emit(st, u'\t');
        else if (word == "u") {
            emit(st, static_cast<char16_t>(num < 0 ? num + 65536 : num));
            skipChars = st.uc;
        } else if (word == "emdash") emit(st, 0x2014);
        else if (word == "endash") emit(st, 0x2013);
        else if (word == "bullet") emit(st, 0x2022);
        else if (word == "lquote") emit(st, 0x2018);
        else if (word == "rquote") emit(st, 0x2019);
        else if (word == "ldblquote") emit(st, 0x201C);
        else if (word == "rdblquote") emit(st, 0x201D);
    }

    void endFont() {
        // A name of blanks only is no name: the text keeps the plain font.
        std::string name = fontName_;
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (fontNumber_ >= 0 && !name.empty()) fonts_[fontNumber_] = name;
        fontName_.clear();
        fontNumber_ = -1;
    }
    void endColour() {
        if (red_ < 0 && green_ < 0 && blue_ < 0) {
            colours_.push_back(colour::WindowText);  // the automatic colour
        } else {
            colours_.push_back(static_cast<uint32_t>(std::max(red_, 0) & 0xFF) |
                               (static_cast<uint32_t>(std::max(green_, 0) & 0xFF) << 8) |
                               (static_cast<uint32_t>(std::max(blue_, 0) & 0xFF) << 16));
        }
        red_ = green_ = blue_ = -1;
    }

    void emit(const GroupState& st, char16_t ch) {
        if (st.dest != GroupState::Text) return;
        CharLook look = plain_;
        const int f = st.font >= 0 ? st.font : defaultFont_;
        auto font = fonts_.find(f);
        if (font != fonts_.end()) look.fontName = font->second;
        if (st.size > 0) look.fontSize = st.size;
        look.bold = st.bold;
        look.italic = st.italic;
        look.underline = st.underline;
        look.strike = st.strike;
        look.color = st.colour > 0 && static_cast<size_t>(st.colour) < colours_.size() ? colours_[st.colour]
                                                                                       : colour::WindowText;
        out_.text += ch;
        if (!out_.runs.empty() && out_.runs.back().look == look)
            ++out_.runs.back().length;
        else
            out_.runs.push_back({1, look});
    }

    const std::string& s_;
    CharLook plain_;
    RichText out_;
    std::map<int, std::string> fonts_;
    int defaultFont_ = 0;
    int fontNumber_ = -1;
    std::string fontName_;
    std::vector<uint32_t> colours_;
    int red_ = -1, green_ = -1, blue_ = -1;
};

}  // namespace

RichText readRtf(const std::string& rtf, const CharLook& plain) { return Reader(rtf, plain).read(); }
