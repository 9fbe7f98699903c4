#pragma once
// Turning a piece of page into plain one-line text, for item titles and
// descriptions. Both act only when the profile's StripHTMLTags is on and
// return the text unchanged otherwise. Both run in time linear in the text.
#include "feed/FeedProfile.h"

#include <string>
#include <string_view>

// Drops every piece from a "<" to the next ">"; a "<" with no ">" after it
// takes itself and the one character after it.
std::string StripTags(std::string_view text, const FeedProfile& profile);

// Blanks out "&nbsp;", "<", ">", "&", "/", tab, CR and LF, squeezes runs of
// blanks (four halving passes) and trims blanks at both ends.
std::string CleanText(std::string_view text, const FeedProfile& profile);
