#pragma once
// Serialises feed generation in one folder. The window and scheduled
// command-line runs share the program's folder and its working files
// src.dat and test.xml; two runs at once would overwrite each other's page
// and feed. Each run therefore holds an exclusive advisory lock on
// generate.lock in the folder from before it fetches the page until its
// feed is complete. The lock goes with the process, so a crashed run never
// leaves the folder locked; the lock file itself stays.
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

inline const std::string LockFileName = "generate.lock";
// Edits of profile files take a lock of their own: an edit holds it for a
// moment, while a generation holds the other for a whole download.
inline const std::string ProfileLockFileName = "profiles.lock";

// How long a generation waits for another one in the same folder.
inline constexpr std::chrono::seconds GenerationLockPatience{60};

class FolderLock {
public:
    // Waits up to `patience` for the folder's lock. Returns nullptr when
    // another holder kept it all that time; throws std::system_error when
    // the lock file cannot be opened.
    static std::unique_ptr<FolderLock> Acquire(const std::filesystem::path& folder,
                                               std::chrono::milliseconds patience,
                                               const std::string& lockFileName = LockFileName);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    explicit FolderLock(int fd) : fd_(fd) {}
    int fd_;
};

// The message for a run that gave up waiting.
std::string LockTimeoutMessage(const std::filesystem::path& folder, std::chrono::milliseconds patience);
