#include "feed/ProfileStore.h"

#include "feed/FolderLock.h"
#include "feed/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The signature and the original twelve fields; the format and the link
// marker may follow on two more lines.
constexpr std::size_t ProfileLines = 1 + OriginalFieldCount;
constexpr std::size_t ProfileLinesWithFormat = 1 + FeedProfileFieldNames.size();

// Splits off up to maxLines lines. A line ends at CR or CR LF; a last line
// without terminator still counts. A lone LF is part of the value.
std::vector<std::string> splitLines(const std::string& bytes, std::size_t maxLines) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (lines.size() < maxLines && pos < bytes.size()) {
        std::size_t cr = bytes.find('\r', pos);
        if (cr == std::string::npos) {
            lines.push_back(bytes.substr(pos));
            break;
        }
        lines.push_back(bytes.substr(pos, cr - pos));
        pos = cr + 1;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return lines;
}

// Reads at most the first bytes of a regular file; enough for two short
// lines without loading a large stray file whole. A fifo or device is
// skipped without waiting for it.
bool readHead(const fs::path& path, std::string& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    out.clear();
    char buf[4096];
    std::ptrdiff_t lineEnds = 0;
    while (ok) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        out.append(buf, static_cast<std::size_t>(n));
        // Two line ends seen: the rest does not matter.
        lineEnds += std::count(buf, buf + n, '\r');
        if (lineEnds >= 2 || out.size() > (1u << 20)) break;
    }
    ::close(fd);
    return ok;
}

void writeBytes(int fd, std::string_view bytes, const fs::path& path) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw std::system_error(errno, std::generic_category(), path.string());
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string trimBlanks(const std::string& s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

std::string numberedName(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06d.rss", n);
    return buf;
}

void showFailure(Dialogs& dialogs, const std::exception& e) {
    dialogs.message(DescribeFailure(e), MessageIcon::Error, AppTitle);
}

}  // namespace

std::string MakeProfileEntry(const std::string& displayName, const std::string& fileName) {
    return displayName + " (" + fileName + ")";
}

ProfileEntryParts ParseProfileEntry(const std::string& entry) {
    ProfileEntryParts parts;
    std::size_t open = entry.find('(');
    parts.displayName = trimBlanks(entry.substr(0, open));
    if (open == std::string::npos) return parts;
    std::size_t next = entry.find('(', open + 1);
    std::string second = trimBlanks(entry.substr(open + 1, next == std::string::npos ? std::string::npos : next - open - 1));
    if (!second.empty()) second.pop_back();
    parts.fileName = second;
    return parts;
}

std::vector<std::string> LoadProfilesInList(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> found;  // file name, entry
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".rss") != 0) continue;
        // Links are not profiles: reading one is refused, so it is not listed.
        std::error_code typeEc;
        if (it->symlink_status(typeEc).type() != fs::file_type::regular) continue;
        std::string head;
        if (!readHead(it->path(), head)) continue;
        std::vector<std::string> lines = splitLines(head, 2);
        if (lines.size() < 2) continue;
        found.emplace_back(name, MakeProfileEntry(lines[1], name));
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> entries;
    entries.reserve(found.size());
    for (auto& f : found) entries.push_back(std::move(f.second));
    return entries;
}

std::string ProfileFileContent(const FeedProfile& profile) {
    std::string out = AppTitle + "\r\n";
    // Profiles that do not use the two later fields keep their 13 lines, so
    // saving them changes nothing for anyone.
    const bool later = !profile.FeedFormat.empty() || !profile.LinkString.empty();
    const std::size_t fields = later ? FeedProfileFieldNames.size() : OriginalFieldCount;
    for (std::size_t i = 0; i < fields; ++i) {
        out += FeedProfileField(profile, i);
        out += "\r\n";
    }
    return out;
}

std::string CreateProfile(const fs::path& folder, const std::string& name, Dialogs& dialogs) {
    const std::string content = ProfileFileContent(NewFeedProfile(name));
    try {
        for (int n = 1; n <= MaxProfileNumber; ++n) {
            const std::string fileName = numberedName(n);
            const fs::path target = folder / fileName;
            std::error_code ec;
            if (fs::exists(fs::symlink_status(target, ec))) continue;
            // Write the whole file without a name, then link it under the
            // new one: the link fails rather than replace a file that
            // appeared in the meantime, and the name never shows a partial
            // profile.
            ReplacingFile file(target);
            writeBytes(file.fd(), content, target);
            if (file.commitIfAbsent()) return fileName;
        }
    } catch (const std::exception& e) {
        showFailure(dialogs, e);
        return {};
    }
    dialogs.message("Unable to create a profile: every profile number from 000001 to 032767 is taken in " +
                        folder.string(),
                    MessageIcon::Error, AppTitle);
    return {};
}

bool TryReadProfile(const fs::path& folder, const std::string& fileName, FeedProfile& out) {
    std::string bytes;
    try {
        bytes = ReadRegularFile(folder / fileName, MaxProfileBytes);
    } catch (const std::exception&) {
        return false;
    }
    std::vector<std::string> lines = splitLines(bytes, ProfileLinesWithFormat);
    if (lines.size() < ProfileLines || lines[0] != AppTitle) return false;
    FeedProfile p;
    for (std::size_t i = 1; i < lines.size(); ++i) FeedProfileField(p, i - 1) = std::move(lines[i]);
    out = std::move(p);
    return true;
}

bool ReadProfile(const fs::path& folder, const std::string& fileName, ProfileSession& session, Dialogs& dialogs) {
    FeedProfile p;
    if (fileName.empty() || !TryReadProfile(folder, fileName, p)) {
        dialogs.message("Bad file format", MessageIcon::Error, AppTitle);
        return false;
    }
    session.Profile = std::move(p);
    session.ProfileFile = fileName;
    return true;
}

namespace {

// The folder's profile lock, or the reason it could not be had, shown.
std::unique_ptr<FolderLock> lockProfiles(const fs::path& folder, Dialogs& dialogs) {
    try {
        if (auto lock = FolderLock::Acquire(folder, ProfileLockPatience, ProfileLockFileName)) return lock;
        dialogs.message("Another edit of the profiles in " + folder.string() + " did not finish within " +
                            std::to_string(ProfileLockPatience.count()) + " seconds, Please try again.",
                        MessageIcon::Error, AppTitle);
    } catch (const std::exception& e) {
        showFailure(dialogs, e);
    }
    return nullptr;
}

bool writeProfile(const fs::path& folder, const std::string& fileName, const FeedProfile& profile,
                  Dialogs& dialogs) {
    try {
        WriteFileReplacing(folder / fileName, ProfileFileContent(profile));
    } catch (const std::exception& e) {
        showFailure(dialogs, e);
        return false;
    }
    return true;
}

}  // namespace

bool SaveProfile(const fs::path& folder, const ProfileSession& session, Dialogs& dialogs) {
    if (!session.ProfileLoaded || session.ProfileFile.empty()) return true;
    const auto lock = lockProfiles(folder, dialogs);
    return lock && writeProfile(folder, session.ProfileFile, session.Profile, dialogs);
}

ProfileUpdate UpdateProfile(const fs::path& folder, const std::string& fileName,
                            const std::function<void(FeedProfile&)>& change, Dialogs& dialogs) {
    const auto lock = lockProfiles(folder, dialogs);
    if (!lock) return ProfileUpdate::Failed;
    FeedProfile p;
    if (fileName.empty() || !TryReadProfile(folder, fileName, p)) {
        dialogs.message("Bad file format", MessageIcon::Error, AppTitle);
        return ProfileUpdate::BadFormat;
    }
    change(p);
    return writeProfile(folder, fileName, p, dialogs) ? ProfileUpdate::Saved : ProfileUpdate::Failed;
}

bool DeleteProfileFile(const fs::path& folder, const std::string& fileName, ProfileSession& session,
                       Dialogs& dialogs) {
    if (fileName == session.ProfileFile) {
        session.ProfileFile.clear();
        session.Profile = FeedProfile{};
    }
    const fs::path target = folder / fileName;
    struct stat st {};
    int err = 0;
    if (fileName.empty() || ::lstat(target.c_str(), &st) != 0)
        err = fileName.empty() ? ENOENT : errno;
    else if (S_ISDIR(st.st_mode))
        err = EISDIR;
    else if (::unlink(target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        showFailure(dialogs, std::system_error(err, std::generic_category(), target.string()));
        return false;
    }
    return true;
}

bool DeleteProfile(const fs::path& folder, const std::string& entry, ProfileSession& session, Dialogs& dialogs) {
    return DeleteProfileFile(folder, ParseProfileEntry(entry).fileName, session, dialogs);
}
