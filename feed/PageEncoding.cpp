#include "feed/PageEncoding.h"

#include "feed/HtmlPage.h"
#include "feed/XmlEscape.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <utility>

namespace {

std::string lowerTrimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// Labels whose browser meaning differs from what the converter would read
// under the same name: the Latin-1 family is Windows-1252 on the web, and
// the old East Asian names are their Microsoft supersets.
const std::pair<std::string_view, std::string_view> WebMeanings[] = {
    {"utf8", "UTF-8"},          {"utf-8", "UTF-8"},           {"unicode-1-1-utf-8", "UTF-8"},
    {"iso-8859-1", "WINDOWS-1252"}, {"iso8859-1", "WINDOWS-1252"}, {"iso_8859-1", "WINDOWS-1252"},
    {"latin1", "WINDOWS-1252"}, {"l1", "WINDOWS-1252"},       {"us-ascii", "WINDOWS-1252"},
    {"ascii", "WINDOWS-1252"},  {"cp1252", "WINDOWS-1252"},   {"x-cp1252", "WINDOWS-1252"},
    {"windows-1252", "WINDOWS-1252"}, {"gb2312", "GBK"},      {"gb_2312-80", "GBK"},
    {"x-gbk", "GBK"},           {"shift_jis", "CP932"},       {"sjis", "CP932"},
    {"x-sjis", "CP932"},        {"windows-31j", "CP932"},     {"euc-kr", "CP949"},
    {"ks_c_5601-1987", "CP949"},
};

bool converterKnows(const std::string& name) {
    iconv_t cd = ::iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    ::iconv_close(cd);
    return true;
}

// Appends the code point as UTF-8.
void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr char32_t Replacement = 0xFFFD;

// Length of the valid UTF-8 sequence at s[i], or 0 when none starts there.
std::size_t utf8SequenceAt(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) return 1;
    std::size_t n;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c == 0xE0) n = 3, lo = 0xA0;
    else if (c == 0xED) n = 3, hi = 0x9F;  // no surrogates
    else if (c >= 0xE1 && c <= 0xEF) n = 3;
    else if (c == 0xF0) n = 4, lo = 0x90;
    else if (c >= 0xF1 && c <= 0xF3) n = 4;
    else if (c == 0xF4) n = 4, hi = 0x8F;
    else return 0;
    if (i + n > s.size()) return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return n;
}

// Copies UTF-8 text, replacing invalid bytes by U+FFFD and dropping the
// control characters XML forbids; runs of good text are copied whole.
std::string cleanUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t run = 0;  // start of the text not yet copied
    for (std::size_t i = 0; i < s.size();) {
        // Printable ASCII is the common case: eight bytes at a time.
        while (i + 8 <= s.size()) {
            std::uint64_t word;
            std::copy_n(s.data() + i, 8, reinterpret_cast<char*>(&word));
            // (b | 0x80) - 0x20 keeps its high bit exactly when b >= 0x20; no
            // byte borrows from its neighbour.
            const std::uint64_t atLeast20 = (word | 0x8080808080808080ull) - 0x2020202020202020ull;
            if ((word | ~atLeast20) & 0x8080808080808080ull) break;
            i += 8;
        }
        if (i >= s.size()) break;
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = c < 0x80 ? (IsXmlChar(c) ? 1 : 0) : utf8SequenceAt(s, i);
        if (n > 0) {
            i += n;
            continue;
        }
        out.append(s.substr(run, i - run));
        if (c >= 0x80) appendUtf8(out, Replacement);
        run = ++i;
    }
    out.append(s.substr(run));
    return out;
}

}  // namespace

std::string CharsetParameter(std::string_view value) {
    // The first "charset", then optional blanks, "=", and the value: quoted,
    // or up to the next blank or ";".
    const std::string lower = lowerTrimmed(value);
    for (std::size_t at = lower.find("charset"); at != std::string::npos; at = lower.find("charset", at + 1)) {
        std::size_t i = at + 7;
        while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) ++i;
        if (i >= lower.size() || lower[i] != '=') continue;
        ++i;
        while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) ++i;
        if (i < lower.size() && (lower[i] == '"' || lower[i] == '\'')) {
            const std::size_t end = lower.find(lower[i], i + 1);
            if (end == std::string::npos) return {};
            return lowerTrimmed(lower.substr(i + 1, end - i - 1));
        }
        const std::size_t end = lower.find_first_of(" \t;", i);
        return lowerTrimmed(lower.substr(i, end == std::string::npos ? std::string::npos : end - i));
    }
    return {};
}

std::string EncodingForLabel(std::string_view label) {
    const std::string l = lowerTrimmed(label);
    if (l.empty()) return {};
    for (const auto& [name, meaning] : WebMeanings)
        if (l == name) return std::string(meaning);
    std::string upper = l;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return converterKnows(upper) ? upper : std::string();
}

std::string DetectPageEncoding(std::string_view page, std::string_view httpContentType) {
    if (std::string e = EncodingForLabel(CharsetParameter(httpContentType)); !e.empty()) return e;
    if (page.starts_with("\xEF\xBB\xBF")) return Utf8Name;
    if (page.starts_with("\xFF\xFE")) return "UTF-16LE";
    if (page.starts_with("\xFE\xFF")) return "UTF-16BE";
    if (std::string e = EncodingForLabel(MetaCharset(page.substr(0, 1024))); !e.empty()) {
        // A page whose bytes reached us as ASCII-compatible cannot be
        // UTF-16, whatever it says: browsers read such a label as UTF-8.
        return e.starts_with("UTF-16") ? Utf8Name : e;
    }
    return IsValidUtf8(page) ? Utf8Name : Windows1252Name;
}

std::size_t FirstInvalidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        // Runs of ASCII are the common case: skip them eight bytes at a time.
        while (i + 8 <= s.size()) {
            std::uint64_t word;
            std::copy_n(s.data() + i, 8, reinterpret_cast<char*>(&word));
            if (word & 0x8080808080808080ull) break;
            i += 8;
        }
        if (i >= s.size()) break;
        const std::size_t n = utf8SequenceAt(s, i);
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view s) { return FirstInvalidUtf8(s) == std::string_view::npos; }

struct Utf8Converter::Iconv {
    iconv_t cd;
};

Utf8Converter::Utf8Converter(const std::string& encoding) : encoding_(encoding) {
    if (encoding_ == Utf8Name) return;
    iconv_t cd = ::iconv_open("UTF-8", encoding_.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Names come from EncodingForLabel, which asked the converter first.
        encoding_ = Windows1252Name;
        cd = ::iconv_open("UTF-8", encoding_.c_str());
    }
    iconv_ = std::make_unique<Iconv>(Iconv{cd});
}

Utf8Converter::~Utf8Converter() {
    if (iconv_) ::iconv_close(iconv_->cd);
}

std::string Utf8Converter::operator()(std::string_view text) const {
    if (!iconv_) return cleanUtf8(text);
    ::iconv(iconv_->cd, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state for every piece
    std::string out(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    std::size_t used = 0;
    while (inLeft > 0) {
        char* dst = out.data() + used;
        std::size_t room = out.size() - used;
        const std::size_t rc = ::iconv(iconv_->cd, &in, &inLeft, &dst, &room);
        used = out.size() - room;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else {
            // A byte the encoding does not define, or a sequence cut off at
            // the end of the piece: one replacement character, and on.
            out.resize(used);
            appendUtf8(out, Replacement);
            used = out.size();
            out.resize(used + inLeft * 2 + 16);
            ++in;
            --inLeft;
            ::iconv(iconv_->cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    out.resize(used);
    return cleanUtf8(out);
}

std::string ProfileValueToUtf8(std::string_view value) {
    if (IsValidUtf8(value)) return cleanUtf8(value);
    return Utf8Converter(Windows1252Name)(value);
}
