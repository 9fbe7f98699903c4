#include "feed/FeedProfile.h"

FeedProfile NewFeedProfile(const std::string& name) {
    FeedProfile p;
    p.ProfileName = name;
    p.SourceType = "Web";
    p.StartString = "</head>";
    p.StartItemString = "</body>";
    p.EndString = "</body>";
    p.StripHTMLTags = "0";
    return p;
}

std::string& FeedProfileField(FeedProfile& p, std::size_t index) {
    std::string* fields[] = {&p.ProfileName, &p.SourceType,   &p.Source,    &p.StartString,
                             &p.StartItemString, &p.EndString, &p.FeedTitle, &p.FeedDesc,
                             &p.FeedLink,    &p.TitleEndString, &p.EndItemString, &p.StripHTMLTags,
                             &p.FeedFormat,  &p.LinkString};
    return *fields[index];
}

const std::string& FeedProfileField(const FeedProfile& p, std::size_t index) {
    return FeedProfileField(const_cast<FeedProfile&>(p), index);
}

int FeedProfileFieldIndex(std::string_view name) {
    for (std::size_t i = 0; i < FeedProfileFieldNames.size(); ++i)
        if (FeedProfileFieldNames[i] == name) return static_cast<int>(i);
    return -1;
}
