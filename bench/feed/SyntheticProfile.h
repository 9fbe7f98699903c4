#pragma once
// The profile every feed benchmark cuts its synthetic list page with: the
// first item starts the region, titles end at the link, items at "</li>".
#include "feed/FeedProfile.h"

#include <string>

inline FeedProfile SyntheticListProfile(const std::string& source, bool readerReady, bool strip,
                                        const std::string& itemMarker = "<li>") {
    FeedProfile p = NewFeedProfile("bench");
    p.SourceType = "Local";
    p.Source = source;
    p.StartString = "<ul><li>";
    p.StartItemString = itemMarker;
    p.EndString = "</ul>";
    p.TitleEndString = "</a>";
    p.EndItemString = "</li>";
    p.FeedTitle = "Synthetic news";
    p.FeedLink = "http://example.com/";
    p.StripHTMLTags = strip ? "1" : "0";
    p.FeedFormat = readerReady ? "2.0" : "";
    return p;
}
