#pragma once
// The seven fixed header lines of the RSS 0.91 document, with the
// placeholders #FEED_TITLE#, #FEED_LINK# and #FEED_DESCRIPTION#.
#include <string>
#include <vector>

std::vector<std::string> BuildRSSHeader();
