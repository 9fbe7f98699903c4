#pragma once
// An item's texts as each document format writes them, from the pieces
// ItemCuts gives. The feed writers and the preview share these, so that
// the preview shows exactly what a generation would write.
#include "feed/FeedProfile.h"
#include "feed/HtmlText.h"
#include "feed/ItemCuts.h"
#include "feed/LinkResolver.h"
#include "feed/PageEncoding.h"
#include "feed/PageSource.h"

#include <string>
#include <string_view>

struct ItemTexts {
    std::string title, description;
};

// The classic document's texts: page bytes as they are (tags stripped and
// text cleaned when the profile says so), "." for an item without a title,
// or the Feed Title in its place when `useFeedTitle`.
ItemTexts ClassicItemTexts(const ItemPieces& pieces, bool useFeedTitle, const FeedProfile& profile);

// The reader-ready document's texts, in UTF-8: the channel's own values,
// every item's absolute link and its decoded title and description.
class ReaderItemTexts {
public:
    ReaderItemTexts(const FeedProfile& profile, const PageOrigin& origin, std::string_view page);

    const std::string& channelTitle() const { return title_; }
    const std::string& channelLink() const { return link_; }
    const std::string& channelDescription() const { return description_; }

    // Item k's own link (counted from 1), absolute; empty when it has none.
    std::string ItemLink(std::string_view item, std::size_t k);
    // Item k's title and description; `item` is the whole item the pieces
    // were cut from.
    ItemTexts Texts(std::string_view item, const ItemPieces& pieces, std::size_t k, bool useFeedTitle);

private:
    std::string openTag(std::size_t k) const;

    const FeedProfile& p_;
    Utf8Converter convert_;
    HtmlText html_;
    LinkResolver links_;
    std::string title_, link_, description_;
};
