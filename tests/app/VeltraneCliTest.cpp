// The veltrane command line as a program: its arguments, what it prints and
// its exit statuses. What the engine does with files is tested at the
// engine (tests/feed).
#include "tests/app/CliFixture.h"

#include <sys/stat.h>

namespace {

const std::string Page = "<html><head></head><body><ul><li>One:first</li><li>.:second</li></ul></body></html>";

class Veltrane : public CliTest {
protected:
    // Items "One" and "." in the page of profile 000001.rss.
    std::string localProfile() {
        profile("000001.rss", "Daily", Page);
        return "000001.rss";
    }
    std::string itemTitles() const {
        std::string titles, doc = dir.read("test.xml");
        for (std::size_t at = 0; (at = doc.find("<title>\r\n", at)) != std::string::npos; at += 9)
            titles += doc.substr(at + 9, doc.find('\r', at + 9) - at - 9) + ";";
        return titles;
    }
};

}  // namespace

TEST_F(Veltrane, HelpExitsWith0AndEveryUsageErrorWith64) {
    for (const char* cmd : {"list", "new", "show", "set", "delete", "generate"}) {
        const ProgramRun r = run({cmd, "--help"});
        EXPECT_EQ(r.status, 0) << cmd;
        EXPECT_NE(r.out.find(std::string("Usage: veltrane ") + cmd), std::string::npos) << cmd;
    }
    const std::vector<std::vector<std::string>> bad = {
        {}, {"frobnicate"}, {"show"}, {"show", "a.rss", "b.rss"}, {"generate", "000001.rss", "--bogus"},
        {"generate", "000001.rss", "--output"}, {"list", "--dir"}, {"show", "../000001.rss"}, {"delete", "src.dat"},
        {"new", "   "}, {"set", "000001.rss", "feeddesc", "x"}, {"set", "000001.rss", "FeedDesc", "two\nlines"},
        {"set", "000001.rss", "FeedDesc", "cr\ronly"}, {"set", "000001.rss", "FeedDesc", "--a"},
    };
    dir.write("000001.rss", "untouched");
    for (const auto& args : bad) {
        const ProgramRun r = run(args);
        EXPECT_EQ(r.status, 64) << (args.empty() ? "(nothing)" : args.back());
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(dir.read("000001.rss"), "untouched");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(Veltrane, ProfileCommandsPrintWhatTheyDidAndReportFailures) {
    EXPECT_EQ(run({"new", "  Spaced"}).out, "000001.rss\n");
    EXPECT_EQ(run({"set", "000001.rss", "FeedDesc", "--", "--a & <b>"}).status, 0);
    const ProgramRun show = run({"show", "000001.rss"});
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out.rfind("ProfileName:   Spaced\nSourceType: Web\n", 0), 0u) << show.out;
    EXPECT_NE(show.out.find("\nFeedDesc: --a & <b>\n"), std::string::npos) << show.out;
    EXPECT_TRUE(show.out.ends_with("\nStripHTMLTags: 0\nFeedFormat: \nLinkString: \n")) << show.out;
    EXPECT_EQ(run({"list"}).out, "  Spaced (000001.rss)\n");
    const ProgramRun full = run({"set", "000001.rss", "FeedDesc", std::string(300, 'x')}, 100);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, (dir / "000001.rss").string() + ": File too large\n");

    EXPECT_EQ(run({"delete", "000001.rss"}).status, 0);
    const ProgramRun again = run({"delete", "000001.rss"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, (dir / "000001.rss").string() + ": No such file or directory\n");

    dir.write("000002.rss", "my veltrane\r\nx\r\n");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"show", "000002.rss"}, {"set", "000002.rss", "FeedTitle", "x"}, {"generate", "000002.rss"}}) {
        const ProgramRun r = run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.err, "Bad file format\n") << args[0];
    }
}

TEST_F(Veltrane, GenerateAnswersTheQuestionByItsFlagAndCopiesTheFeedToTheOutput) {
    const std::string file = localProfile();
    ProgramRun r = run({"generate", file, "--output", (pages / "feed.xml").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(itemTitles(), "One;.;");
    EXPECT_EQ(pages.read("feed.xml"), dir.read("test.xml"));

    r = run({"generate", "--use-feed-title", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(itemTitles(), "One;Daily;");

    // A stop: its message, status 1 and no output.
    pages.write("000001.rss.html", "<ul><li>a<li>b:c</li></ul>");
    r = run({"generate", file, "--output", (pages / "never.xml").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Source webpage does not contains the Title End String:: in Feed Item 1\n");
    EXPECT_FALSE(std::filesystem::exists(pages / "never.xml"));
}

TEST_F(Veltrane, AWebProfileDownloadsItsSource) {
    const std::string file = localProfile();
    ASSERT_EQ(run({"set", file, "SourceType", "Web"}).status, 0);
    ASSERT_EQ(run({"set", file, "Source", "file://" + (pages / "000001.rss.html").string()}).status, 0);
    const ProgramRun r = run({"generate", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(itemTitles(), "One;.;");
}

TEST(VeltraneProgramFolder, WithoutDirTheProgramsOwnFolderHoldsTheProfiles) {
    TempDir home, elsewhere;
    std::filesystem::copy_file(VELTRANE_EXE, home / "veltrane");
    ::chmod((home / "veltrane").c_str(), 0755);
    const ProgramRun r = RunProgram((home / "veltrane").string(), {"new", "Here"}, {.workDir = elsewhere.str()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(home / "000001.rss"));
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
    const ProgramRun missing = RunProgram((home / "veltrane").string(), {"list", "--dir", (home / "nope").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Folder not found: " + (home / "nope").string() + "\n");
}
