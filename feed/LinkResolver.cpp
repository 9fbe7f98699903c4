#include "feed/LinkResolver.h"

#include <libxml/uri.h>
#include <libxml/xmlmemory.h>

#include <cctype>

namespace {

std::string trimmed(std::string_view s) {
    const auto blank = [](unsigned char c) { return c <= 0x20; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

// Takes ownership of a string libxml2 allocated.
std::string take(xmlChar* s) {
    if (!s) return {};
    std::string out(reinterpret_cast<const char*>(s));
    xmlFree(s);
    return out;
}

std::string build(const std::string& href, const std::string& base) {
    return take(xmlBuildURI(reinterpret_cast<const xmlChar*>(href.c_str()),
                            reinterpret_cast<const xmlChar*>(base.c_str())));
}

}  // namespace

bool IsScriptAddress(std::string_view address) {
    std::string scheme;
    for (unsigned char c : trimmed(address)) {
        if (c == '\t' || c == '\n' || c == '\r') continue;
        if (c == ':') break;
        scheme += static_cast<char>(std::tolower(c));
        if (scheme.size() > 10) return false;
    }
    return scheme == "javascript" || scheme == "vbscript";
}

bool IsAbsoluteAddress(std::string_view address) {
    const std::string a = trimmed(address);
    xmlURIPtr uri = xmlParseURI(a.c_str());
    const bool absolute = uri && uri->scheme;
    xmlFreeURI(uri);
    return absolute;
}

LinkResolver LinkResolver::ForPage(std::string_view baseHref, std::string_view pageAddress, std::string_view fallback) {
    const std::string address = trimmed(pageAddress.empty() ? fallback : pageAddress);
    const std::string href = trimmed(baseHref);
    if (!href.empty() && !IsScriptAddress(href)) {
        std::string base = address.empty() ? href : build(href, address);
        if (IsAbsoluteAddress(base)) return LinkResolver(base);
    }
    return LinkResolver(address);
}

std::string LinkResolver::Resolve(std::string_view href) const {
    std::string h = trimmed(href);
    if (base_.empty()) return h;
    std::string out = build(h, base_);
    if (out.empty()) {
        // Addresses with blanks or other characters a URI may not hold, as
        // pages often have them: escape those and try once more.
        std::string escaped = take(xmlURIEscapeStr(reinterpret_cast<const xmlChar*>(h.c_str()),
                                                   reinterpret_cast<const xmlChar*>(":/?#[]@!$&'()*+,;=%~")));
        out = build(escaped, base_);
    }
    return out.empty() ? h : out;
}
