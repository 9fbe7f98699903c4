// all-profiles-bench: `veltrane generate --all` over profiles whose pages a
// local server answers after a pause of 50 ms each, with 1 job against 4,
// side by side. The pages are spread over four loopback addresses
// (127.0.0.1 to 127.0.0.4) so that the cap of two downloads per host does
// not hide the parallelism; a third column runs 4 jobs against one host,
// where the cap allows 2 at a time. Runs alternate; the best of each counts.
//
// Usage: all-profiles-bench [--profiles 100] [--repeat 3] [--smoke]
// --smoke: 4 profiles, one run, outputs checked; exits 1 on any fault.
#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fs = std::filesystem;

namespace {

// Starts the server on four loopback addresses; returns its port.
int startServer(const TempDir& root) {
    for (const char* v : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(v);
    ::setenv("NO_PROXY", "127.0.0.1,127.0.0.2,127.0.0.3,127.0.0.4", 1);
    ::setenv("no_proxy", "127.0.0.1,127.0.0.2,127.0.0.3,127.0.0.4", 1);
    const std::string command =
        "exec python3 -u '" LOOPBACK_SERVER_SCRIPT "' '" + root.str() + "' --hosts 4 2>/dev/null";
    std::FILE* out = ::popen(command.c_str(), "r");  // left open: the server ends with this program
    char line[64] = {0};
    return out && std::fgets(line, sizeof line, out) ? std::atoi(line) : 0;
}

void writeProfiles(const TempDir& folder, const TempDir& root, int count, int port, bool oneHost) {
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        std::string page = "<html><body><ul><li>";
        for (int k = 0; k < 30; ++k) page += "Story " + n + "." + std::to_string(k) + "</a> summary<li>";
        root.write("p" + n + ".html", page + "end</a></ul></body></html>");
        FeedProfile p = NewFeedProfile("bench " + n);
        const int host = oneHost ? 1 : 1 + i % 4;
        p.Source = "http://127.0.0." + std::to_string(host) + ":" + std::to_string(port) + "/slow/p" + n + ".html";
        p.StartString = "<ul><li>";
        p.StartItemString = "<li>";
        p.EndString = "</ul>";
        p.TitleEndString = "</a>";
        char name[16];
        std::snprintf(name, sizeof name, "%06d.rss", i);
        WriteFileReplacing(folder / name, ProfileFileContent(p));
    }
}

// One run; the remembered validators are dropped first, so every page is
// fetched in full.
ProgramRun runAll(const TempDir& folder, unsigned jobs) {
    for (const auto& e : fs::directory_iterator(folder.path()))
        if (e.path().extension() == ".state") fs::remove(e.path());
    return RunProgram(VELTRANE_EXE, {"--dir", folder.str(), "generate", "--all", "--jobs", std::to_string(jobs)});
}

}  // namespace

int main(int argc, char** argv) {
    int profiles = 100, repeat = 3;
    bool smoke = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--smoke")) smoke = true;
        else if (!std::strcmp(argv[i], "--profiles") && i + 1 < argc) profiles = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc) repeat = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "Usage: all-profiles-bench [--profiles N] [--repeat N] [--smoke]\n");
            return 64;
        }
    }
    if (smoke) profiles = 4, repeat = 1;
    TempDir root, spread, single;
    const int port = startServer(root);
    if (port <= 0) {
        std::fprintf(stderr, "all-profiles-bench: the local server did not start\n");
        return 2;
    }
    writeProfiles(spread, root, profiles, port, false);
    writeProfiles(single, root, profiles, port, true);

    double oneJob = 1e9, fourJobs = 1e9, fourOneHost = 1e9;
    for (int r = 0; r < repeat; ++r) {
        const ProgramRun a = runAll(spread, 1), b = runAll(spread, 4), c = runAll(single, 4);
        for (const ProgramRun* run : {&a, &b, &c}) {
            const auto written = static_cast<int>(std::count(run->out.begin(), run->out.end(), '>'));
            if (run->status != 0 || written != profiles) {
                std::fprintf(stderr, "all-profiles-bench: a run failed (status %d):\n%s%s", run->status,
                             run->out.c_str(), run->err.c_str());
                return 1;
            }
        }
        oneJob = std::min(oneJob, a.seconds);
        fourJobs = std::min(fourJobs, b.seconds);
        fourOneHost = std::min(fourOneHost, c.seconds);
    }
    std::printf("generate --all, %d profiles, 50 ms per page, best of %d\n", profiles, repeat);
    std::printf("%-28s %10s %10s %15s\n", "", "1 job", "4 jobs", "4 jobs, 1 host");
    std::printf("%-28s %9.2fs %9.2fs %14.2fs\n", "wall time", oneJob, fourJobs, fourOneHost);
    std::printf("%-28s %10s %9.2fx %14.2fx\n", "speed-up over 1 job", "1.00x", oneJob / fourJobs,
                oneJob / fourOneHost);
    return 0;
}
