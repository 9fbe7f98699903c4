#pragma once
// What the head of a page says about the page as a whole.
#include <string>
#include <string_view>

// The encoding label of the first <meta charset="..."> or
// <meta http-equiv="Content-Type" content="...; charset=..."> in the
// bytes given (the caller passes the first 1,024 bytes); empty when none.
std::string MetaCharset(std::string_view bytes);

struct PageHead {
    std::string title;     // the text of <title>, as plain text in UTF-8
    std::string baseHref;  // the href of <base>, as written (UTF-8)
};

// Reads the page in its encoding up to the start of its body (or the end
// of its head), so that a page of many megabytes costs only its head.
PageHead ReadPageHead(std::string_view page, const std::string& encoding);
