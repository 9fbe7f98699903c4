#pragma once
// The profile files: listing, creating, reading, saving and deleting.
//
// Every function takes the program's folder from its caller and joins the
// bare file names to it. Failures are shown through Dialogs, titled
// AppTitle, with the error icon.
#include "feed/FeedProfile.h"
#include "dialogs/Dialogs.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Highest profile number; files run from 000001.rss to 032767.rss.
inline constexpr int MaxProfileNumber = 32767;

// A profile file larger than this is not a profile ("Bad file format").
inline constexpr std::size_t MaxProfileBytes = 64u << 20;

// How long an edit waits for another edit of a profile in the same folder.
inline constexpr std::chrono::seconds ProfileLockPatience{10};

// "News (000001.rss)": line 2 of the file, a blank and the file name in brackets.
std::string MakeProfileEntry(const std::string& displayName, const std::string& fileName);

struct ProfileEntryParts {
    std::string displayName;
    std::string fileName;
};
// Inverse of MakeProfileEntry: splits at "(", trims blanks, drops the ")".
// A display name that itself holds "(" yields a wrong file name, by design
// of the entry format.
ProfileEntryParts ParseProfileEntry(const std::string& entry);

// The list entries for every "*.rss" file of the folder, sorted by file
// name. Files that cannot be read, have fewer than two lines or are not
// regular files are skipped.
std::vector<std::string> LoadProfilesInList(const std::filesystem::path& folder);

// Writes a new profile under the first free number and returns its bare
// file name. On failure (every number taken, write error) shows the reason
// and returns an empty string; nothing is left behind.
std::string CreateProfile(const std::filesystem::path& folder, const std::string& name, Dialogs& dialogs);

// Reads a profile file: a regular file of at most MaxProfileBytes, never a
// link, fifo or device (those are "Bad file format", and never block). On success the session's Profile and ProfileFile
// take the file's values. On failure shows "Bad file format" (error icon)
// and leaves the session untouched.
bool ReadProfile(const std::filesystem::path& folder, const std::string& fileName, ProfileSession& session,
                 Dialogs& dialogs);

// Reads without showing anything: the failure path of ReadProfile for
// callers that report on their own. Returns false for "Bad file format".
bool TryReadProfile(const std::filesystem::path& folder, const std::string& fileName, FeedProfile& out);

// Writes the session's profile to its file when ProfileLoaded is true;
// otherwise does nothing and returns true. The write holds the folder's
// profile lock (see UpdateProfile). The file is replaced whole: a
// failed write shows the system's description and keeps the old file.
bool SaveProfile(const std::filesystem::path& folder, const ProfileSession& session, Dialogs& dialogs);

enum class ProfileUpdate { Saved, BadFormat, Failed };
// Reads the profile, changes it and writes it back while holding the
// folder's profile lock, so that two edits of different fields at once
// both survive. BadFormat: "Bad file format" was shown; Failed: the reason
// (a write error, the lock not won in ProfileLockPatience) was shown.
ProfileUpdate UpdateProfile(const std::filesystem::path& folder, const std::string& fileName,
                            const std::function<void(FeedProfile&)>& change, Dialogs& dialogs);

// The lines of a profile file, CR LF after each: 13, or 15 when FeedFormat
// or LinkString is set.
std::string ProfileFileContent(const FeedProfile& profile);

// Deletes the file named in a list entry; when it is the current profile,
// the session is cleared first (ProfileLoaded untouched). A failure shows
// the system's description. The caller lists the profiles again afterwards.
bool DeleteProfile(const std::filesystem::path& folder, const std::string& entry, ProfileSession& session,
                   Dialogs& dialogs);
// The same for a bare file name.
bool DeleteProfileFile(const std::filesystem::path& folder, const std::string& fileName, ProfileSession& session,
                       Dialogs& dialogs);
