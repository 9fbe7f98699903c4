// GenerateFeed for callers that do not hold the folder's lock: take it, run,
// let it go.
#include "feed/FeedBuilder.h"
#include "feed/FolderLock.h"
#include "feed/ItemCuts.h"
#include "feed/SafeFile.h"

bool GenerateFeed(const std::filesystem::path& folder, const FeedProfile& profile, const std::string& address,
                  Dialogs& dialogs) {
    std::unique_ptr<FolderLock> lock;
    try {
        lock = FolderLock::Acquire(folder, GenerationLockPatience);
    } catch (const std::exception& e) {
        dialogs.message(DescribeFailure(e) + UnableToGenerateSuffix, MessageIcon::Error, AppTitle);
        return false;
    }
    if (!lock) {
        dialogs.message(LockTimeoutMessage(folder, GenerationLockPatience), MessageIcon::Error, AppTitle);
        return false;
    }
    return GenerateFeed(folder, profile, address, dialogs, *lock);
}
