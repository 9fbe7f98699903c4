// Downloads that end: the time and size limits, the allowed schemes, the
// cause of a failure as the user sees it, and no file left behind.
#include "feed/FeedBuilder.h"
#include "feed/PageSource.h"
#include "feed/SignalCleanup.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

class BoundedDownload : public ::testing::Test {
protected:
    TempDir folder;
    std::string base = LoopbackServer::instance().base();
    DownloadLimits limits;

    void SetUp() override {
        ASSERT_FALSE(base.empty()) << "the loopback HTTP server did not start";
        limits.total = std::chrono::milliseconds(1500);
        limits.maxBytes = 256 * 1024;
        folder.write("src.dat", "older page");
    }
    // The cause of a failed download into src.dat; "" when it succeeded.
    std::string causeOf(const std::string& address) {
        PageOrigin origin;
        const int status = DownloadPage(address, folder / "src.dat", &origin, limits);
        EXPECT_EQ(status != 0, !origin.cause.empty()) << address;
        return origin.cause;
    }
    std::size_t filesInFolder() const { return std::distance(fs::directory_iterator(folder.path()), {}); }
};

}  // namespace

TEST_F(BoundedDownload, ASilentATricklingAndAnEndlessServerEachStopAtTheirLimitAndLeaveNothing) {
    // Each limit well inside the others, so that a busy machine cannot make
    // another one end the download first.
    limits.stall = std::chrono::milliseconds(500);
    EXPECT_EQ(causeOf(base + "silent"), "Timed out after 0.5 s without data");
    limits.stall = std::chrono::seconds(10);
    EXPECT_EQ(causeOf(base + "trickle"), "Timed out after 1.5 s in all");
    limits.total = std::chrono::seconds(10);
    EXPECT_EQ(causeOf(base + "endless"), "The page is larger than 262144 bytes");
    EXPECT_EQ(folder.read("src.dat"), "older page");
    EXPECT_EQ(filesInFolder(), 1u) << "a temporary file was left";
}

TEST_F(BoundedDownload, OnlyHttpHttpsFtpAndFileAreFetchedAndARedirectElsewhereIsRefused) {
    EXPECT_EQ(causeOf("gopher://127.0.0.1:1/_SET%20key"),
              "The address uses the scheme \"gopher\", which is not allowed (only http, https, ftp and file)");
    EXPECT_EQ(causeOf("DICT://127.0.0.1:1/"),
              "The address uses the scheme \"dict\", which is not allowed (only http, https, ftp and file)");
    const std::string redirected = causeOf(base + "to-gopher");
    EXPECT_NE(redirected.find("redirects to gopher://127.0.0.1:1/"), std::string::npos) << redirected;
    EXPECT_EQ(folder.read("src.dat"), "older page");
}

TEST_F(BoundedDownload, TheWindowsMessageStaysTheSameAndItsDetailsNameTheCause) {
    FeedProfile p = NewFeedProfile("web");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {base + "missing.html", "HTTP 404 File not found"},  // the server's own reason phrase
        {"http://127.0.0.1:1/", "Connection refused"},
        {base.substr(7) + "page.html", "The address has no scheme"},
        {"", "The address is empty"},
    };
    for (const auto& [address, cause] : cases) {
        ScriptedDialogs d;
        EXPECT_FALSE(GenerateFeed(folder.path(), p, address, d));
        ASSERT_EQ(d.calls.size(), 1u) << address;
        EXPECT_EQ(d.calls[0].text, "Unable to download webpage, Please try again.");
        EXPECT_EQ(d.calls[0].details, cause);
    }
    EXPECT_EQ(folder.read("src.dat"), "older page");
    EXPECT_EQ(filesInFolder(), 2u) << "beside src.dat and the folder's lock file";
}

TEST(SignalCleanup, ANamedTemporaryFileGoesWhenTheProcessIsTerminated) {
    TempDir folder;
    const fs::path kept = folder / "kept", removed = folder / "removed";
    folder.write("kept", "x");
    folder.write("removed", "x");
    const pid_t child = ::fork();
    if (child == 0) {
        const int slot = RemoveOnSignal(kept.c_str());
        RemoveOnSignal(removed.c_str());
        KeepOnSignal(slot);
        ::raise(SIGTERM);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "the signal still ends the process";
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_FALSE(fs::exists(removed));
}
