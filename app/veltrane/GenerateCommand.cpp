// generate: one feed run from the command line, as the window's
// "Generate Feed" does it, with the question answered by a flag.
#include "app/veltrane/Cli.h"
#include "feed/FeedBuilder.h"
#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"
#include "app/veltrane/StreamDialogs.h"

namespace cli {

int runGenerate(const Invocation& inv, std::ostream&, std::ostream& err) {
    const std::string& profileFile = inv.words[0];
    if (!isBareFileName(profileFile)) {
        err << "veltrane: PROFILE must be a file name in the folder, such as 000001.rss: " << profileFile << '\n';
        return ExitUsage;
    }
    StreamDialogs dialogs(err, inv.has("--use-feed-title"));
    ProfileSession session;
    if (!ReadProfile(inv.dir, profileFile, session, dialogs)) return ExitBadProfile;

    const std::string* address = inv.value("--address");
    if (!GenerateFeed(inv.dir, session.Profile, address ? *address : session.Profile.Source, dialogs))
        return ExitFailed;

    if (const std::string* output = inv.value("--output")) {
        try {
            CopyFileReplacing(inv.dir / FeedFileName, *output);
        } catch (const std::exception& e) {
            err << DescribeFailure(e) << '\n';
            return ExitFailed;
        }
    }
    return ExitOk;
}

}  // namespace cli
