#pragma once
// The profile record and the run-time state that travels with it.
//
// A profile is twelve text fields, stored one a line in NNNNNN.rss in the
// program's folder after a signature line. Text is 8-bit, one byte per
// character: std::string holds the bytes exactly as they are in the file.
#include <array>
#include <string>
#include <string_view>

// Window caption, title of every message and signature line of every profile.
inline const std::string AppTitle = "My Veltrane";

struct FeedProfile {
    std::string ProfileName;      // display name, as typed
    std::string SourceType;       // "Web"; anything else means a local file
    std::string Source;           // page address or local file path
    std::string StartString;      // marker before the region of interest
    std::string StartItemString;  // marker at which the region is cut into items
    std::string EndString;        // marker after the region of interest
    std::string FeedTitle;
    std::string FeedDesc;
    std::string FeedLink;         // also every item's link
    std::string TitleEndString;   // ends an item's title (optional)
    std::string EndItemString;    // ends an item's description (optional)
    std::string StripHTMLTags;    // "0" off; any other value counts as on

    bool operator==(const FeedProfile&) const = default;

    bool isWeb() const { return SourceType == "Web"; }
    bool stripsTags() const { return StripHTMLTags != "0"; }
};

// The values a newly created profile starts with (apart from its name).
FeedProfile NewFeedProfile(const std::string& name);

// The twelve field names in file order (lines 2 to 13), for tools that
// address fields by name.
inline constexpr std::array<std::string_view, 12> FeedProfileFieldNames = {
    "ProfileName", "SourceType", "Source",   "StartString",    "StartItemString", "EndString",
    "FeedTitle",   "FeedDesc",   "FeedLink", "TitleEndString", "EndItemString",   "StripHTMLTags"};

// Field by its position in FeedProfileFieldNames (0..11).
std::string& FeedProfileField(FeedProfile& p, std::size_t index);
const std::string& FeedProfileField(const FeedProfile& p, std::size_t index);
// Position of a field name (exact case) in FeedProfileFieldNames, or -1.
int FeedProfileFieldIndex(std::string_view name);

// The current profile, the bare name of its file and whether edits are saved.
struct ProfileSession {
    FeedProfile Profile;         // the current profile
    std::string ProfileFile;     // e.g. "000001.rss"; empty while none is current
    bool ProfileLoaded = false;  // false while the window is being filled
};
