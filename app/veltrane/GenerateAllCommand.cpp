// generate --all: every profile of the folder in one run, for cron and
// timers. One line per profile on standard output; exit status 1 when any
// profile failed, so that the scheduler reports it.
#include "app/veltrane/Cli.h"
#include "feed/AllProfiles.h"

#include <charconv>

namespace cli {

int runGenerateAll(const Invocation& inv, const DownloadLimits& limits, std::ostream& out, std::ostream& err) {
    AllProfilesOptions options;
    options.folder = inv.dir;
    options.limits = limits;
    options.useFeedTitle = inv.has("--use-feed-title");
    for (const char* single : {"--address", "--output", "--check", "--wait"}) {
        if (inv.value(single) || inv.has(single)) {
            err << "veltrane: " << single << " belongs to the generation of one profile, not to --all\n";
            return ExitUsage;
        }
    }
    if (const std::string* jobs = inv.value("--jobs")) {
        auto [end, ec] = std::from_chars(jobs->data(), jobs->data() + jobs->size(), options.jobs);
        if (ec != std::errc{} || end != jobs->data() + jobs->size() || options.jobs < 1 || options.jobs > 64) {
            err << "veltrane: --jobs needs a whole number from 1 to 64: " << *jobs << '\n';
            return ExitUsage;
        }
    }
    if (const std::string* dir = inv.value("--output-dir")) {
        std::error_code ec;
        if (dir->empty() || !std::filesystem::is_directory(*dir, ec)) {
            err << "Folder not found: " << *dir << '\n';
            return ExitFailed;
        }
        options.outputDir = *dir;
    }
    bool allWritten = true;
    for (const ProfileRun& run : GenerateAllProfiles(options)) {
        out << DescribeProfileRun(run) << '\n';
        allWritten = allWritten && run.outcome != ProfileRun::Failed;
    }
    return allWritten ? ExitOk : ExitFailed;
}

}  // namespace cli
