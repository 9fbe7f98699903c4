#pragma once
// The demo profile beside the program names its page by full path: the page
// in the program folder the build laid it into. A program folder that is
// copied or moved keeps that path and would read the page from the old
// place, or find none. RelayDemoProfile points the demo profile at the page
// in the folder it is in now.
//
// Only the demo profile is ever rewritten: a local profile named
// DemoProfileName whose page is a demo/harbour-news.htm. A user's own
// profile, or the demo profile once the user points it at another page,
// stays exactly as it is.
#include <filesystem>
#include <string>
#include <vector>

inline const std::string DemoProfileName = "Harbour Town Weekly - demo";
// The demo page, relative to the program's folder.
inline const std::filesystem::path DemoPage = std::filesystem::path("demo") / "harbour-news.htm";

// Rewrites the page path of every demo profile in the folder that names a
// demo page other than the folder's own, when the folder has its own.
// Returns the file names rewritten; a file that cannot be read or written
// is left alone (generating reports a missing page in its own words).
std::vector<std::string> RelayDemoProfile(const std::filesystem::path& programFolder);
