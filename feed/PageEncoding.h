#pragma once
// Which character encoding a page is in, and turning its text into UTF-8.
//
// A page's encoding is found as a browser finds it: the charset of the
// HTTP Content-Type, else a byte-order mark, else a <meta charset> or
// <meta http-equiv="Content-Type"> in the first 1,024 bytes, else UTF-8
// when the whole page is valid UTF-8, else Windows-1252. ISO-8859-1 and
// ASCII labels mean Windows-1252, as browsers read them.
#include <memory>
#include <string>
#include <string_view>

inline const std::string Utf8Name = "UTF-8";
inline const std::string Windows1252Name = "WINDOWS-1252";

// The charset parameter of a Content-Type value ("text/html; charset=utf-8"),
// or of a meta element's content attribute; empty when there is none.
std::string CharsetParameter(std::string_view contentType);

// The converter name for an encoding label ("utf8", "ISO-8859-1",
// "gb2312"), or empty for a label no converter here knows.
std::string EncodingForLabel(std::string_view label);

std::string DetectPageEncoding(std::string_view page, std::string_view httpContentType);

bool IsValidUtf8(std::string_view bytes);
// The offset of the first byte that does not belong to a valid UTF-8
// sequence, or npos.
std::size_t FirstInvalidUtf8(std::string_view bytes);

// Converts pieces of text from one encoding into valid UTF-8. Bytes that are
// not valid in the encoding become U+FFFD; characters XML does not allow
// (C0 controls other than tab, LF and CR) are dropped on the way.
class Utf8Converter {
public:
    explicit Utf8Converter(const std::string& encoding);  // a name from EncodingForLabel
    ~Utf8Converter();
    Utf8Converter(const Utf8Converter&) = delete;
    Utf8Converter& operator=(const Utf8Converter&) = delete;

    std::string operator()(std::string_view text) const;
    const std::string& encoding() const { return encoding_; }

private:
    std::string encoding_;
    struct Iconv;
    std::unique_ptr<Iconv> iconv_;  // absent for UTF-8
};

// A profile value typed in the window (one byte per character) or on the
// command line: valid UTF-8 stays as it is, anything else is Windows-1252.
std::string ProfileValueToUtf8(std::string_view value);
