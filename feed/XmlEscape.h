#pragma once
// Writing text into an XML document.
#include <string>
#include <string_view>

// The classic document's header values: a "&" that does not begin one of
// XML's own references (&amp; &lt; &gt; &quot; &apos; or a character
// reference to a character XML allows, &#233; / &#xE9;) becomes "&amp;",
// every "<" becomes "&lt;", and every other byte stays as it is. Users who
// wrote a reference on purpose keep it; a bare "&" no longer breaks the feed.
std::string EscapeKeepingReferences(std::string_view text);

// Appends UTF-8 text as XML character data: "&", "<" and ">" escaped, and
// with `inAttribute` also '"'. Characters XML does not allow (C0 controls
// other than tab, LF and CR; U+FFFE and U+FFFF) are dropped. The text must
// be valid UTF-8.
void AppendXmlEscaped(std::string& out, std::string_view utf8, bool inAttribute = false);

// True for a code point XML 1.0 allows in a document.
inline bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}
