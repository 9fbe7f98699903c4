#pragma once
// A strict XML parser's view of a generated document, as a feed reader that
// rejects what is not well-formed sees it: libxml2 without recovery.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>
#include <vector>

namespace strict {

inline void ignoreErrors(void*, xmlErrorPtr) {}

// The parsed document, or null when it is not well-formed.
inline xmlDocPtr parse(const std::string& doc) {
    xmlSetStructuredErrorFunc(nullptr, ignoreErrors);
    xmlDocPtr d = xmlReadMemory(doc.data(), static_cast<int>(doc.size()), nullptr, nullptr, XML_PARSE_NONET);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    return d;
}

inline bool wellFormed(const std::string& doc) {
    xmlDocPtr d = parse(doc);
    xmlFreeDoc(d);
    return d != nullptr;
}

struct Item {
    std::string title, link, guid, description;
};

inline std::string textOf(xmlNodePtr n) {
    xmlChar* t = xmlNodeGetContent(n);
    std::string s = t ? reinterpret_cast<const char*>(t) : "";
    xmlFree(t);
    return s;
}

// The items of an RSS document's channel, their fields as text.
inline std::vector<Item> items(const std::string& doc) {
    std::vector<Item> out;
    xmlDocPtr d = parse(doc);
    if (!d) return out;
    for (xmlNodePtr channel = xmlDocGetRootElement(d)->children; channel; channel = channel->next) {
        if (channel->type != XML_ELEMENT_NODE) continue;
        for (xmlNodePtr item = channel->children; item; item = item->next) {
            if (item->type != XML_ELEMENT_NODE || xmlStrcmp(item->name, BAD_CAST "item") != 0) continue;
            Item it;
            for (xmlNodePtr f = item->children; f; f = f->next) {
                const std::string name = f->type == XML_ELEMENT_NODE ? reinterpret_cast<const char*>(f->name) : "";
                if (name == "title") it.title = textOf(f);
                if (name == "link") it.link = textOf(f);
                if (name == "guid") it.guid = textOf(f);
                if (name == "description") it.description = textOf(f);
            }
            out.push_back(it);
        }
    }
    xmlFreeDoc(d);
    return out;
}

}  // namespace strict
