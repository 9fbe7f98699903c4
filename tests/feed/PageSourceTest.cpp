#include "feed/FeedBuilder.h"
#include "tests/support/LoopbackServer.h"
#include "feed/PageSource.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::string Prefix = "<html><head></head><body>", Suffix = "</body></html>";

// Every byte value, many times over.
std::string binaryBody() {
    std::string s;
    for (int i = 0; i < 256 * 64; ++i) s += static_cast<char>(i);
    return s;
}

class Download : public ::testing::Test {
protected:
    TempDir folder;
    std::string base;
    const std::string page = Prefix + binaryBody() + Suffix;

    void SetUp() override {
        base = LoopbackServer::instance().base();
        ASSERT_FALSE(base.empty()) << "the loopback HTTP server did not start";
        LoopbackServer::instance().root().write("page.html", page);
        folder.write("src.dat", "older page");
    }
    int download(const std::string& address) { return DownloadPage(address, folder / "src.dat"); }
};

}  // namespace

TEST_F(Download, AFileAddressIsReadByteForByteWithItsEscapesDecoded) {
    TempDir pages;
    pages.write("local page.html", "local bytes \xe9\r\n");
    EXPECT_EQ(download("file://" + pages.str() + "/local%20page.html"), 0);
    EXPECT_TRUE(folder.read("src.dat") == "local bytes \xe9\r\n");
}

// More failures, with their causes, in BoundedDownloadTest.cpp.
TEST_F(Download, FailuresReturnNonZeroAndLeaveTheOldFileAlone) {
    TempDir pages;
    const std::vector<std::string> addresses = {
        base + "error500",                                         // 500
        base + "loop",                                             // endless redirects
        base + "short",                                            // body cut short
        "http://",                                                 // the bare prefix
        " " + base + "page.html",                                  // used exactly as typed
        "file://" + pages.str(),                                   // a folder
        "file://" + pages.str() + "/",
        "file://" + pages.str() + "/missing.html",
    };
    for (const std::string& address : addresses) {
        SCOPED_TRACE(address);
        EXPECT_NE(download(address), 0);
        EXPECT_EQ(folder.read("src.dat"), "older page");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "temporary left";
    }
}

TEST_F(Download, AWebProfileDownloadsTheAddressBoxNotItsSourceAndAFailureStopsBeforeTestXml) {
    FeedProfile p = NewFeedProfile("web");
    p.Source = base + "missing.html";
    ScriptedDialogs d;
    d.answers.push_back(false);
    ASSERT_TRUE(GenerateFeed(folder.path(), p, base + "redirect/page.html", d));
    EXPECT_TRUE(folder.read("src.dat") == page);
    EXPECT_NE(folder.read("test.xml").find("<description>\r\n<body>" + binaryBody() + "\r\n</description>"), std::string::npos);

    folder.write("src.dat", "older page");
    p.Source = base + "page.html";
    for (const std::string& address : {std::string(), base + "missing.html"}) {
        SCOPED_TRACE(address);
        d = ScriptedDialogs{};
        EXPECT_FALSE(GenerateFeed(folder.path(), p, address, d));
        ASSERT_EQ(d.calls.size(), 1u) << "no question after a failed download";
        EXPECT_EQ(d.calls[0].text, "Unable to download webpage, Please try again.");
        EXPECT_EQ(d.calls[0].icon, MessageIcon::Error);
        EXPECT_EQ(d.calls[0].title, "My Veltrane");
    }
    EXPECT_EQ(folder.read("src.dat"), "older page");
    EXPECT_NE(folder.read("test.xml").find(binaryBody()), std::string::npos) << "test.xml kept";
}
