#pragma once
// Generating the RSS document test.xml from the current profile.
#include "feed/FeedProfile.h"
#include "feed/FeedWriter.h"
#include "feed/PageSource.h"
#include "dialogs/Dialogs.h"

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

// Name of the generated document, in the program's folder.
inline const std::string FeedFileName = "test.xml";

class FolderLock;

// Fetches the page (see FetchSource), cuts it by the profile's markers and
// writes test.xml, in the classic or the reader-ready format as the
// profile says. Asks once "Use Feed Title where Item Title is empty"
// (Yes/No). Returns true for a complete test.xml; otherwise one message
// has been shown (title AppTitle) and false is returned.
// Takes the folder's lock first (see FolderLock), waiting for another run
// up to GenerationLockPatience.
bool GenerateFeed(const std::filesystem::path& folder, const FeedProfile& profile, const std::string& address,
                  Dialogs& dialogs);
// The same for a caller that holds the folder's lock itself, to keep it
// while it goes on using test.xml.
bool GenerateFeed(const std::filesystem::path& folder, const FeedProfile& profile, const std::string& address,
                  Dialogs& dialogs, const FolderLock& held);

// The document for a page already fetched, in the format the profile says,
// written to `output`, which is opened only once the markers are found.
// Asks the question as GenerateFeed does. Returns the number of items;
// throws GenerationStop for the marker messages and std::exception for
// other failures. Every run, single or of all profiles, builds here.
std::size_t WriteFeedDocument(std::string_view page, const PageOrigin& origin, const FeedProfile& profile,
                              Dialogs& dialogs, const FeedOutput& output, std::time_t now);
