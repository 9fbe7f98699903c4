#pragma once
// Generating the RSS document test.xml from the current profile.
#include "feed/FeedProfile.h"
#include "dialogs/Dialogs.h"

#include <filesystem>
#include <string>

// Name of the generated document, in the program's folder.
inline const std::string FeedFileName = "test.xml";

// Fetches the page (see FetchSource), cuts it by the profile's markers and
// writes test.xml. Asks once "Use Feed Title where Item Title is empty"
// (Yes/No). Returns true for a complete test.xml; otherwise one message
// has been shown (title AppTitle) and false is returned.
bool GenerateFeed(const std::filesystem::path& folder, const FeedProfile& profile, const std::string& address,
                  Dialogs& dialogs);
