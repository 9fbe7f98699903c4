#include "tests/app/CliRunner.h"
#include "tests/feed/LoopbackServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string Header =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<rss version=\"0.91\">\r\n<channel>\r\n"
    "<title>Daily</title>\r\n<link>http://example.com/</link>\r\n<description></description>\r\n"
    "<language>en-us</language>\r\n";

std::string item(const std::string& title, const std::string& desc) {
    return "<item>\r\n<title>\r\n" + title + "\r\n</title>\r\n<link>\r\nhttp://example.com/\r\n</link>\r\n"
           "<description>\r\n" + desc + "\r\n</description>\r\n</item>\r\n";
}

const std::string Closing = "</channel>\r\n</rss>\r\n";
const std::string Page = "<html><head></head><body><ul><li>One:first</li><li>.:second</li></ul></body></html>";

class Veltrane : public ::testing::Test {
protected:
    TempDir dir;    // the profiles' folder
    TempDir pages;  // where local pages and outputs live

    CliResult run(std::vector<std::string> args, long fileSizeLimit = 0) {
        args.insert(args.begin(), {"--dir", dir.str()});
        return runProgram(VELTRANE_EXE, args, fileSizeLimit);
    }
    // A local profile over page.html; with the default markers it cuts Page
    // into two items.
    std::string localProfile(const std::string& itemStart = "<li>", const std::string& endItem = "</li>") {
        pages.write("page.html", Page);
        dir.write("000001.rss", "My Veltrane\r\nDaily\r\nLocal\r\n" + (pages / "page.html").string() +
                                    "\r\n<ul><li>\r\n" + itemStart + "\r\n</ul>\r\nDaily\r\n\r\nhttp://example.com/\r\n:\r\n" +
                                    endItem + "\r\n0\r\n");
        return "000001.rss";
    }
};

}  // namespace

TEST_F(Veltrane, HelpIsOfferedEverywhereAndUsageErrorsExitWith64) {
    CliResult help = runProgram(VELTRANE_EXE, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: veltrane [--dir DIR] COMMAND"), std::string::npos);
    for (const char* cmd : {"list", "new", "show", "set", "delete", "generate"}) {
        CliResult r = run({cmd, "--help"});
        EXPECT_EQ(r.status, 0) << cmd;
        EXPECT_NE(r.out.find(std::string("Usage: veltrane ") + cmd), std::string::npos) << cmd;
    }
    const std::vector<std::vector<std::string>> bad = {
        {}, {"frobnicate"}, {"show"}, {"show", "a.rss", "b.rss"}, {"generate", "000001.rss", "--bogus"},
        {"generate", "000001.rss", "--output"}, {"list", "--dir"}, {"show", "../000001.rss"}, {"delete", "src.dat"},
    };
    for (const auto& args : bad) {
        CliResult r = run(args);
        EXPECT_EQ(r.status, 64) << (args.empty() ? "(nothing)" : args[0]);
        EXPECT_NE(r.err.find("veltrane"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(Veltrane, NewListShowAndDeleteWorkOnTheFolderGiven) {
    CliResult blank = run({"new", "   "});
    EXPECT_EQ(blank.status, 64);
    EXPECT_EQ(blank.err, "Please supply a valid profile name\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    EXPECT_EQ(run({"new", "  Spaced"}).out, "000001.rss\n");
    EXPECT_EQ(run({"new", "Sport (daily)"}).out, "000002.rss\n");
    dir.write("000010.rss", "My Veltrane\r\nLater\r\n");
    dir.write("000000.rss", "My Veltrane\r\n");  // one line: not listed
    CliResult list = run({"list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "  Spaced (000001.rss)\nSport (daily) (000002.rss)\nLater (000010.rss)\n");

    CliResult show = run({"show", "000001.rss"});
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out,
              "ProfileName:   Spaced\nSourceType: Web\nSource: \nStartString: </head>\nStartItemString: </body>\n"
              "EndString: </body>\nFeedTitle: \nFeedDesc: \nFeedLink: \nTitleEndString: \nEndItemString: \n"
              "StripHTMLTags: 0\nFeedFormat: \nLinkString: \n");

    EXPECT_EQ(run({"delete", "000002.rss"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "000002.rss"));
    CliResult again = run({"delete", "000002.rss"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, (dir / "000002.rss").string() + ": No such file or directory\n");
}

TEST_F(Veltrane, SetChangesOneFieldAndRefusesLineBreaksAndUnknownFields) {
    ASSERT_EQ(run({"new", "News"}).status, 0);
    CliResult r = run({"set", "000001.rss", "FeedDesc", "--a & <b>"});
    EXPECT_EQ(r.status, 64) << "an option-like value needs --";
    r = run({"set", "000001.rss", "FeedDesc", "--", "--a & <b>"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string saved = dir.read("000001.rss");
    EXPECT_EQ(saved,
              "My Veltrane\r\nNews\r\nWeb\r\n\r\n</head>\r\n</body>\r\n</body>\r\n\r\n--a & <b>\r\n\r\n\r\n\r\n0\r\n");

    for (const auto& [field, value] : std::vector<std::pair<std::string, std::string>>{
             {"FeedDesc", "two\nlines"}, {"FeedDesc", "cr\ronly"}, {"feeddesc", "x"}, {"Signature", "x"}}) {
        CliResult bad = run({"set", "000001.rss", field, value});
        EXPECT_EQ(bad.status, 64) << field;
        EXPECT_FALSE(bad.err.empty());
        EXPECT_EQ(dir.read("000001.rss"), saved) << field;
    }
}

TEST_F(Veltrane, UnreadableProfilesSayBadFileFormatWithStatus2) {
    dir.write("000001.rss", "my veltrane\r\nx\r\n");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"show", "000001.rss"}, {"set", "000001.rss", "FeedTitle", "x"}, {"generate", "000001.rss"},
             {"generate", "000404.rss"}}) {
        CliResult r = run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.err, "Bad file format\n") << args[0];
    }
    EXPECT_EQ(dir.read("000001.rss"), "my veltrane\r\nx\r\n");
}

TEST_F(Veltrane, AFailedSaveReportsTheReasonAndLeavesTheOldProfileIntact) {
    ASSERT_EQ(run({"new", "News"}).status, 0);
    const std::string before = dir.read("000001.rss");
    CliResult r = run({"set", "000001.rss", "FeedDesc", std::string(300, 'x')}, 100);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, (dir / "000001.rss").string() + ": File too large\n");
    EXPECT_EQ(dir.read("000001.rss"), before);
    EXPECT_EQ(run({"list"}).out, "News (000001.rss)\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(Veltrane, GenerateWritesTestXmlAndCopiesItToTheOutput) {
    const std::string file = localProfile();
    const std::string out = (pages / "feed.xml").string();
    CliResult r = run({"generate", file, "--output", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string expected = Header + item("One", ":first") + item(".", ":second") + Closing;
    EXPECT_EQ(dir.read("test.xml"), expected);
    EXPECT_EQ(pages.read("feed.xml"), expected);
    EXPECT_EQ(dir.read("src.dat"), Page);

    r = run({"generate", "--use-feed-title", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("test.xml"), Header + item("One", ":first") + item("Daily", ":second") + Closing);
}

TEST_F(Veltrane, GenerateStopsWithTheExactMessageAndStatus1AndWritesNoOutput) {
    struct Case {
        std::string itemStart, endItem, page, message;
    };
    const std::vector<Case> cases = {
        {"<li>", "</b>", Page, "Source webpage does not contains the Item End String:</b> in Feed Item 1"},
        {"</li>", "<li>", "<ul><li>a<li>b:c</li></ul>",
         "The Item End String does not occur after the Title End String in Feed Item 1\r\nUnable to generate RSS Feed"},
        {"<li>", "</li>", "", "Source file not found, Please specify a valid file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const std::string file = localProfile(c.itemStart, c.endItem);
        if (c.page.empty())
            std::filesystem::remove(pages / "page.html");
        else
            pages.write("page.html", c.page);
        CliResult r = run({"generate", file, "--output", (pages / "never.xml").string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.message + "\n");
        EXPECT_FALSE(std::filesystem::exists(pages / "never.xml"));
    }
}

TEST_F(Veltrane, AWebProfileDownloadsItsSourceOrTheGivenAddress) {
    LoopbackServer& server = LoopbackServer::instance();
    ASSERT_FALSE(server.base().empty());
    server.root().write("page.html", Page);
    std::string file = localProfile();
    ASSERT_EQ(run({"set", file, "SourceType", "Web"}).status, 0);
    ASSERT_EQ(run({"set", file, "Source", server.base() + "page.html"}).status, 0);
    CliResult r = run({"generate", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("src.dat"), Page);

    r = run({"generate", file, "--address", server.base() + "missing.html"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Unable to download webpage, Please try again.\n");

    pages.write("other.html", "<ul><li>Two:x</li></ul>..");
    r = run({"generate", file, "--address", "file://" + (pages / "other.html").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("test.xml"), Header + item("Two", ":x") + Closing);
}

TEST(VeltraneProgramFolder, WithoutDirTheProgramsOwnFolderHoldsTheProfiles) {
    TempDir home, elsewhere;
    std::filesystem::copy_file(VELTRANE_EXE, home / "veltrane");
    ::chmod((home / "veltrane").c_str(), 0755);
    CliResult r = runProgram((home / "veltrane").string(), {"new", "Here"}, 0, elsewhere.str());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(home / "000001.rss"));
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
    EXPECT_EQ(runProgram((home / "veltrane").string(), {"list"}, 0, elsewhere.str()).out, "Here (000001.rss)\n");
    CliResult missing = runProgram((home / "veltrane").string(), {"list", "--dir", (home / "nope").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Folder not found: " + (home / "nope").string() + "\n");
}
