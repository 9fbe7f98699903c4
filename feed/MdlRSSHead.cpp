#include "feed/MdlRSSHead.h"

std::vector<std::string> BuildRSSHeader() {
    return {
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
        "<rss version=\"0.91\">",
        "<channel>",
        "<title>#FEED_TITLE#</title>",
        "<link>#FEED_LINK#</link>",
        "<description>#FEED_DESCRIPTION#</description>",
        "<language>en-us</language>",
    };
}
