// veltrane left alone: concurrent edits, every profile in one run, a killed
// run, and a failure's cause on standard error.
#include "feed/ProfileStore.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Starts veltrane without waiting for it, its output thrown away.
pid_t start(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(VELTRANE_EXE)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    posix_spawn(&pid, VELTRANE_EXE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int finish(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TEST(Unattended, TwoHundredPairsOfConcurrentSetsOnDifferentFieldsKeepBothUpdates) {
    // Four profiles side by side, fifty pairs each: the pairs of one profile
    // race each other, and all of them race for the one lock of the folder.
    TempDir dir;
    std::atomic<int> lost{0}, failed{0};
    auto lane = [&](const std::string& file) {
        for (int i = 0; i < 50; ++i) {
            const std::string n = std::to_string(i);
            const pid_t a = start({"--dir", dir.str(), "set", file, "FeedTitle", "title" + n});
            const pid_t b = start({"--dir", dir.str(), "set", file, "FeedDesc", "desc" + n});
            failed += (finish(a) != 0) + (finish(b) != 0);
            FeedProfile p;
            lost += !TryReadProfile(dir.path(), file, p) || p.FeedTitle != "title" + n || p.FeedDesc != "desc" + n;
        }
    };
    std::vector<std::thread> lanes;
    for (const char* file : {"000001.rss", "000002.rss", "000003.rss", "000004.rss"}) {
        dir.write(file, ProfileFileContent(NewFeedProfile("edited")));
        lanes.emplace_back(lane, file);
    }
    for (std::thread& t : lanes) t.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(lost, 0);
}

TEST(Unattended, AllProfilesRunInParallelKeepTheirOwnPagesAndASecondRunIsAnswered304) {
    TempDir dir, out;
    const std::string base = LoopbackServer::instance().base();
    ASSERT_FALSE(base.empty());
    auto number = [](int i) {
        char name[8];
        std::snprintf(name, sizeof name, "%06d", i);
        return std::string(name);
    };
    for (int i = 1; i <= 20; ++i) {
        const std::string n = std::to_string(i);
        LoopbackServer::instance().root().write("all" + n + ".html",
                                                "<ul><li>page" + n + " first:a<li>page" + n + " second:b</ul>");
        FeedProfile p = NewFeedProfile("p" + n);
        p.Source = base + (i == 7 ? "missing.html" : "all" + n + ".html");
        p.StartString = "<ul><li>";
        p.StartItemString = "<li>";
        p.EndString = i == 13 ? "</nowhere>" : "</ul>";
        p.TitleEndString = ":";
        dir.write(number(i) + ".rss", ProfileFileContent(p));
    }
    const std::vector<std::string> args = {"--dir", dir.str(), "generate", "--all", "--jobs", "4",
                                           "--output-dir", out.str()};
    const ProgramRun first = RunProgram(VELTRANE_EXE, args);
    EXPECT_EQ(first.status, 1);
    std::string expected;
    for (int i = 1; i <= 20; ++i) {
        const std::string name = number(i);
        expected += name + ".rss: ";
        if (i == 7) expected += "failed: Unable to download webpage, Please try again. (HTTP 404 File not found)\n";
        else if (i == 13) expected += "failed: Source webpage does not contains the End String:</nowhere>\n";
        else expected += "2 items -> " + (out / (name + ".xml")).string() + "\n";
        if (i == 7 || i == 13) continue;
        const std::string feed = out.read(name + ".xml");
        const std::string own = "page" + std::to_string(i) + " ";
        EXPECT_NE(feed.find(own + "first"), std::string::npos) << name;
        EXPECT_NE(feed.find(own + "second"), std::string::npos) << name;
        EXPECT_EQ(feed.find("page"), feed.find(own + "first")) << name << " holds another profile's page";
    }
    EXPECT_EQ(first.out, expected);

    const ProgramRun second = RunProgram(VELTRANE_EXE, args);
    EXPECT_EQ(second.status, 1);
    std::string unchanged = expected;
    for (std::size_t at; (at = unchanged.find("2 items -> ")) != std::string::npos;)
        unchanged.replace(at, unchanged.find('\n', at) - at, "unchanged");
    EXPECT_EQ(second.out, unchanged);
}

TEST(Unattended, AKilledDownloadLeavesNoFileAndAFailureNamesItsCauseOnTheSecondLine) {
    TempDir dir;
    dir.write("000001.rss", ProfileFileContent(NewFeedProfile("web")));
    const std::string base = LoopbackServer::instance().base();
    ASSERT_FALSE(base.empty());
    const pid_t run = start({"--dir", dir.str(), "generate", "000001.rss", "--address", base + "trickle"});
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    ::kill(run, SIGTERM);
    EXPECT_EQ(finish(run), 128 + SIGTERM);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2) << "beside 000001.rss and generate.lock";

    const ProgramRun refused = RunProgram(
        VELTRANE_EXE, {"--dir", dir.str(), "generate", "000001.rss", "--address", "http://127.0.0.1:1/"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Unable to download webpage, Please try again.\nConnection refused\n");
    for (const char* bad : {"--timeout=0", "--stall-timeout=x", "--max-size=12Q", "--jobs=0"}) {
        const ProgramRun r = RunProgram(VELTRANE_EXE, {"--dir", dir.str(), "generate", "--all", bad});
        EXPECT_EQ(r.status, 64) << bad;
    }
}
