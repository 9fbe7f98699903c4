#pragma once
// The reader-ready document: RSS 2.0 in UTF-8, well-formed for any page
// and any profile, with an absolute link and a guid for every item so that
// feed readers keep every item apart. The page is cut exactly as for the
// classic document (ItemCuts), with the same stop messages.
#include "feed/FeedProfile.h"
#include "feed/FeedWriter.h"
#include "feed/PageSource.h"
#include "dialogs/Dialogs.h"

#include <ctime>
#include <filesystem>
#include <string>

// What names the program in <generator>.
inline const std::string GeneratorName = "My Veltrane";

// Fetches the page and writes test.xml as GenerateFeed does, for a profile
// whose FeedFormat is "2.0". Shows one message and returns false on failure.
bool GenerateReaderFeed(const std::filesystem::path& folder, const FeedProfile& profile, const std::string& address,
                        Dialogs& dialogs);

// Writes test.xml from src.dat, already fetched. Throws GenerationStop for
// the marker messages and std::exception for other failures.
void WriteReaderFeed(const std::filesystem::path& folder, const FeedProfile& profile, const PageOrigin& origin,
                     Dialogs& dialogs, std::time_t now);

// The same for a page in memory, written to `output`; returns the number
// of items.
std::size_t WriteReaderDocument(std::string_view page, const FeedProfile& profile, const PageOrigin& origin,
                                Dialogs& dialogs, const FeedOutput& output, std::time_t now);

// "Sat, 07 Dec 2024 10:00:00 +0000"
std::string Rfc822Date(std::time_t t);
