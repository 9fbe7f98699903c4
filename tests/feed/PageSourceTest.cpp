#include "FeedBuilder.h"
#include "LoopbackServer.h"
#include "PageSource.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

std::string binaryPage() {
    std::string s = "<html><head></head><body>";
    for (int i = 0; i < 256 * 64; ++i) s += static_cast<char>(i);
    return s + "</body></html>";
}

// A port on 127.0.0.1 where nobody listens.
int closedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

class Download : public ::testing::Test {
protected:
    TempDir folder;
    std::string base;
    void SetUp() override {
        LoopbackServer& server = LoopbackServer::instance();
        base = server.base();
        ASSERT_FALSE(base.empty()) << "the loopback HTTP server did not start";
        server.root().write("page.html", binaryPage());
        folder.write("src.dat", "older page");
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }
};

}  // namespace

TEST_F(Download, WritesTheBodyByteForByte) {
    EXPECT_EQ(DownloadPage(base + "page.html", folder / "src.dat"), 0);
    EXPECT_TRUE(folder.read("src.dat") == binaryPage());
}

TEST_F(Download, FollowsRedirects) {
    EXPECT_EQ(DownloadPage(base + "redirect/page.html", folder / "src.dat"), 0);
    EXPECT_TRUE(folder.read("src.dat") == binaryPage());
}

TEST_F(Download, FailuresReturnNonZeroAndLeaveTheOldFileAlone) {
    const std::vector<std::string> addresses = {
        base + "missing.html",                                       // 404
        base + "error500",                                           // 500
        base + "loop",                                               // endless redirects
        base + "short",                                              // body cut short
        "http://127.0.0.1:" + std::to_string(closedPort()) + "/",    // nobody listening
        "",                                                          // empty address box
        "http://",                                                   // the bare prefix
        " " + base + "page.html",                                    // used exactly as typed
        base.substr(7) + "page.html",                                // no scheme is guessed
    };
    for (const std::string& address : addresses) {
        EXPECT_NE(DownloadPage(address, folder / "src.dat"), 0) << address;
        EXPECT_EQ(folder.read("src.dat"), "older page") << address;
        EXPECT_EQ(filesInFolder(), 1u) << address << ": a temporary file was left behind";
    }
}

TEST_F(Download, AcceptsFileAddressesButNotFoldersOrMissingFiles) {
    TempDir pages;
    pages.write("local page.html", "local bytes \xe9\r\n");
    EXPECT_EQ(DownloadPage("file://" + pages.str() + "/local%20page.html", folder / "src.dat"), 0);
    EXPECT_EQ(folder.read("src.dat"), "local bytes \xe9\r\n");
    folder.write("src.dat", "older page");
    EXPECT_NE(DownloadPage("file://" + pages.str(), folder / "src.dat"), 0);
    EXPECT_NE(DownloadPage("file://" + pages.str() + "/", folder / "src.dat"), 0);
    EXPECT_NE(DownloadPage("file://" + pages.str() + "/missing.html", folder / "src.dat"), 0);
    EXPECT_EQ(folder.read("src.dat"), "older page");
}

TEST_F(Download, AWebProfileDownloadsTheAddressBoxNotItsSource) {
    FeedProfile p = NewFeedProfile("web");
    p.Source = base + "missing.html";
    ScriptedDialogs d;
    d.answers.push_back(false);
    ASSERT_TRUE(GenerateFeed(folder.path(), p, base + "redirect/page.html", d));
    EXPECT_TRUE(folder.read("src.dat") == binaryPage());
    const std::string body = binaryPage().substr(19, binaryPage().size() - 19 - 14);
    EXPECT_NE(folder.read("test.xml").find("<description>\r\n" + body + "\r\n</description>"), std::string::npos);
}

TEST_F(Download, AFailedDownloadShowsItsMessageAndStopsBeforeTestXml) {
    folder.write("test.xml", "previous");
    FeedProfile p = NewFeedProfile("web");
    p.Source = base + "page.html";
    for (const std::string& address : {std::string(), base + "missing.html"}) {
        ScriptedDialogs d;
        EXPECT_FALSE(GenerateFeed(folder.path(), p, address, d));
        ASSERT_EQ(d.calls.size(), 1u) << "no question after a failed download";
        EXPECT_EQ(d.calls[0].text, "Unable to download webpage, Please try again.");
        EXPECT_EQ(d.calls[0].icon, MessageIcon::Error);
        EXPECT_EQ(d.calls[0].title, "My Veltrane");
    }
    EXPECT_EQ(folder.read("test.xml"), "previous");
    EXPECT_EQ(folder.read("src.dat"), "older page");
}

TEST(FetchSource, TwoRunsOverTheSameLocalFileGiveIdenticalCopies) {
    TempDir folder, pages;
    pages.write("p.html", binaryPage());
    FeedProfile p = NewFeedProfile("local");
    p.SourceType = "Local";
    p.Source = (pages / "p.html").string();
    ScriptedDialogs d;
    ASSERT_TRUE(FetchSource(folder.path(), p, "ignored", d));
    const std::string first = folder.read("src.dat");
    ASSERT_TRUE(FetchSource(folder.path(), p, "ignored", d));
    EXPECT_TRUE(first == folder.read("src.dat"));
    EXPECT_TRUE(first == binaryPage());
    EXPECT_TRUE(d.calls.empty());
}
