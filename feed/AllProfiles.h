#pragma once
// Every profile of a folder in one run, for unattended use: each profile's
// page is fetched on its own (in parallel, at most two at a time from one
// host), built by the same code as a single generation and written to
// DIR/NNNNNN.xml by replace-by-rename. The working files src.dat and
// test.xml are not touched: each page stays in memory.
//
// Each web profile remembers its page's ETag and Last-Modified in
// NNNNNN.rss.state beside it; the next run asks for the page only if it
// changed, and a 304 keeps the previous feed.
#include "feed/PageDownload.h"

#include <filesystem>
#include <string>
#include <vector>

inline const std::string PageStateSuffix = ".state";

struct AllProfilesOptions {
    std::filesystem::path folder;
    std::filesystem::path outputDir;  // empty: the folder
    unsigned jobs = 4;                // pages fetched at once
    unsigned perHost = 2;             // of them, from one host
    bool useFeedTitle = false;        // the answer to "Use Feed Title where Item Title is empty"
    DownloadLimits limits = CurrentDownloadLimits();
};

struct ProfileRun {
    enum Outcome { Written, Unchanged, Failed };
    std::string fileName;  // 000001.rss
    Outcome outcome = Failed;
    std::size_t items = 0;
    std::filesystem::path output;
    std::string message;   // why it failed, on one line
};

// Runs every profile in the order of the profile list; one result each.
std::vector<ProfileRun> GenerateAllProfiles(const AllProfilesOptions& options);

// "000001.rss: 12 items -> DIR/000001.xml", "000001.rss: unchanged" or
// "000001.rss: failed: MESSAGE".
std::string DescribeProfileRun(const ProfileRun& run);
