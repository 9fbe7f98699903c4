#pragma once
// Making the addresses found in a page absolute, with libxml2's URI
// functions (RFC 3986 resolution).
#include <string>
#include <string_view>

// True for addresses that run script when followed (javascript:, vbscript:),
// read as a browser reads them: blanks around and tabs and line breaks
// inside do not count, letter case does not matter.
bool IsScriptAddress(std::string_view address);

class LinkResolver {
public:
    // `base` is absolute (or empty: addresses then stay as they are).
    explicit LinkResolver(std::string base) : base_(std::move(base)) {}
    // The base for a page: its <base href> resolved against its address,
    // else its address, else the fallback (the Feed Link of a local page).
    static LinkResolver ForPage(std::string_view baseHref, std::string_view pageAddress, std::string_view fallback);

    // The absolute form of an address found in the page (blanks around it
    // trimmed); the address itself when it cannot be resolved.
    std::string Resolve(std::string_view href) const;
    const std::string& base() const { return base_; }

private:
    std::string base_;
};

// True when the address carries its scheme ("http:", "mailto:").
bool IsAbsoluteAddress(std::string_view address);
