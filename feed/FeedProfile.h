#pragma once
// The profile record and the run-time state that travels with it.
//
// A profile is fourteen text fields, stored one a line in NNNNNN.rss in the
// program's folder after a signature line. Text is 8-bit, one byte per
// character: std::string holds the bytes exactly as they are in the file.
// The last two fields (the document format and the link marker) came later:
// they live on lines 14 and 15, which older readers never look at, and a
// profile that leaves both empty is written in the original 13 lines.
#include <array>
#include <string>
#include <string_view>

// Which document a profile generates.
enum class FeedFormatKind {
    Classic,      // FeedFormat "" or "0.91": the RSS 0.91 document, byte for byte as always
    ReaderReady,  // FeedFormat "2.0": an RSS 2.0 document in UTF-8 that feed readers accept
};

// The values FeedFormat may be set to; a hand-edited file may hold others,
// which count as classic.
inline constexpr std::string_view ClassicFormatValue = "0.91";
inline constexpr std::string_view ReaderReadyFormatValue = "2.0";
inline bool IsKnownFeedFormat(std::string_view value) {
    return value.empty() || value == ClassicFormatValue || value == ReaderReadyFormatValue;
}

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
    // The two later fields carry default initialisers, so records spelled
    // out with the original twelve values still initialise every member.
    std::string FeedFormat{};     // "", "0.91" or "2.0" (see FeedFormatKind)
    std::string LinkString{};     // an item's link is the first one after this marker

    bool operator==(const FeedProfile&) const = default;

    bool isWeb() const { return SourceType == "Web"; }
    bool stripsTags() const { return StripHTMLTags != "0"; }
    FeedFormatKind format() const {
        return FeedFormat == ReaderReadyFormatValue ? FeedFormatKind::ReaderReady : FeedFormatKind::Classic;
    }
};

// The values a newly created profile starts with (apart from its name).
FeedProfile NewFeedProfile(const std::string& name);

// The field names in file order (lines 2 to 15), for tools that address
// fields by name.
inline constexpr std::array<std::string_view, 14> FeedProfileFieldNames = {
    "ProfileName", "SourceType",     "Source",        "StartString",   "StartItemString",
    "EndString",   "FeedTitle",      "FeedDesc",      "FeedLink",      "TitleEndString",
    "EndItemString", "StripHTMLTags", "FeedFormat",   "LinkString"};
// The first twelve are the original fields, always on lines 2 to 13.
inline constexpr std::size_t OriginalFieldCount = 12;

// Field by its position in FeedProfileFieldNames (0..13).
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
