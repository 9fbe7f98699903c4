// generate: one feed run from the command line, as the window's
// "Generate Feed" does it, with the question answered by a flag.
#include "app/veltrane/CheckCommand.h"
#include "app/veltrane/Cli.h"
#include "app/veltrane/DownloadOptions.h"
#include "app/veltrane/StreamDialogs.h"
#include "feed/FeedBuilder.h"
#include "feed/FolderLock.h"
#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"

#include <charconv>

namespace cli {

namespace {

// "--wait SECONDS": a whole number of seconds, 0 for not waiting at all.
bool parseWait(const std::string* text, std::chrono::milliseconds& wait) {
    if (!text) {
        wait = GenerationLockPatience;
        return true;
    }
    unsigned seconds = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), seconds);
    if (ec != std::errc{} || end != text->data() + text->size() || text->empty()) return false;
    wait = std::chrono::seconds(seconds);
    return true;
}

}  // namespace

int runGenerate(const Invocation& inv, std::ostream& out, std::ostream& err) {
    DownloadLimits limits;
    if (!parseDownloadLimits(inv, limits, err)) return ExitUsage;
    SetDownloadLimits(limits);
    const std::size_t words = inv.has("--all") ? 0 : 1;
    if (inv.words.size() != words) {
        err << "veltrane: " << (inv.words.size() < words ? "missing arguments" : "too many arguments")
            << "\nUsage: veltrane generate [--dir DIR] PROFILE [OPTIONS] or veltrane generate --all [OPTIONS]\n";
        return ExitUsage;
    }
    if (inv.has("--all")) return runGenerateAll(inv, limits, out, err);
    for (const char* allOnly : {"--output-dir", "--jobs"}) {
        if (inv.value(allOnly)) {
            err << "veltrane: " << allOnly << " belongs to generate --all\n";
            return ExitUsage;
        }
    }
    const std::string& profileFile = inv.words[0];
    if (!isBareFileName(profileFile)) {
        err << "veltrane: PROFILE must be a file name in the folder, such as 000001.rss: " << profileFile << '\n';
        return ExitUsage;
    }
    std::chrono::milliseconds wait;
    if (!parseWait(inv.value("--wait"), wait)) {
        err << "veltrane: --wait needs a whole number of seconds: " << *inv.value("--wait") << '\n';
        return ExitUsage;
    }
    StreamDialogs dialogs(err, inv.has("--use-feed-title"));
    ProfileSession session;
    if (!ReadProfile(inv.dir, profileFile, session, dialogs)) return ExitBadProfile;

    // Held until the copy and the check are done: another run in the folder
    // must not replace test.xml under them.
    std::unique_ptr<FolderLock> lock;
    try {
        lock = FolderLock::Acquire(inv.dir, wait);
    } catch (const std::exception& e) {
        err << DescribeFailure(e) << '\n';
        return ExitFailed;
    }
    if (!lock) {
        err << LockTimeoutMessage(inv.dir, wait) << '\n';
        return ExitFailed;
    }

    const std::string* address = inv.value("--address");
    if (!GenerateFeed(inv.dir, session.Profile, address ? *address : session.Profile.Source, dialogs, *lock))
        return ExitFailed;

    if (const std::string* output = inv.value("--output")) {
        try {
            CopyFileReplacing(inv.dir / FeedFileName, *output);
        } catch (const std::exception& e) {
            err << DescribeFailure(e) << '\n';
            return ExitFailed;
        }
    }
    if (inv.has("--check")) {
        FeedCheckResult result;
        try {
            result = CheckFeedFile(inv.dir / FeedFileName);
        } catch (const std::exception& e) {
            err << DescribeFailure(e) << '\n';
            return ExitFailed;
        }
        printCheck(result, err);
        if (result.errors() > 0) return ExitCheckFound;
    }
    return ExitOk;
}

}  // namespace cli
