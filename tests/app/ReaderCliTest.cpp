// veltrane with the reader-ready format, the check, and runs side by side.
#include "feed/FolderLock.h"
#include "tests/app/CliFixture.h"
#include "tests/support/LoopbackServer.h"

#include <thread>

using ReaderCli = CliTest;

TEST_F(ReaderCli, SetRefusesUnknownFormatsAndTheReaderReadyFormatPassesTheCheck) {
    profile("000001.rss", "Daily", "<ul><li>One:first</li><li>Two:second</li></ul>....");
    const ProgramRun bad = run({"set", "000001.rss", "FeedFormat", "1.0"});
    EXPECT_EQ(bad.status, 64);
    EXPECT_NE(bad.err.find("FeedFormat must be empty, \"0.91\" (classic) or \"2.0\""), std::string::npos);

    // Classic: every item carries the feed's link and no guid.
    ProgramRun r = run({"generate", "000001.rss", "--check"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "12:1: error: 2 items share the link http://example.com/ and have no guid: readers will keep "
                     "only one of these 2 items\n2 items, 1 errors, 0 warnings\n");
    const std::string classic = dir.read("test.xml");
    EXPECT_TRUE(classic.ends_with("</rss>\r\n")) << "the feed is written either way";
    const std::string findings = r.err;
    r = RunProgram(VELTRANE_EXE, {"check", (dir / "test.xml").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, findings);

    ASSERT_EQ(run({"set", "000001.rss", "FeedFormat", "2.0"}).status, 0);
    r = run({"generate", "000001.rss", "--check", "--output", (pages / "feed.xml").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "2 items, 0 errors, 0 warnings\n");
    EXPECT_EQ(RunProgram(VELTRANE_EXE, {"check", (pages / "feed.xml").string()}).status, 0);

    r = RunProgram(VELTRANE_EXE, {"check", (pages / "missing.xml").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "veltrane: cannot read " + (pages / "missing.xml").string() + ": No such file or directory\n");
}

TEST_F(ReaderCli, AWebPageResolvesItsLinksAgainstTheAddressItWasFinallyFoundAt) {
    LoopbackServer& server = LoopbackServer::instance();
    ASSERT_FALSE(server.base().empty());
    std::filesystem::create_directories(server.root() / "news");
    server.root().write("news/page.html", "<ul><li><a href=\"story.html\">One</a>:x</li></ul>....");
    profile("000001.rss", "Daily", "", "2.0");
    ASSERT_EQ(run({"set", "000001.rss", "SourceType", "Web"}).status, 0);
    const ProgramRun r = run({"generate", "000001.rss", "--address", server.base() + "redirect/news/page.html"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(dir.read("test.xml").find("<link>" + server.base() + "news/story.html</link>"), std::string::npos)
        << dir.read("test.xml");
}

TEST_F(ReaderCli, ARunWaitsForTheFolderAndGivesUpWithAClearMessage) {
    profile("000001.rss", "Daily", "<ul><li>One:first</li></ul>....");
    dir.write("test.xml", "previous");
    {
        auto held = FolderLock::Acquire(dir.path(), std::chrono::seconds(0));
        ASSERT_TRUE(held);
        const ProgramRun r = run({"generate", "000001.rss", "--wait", "1"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Another feed generation in " + dir.str() +
                             " did not finish within 1 second, Please try again.\n");
        EXPECT_EQ(dir.read("test.xml"), "previous");
        EXPECT_EQ(run({"generate", "000001.rss", "--wait", "soon"}).status, 64);
    }
    EXPECT_EQ(run({"generate", "000001.rss", "--wait", "0"}).status, 0);
}

TEST_F(ReaderCli, ParallelRunsInOneFolderEachWriteTheirOwnProfilesItems) {
    // Pages large enough that runs overlap: a few hundred kilobytes each.
    auto page = [](const std::string& word) {
        std::string p = "<ul><li>";
        for (int i = 0; i < 3000; ++i) p += (i ? "<li>" : "") + word + std::to_string(i) + ":" + std::string(80, 'x') + "</li>";
        return p + "</ul>";
    };
    profile("000001.rss", "Alpha", page("alpha"));
    profile("000002.rss", "Beta", page("beta"), "2.0");
    const int runs = 24;
    std::vector<ProgramRun> results(runs);
    std::vector<std::thread> threads;
    for (int i = 0; i < runs; ++i)
        threads.emplace_back([&, i] {
            results[i] = run({"generate", i % 2 ? "000002.rss" : "000001.rss", "--output",
                              (pages / ("out" + std::to_string(i) + ".xml")).string()});
        });
    for (auto& t : threads) t.join();
    for (int i = 0; i < runs; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(results[i].status, 0) << results[i].err;
        const std::string doc = pages.read("out" + std::to_string(i) + ".xml");
        const std::string own = i % 2 ? "beta" : "alpha", other = i % 2 ? "alpha" : "beta";
        std::size_t items = 0;
        for (std::size_t at = 0; (at = doc.find("<item>", at)) != std::string::npos; ++at) ++items;
        EXPECT_EQ(items, 3000u);
        EXPECT_NE(doc.find(own + "2999"), std::string::npos);
        EXPECT_EQ(doc.find(other), std::string::npos);
    }
}
