// veltrane preview and suggest as programs: what they print, their exit
// statuses, and that preview leaves the folder's files alone. The cuts and
// the proposals themselves are tested in tests/feed.
#include "tests/app/CliFixture.h"

#include <gtest/gtest.h>

namespace {

const std::string Page =
    "<html><body><ul><li>One \"1\"\t:first, a rather long description that goes on beyond sixty "
    "characters</li><li>Two:caf\xc3\xa9</li></ul></body></html>";

// A local classic profile over page.html, items cut by "<li>", ":" and "</li>".
class PreviewCli : public CliTest {
protected:
    std::string localProfile() {
        profile("000001.rss", "Daily", Page);
        return "000001.rss";
    }
};

}  // namespace

TEST_F(PreviewCli, PreviewPrintsTheItemsOrTheStopAndWritesNothing) {
    const std::string file = localProfile();
    dir.write("src.dat", "old page");
    dir.write("test.xml", "old feed");
    ProgramRun r = run({"preview", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "No.\tTitle\tLink\tDescription\n"
              "1\tOne \"1\" \thttp://example.com/\t:first, a rather long description that goes on beyond sixty \n"
              "2\tTwo\thttp://example.com/\t:caf\xc3\xa9\n");
    r = run({"preview", file, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"items\": [{\"title\": \"One \\\"1\\\"\\t\", \"link\": \"http://example.com/\", \"description\": "
              "\":first, a rather long description that goes on beyond sixty characters\"}, {\"title\": \"Two\", "
              "\"link\": \"http://example.com/\", \"description\": \":caf\xc3\xa9\"}], \"stop\": null}\n");

    pages.write(file + ".html", "<html><body><ul><li>a</li><li>b:c</li></ul></body></html>");
    r = run({"preview", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    // The message, then the explanation made at the engine.
    EXPECT_TRUE(r.err.starts_with("Source webpage does not contains the Title End String:: in Feed Item 1\nItem 1 "))
        << r.err;
    r = run({"preview", file, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "{\"items\": [], \"stop\": {\"message\": \"Source webpage does not contains the Title End String:: "
              "in Feed Item 1\", \"item\": 1}}\n");

    ASSERT_EQ(run({"set", file, "SourceType", "Web"}).status, 0);
    r = run({"preview", file, "--address", "file://" + (pages / "missing.html").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(pages.str() + "/missing.html"), std::string::npos) << r.err;
    EXPECT_EQ(dir.read("src.dat"), "old page");
    EXPECT_EQ(dir.read("test.xml"), "old feed");
}

TEST_F(PreviewCli, SuggestPrintsSetCommandsOrJsonAndFailsOnAnAbsentTitle) {
    pages.write("list.html",
                "<html><body><p>Intro</p><div class=\"it\"><b>Alpha</b> one</div><div class=\"it\"><b>Beta</b> two"
                "</div><div class=\"it\"><b>Gamma</b> three</div><p>end</p></body></html>");
    const std::string page = (pages / "list.html").string();
    ProgramRun r = run({"suggest", page, "Alpha", "Beta"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("\n\n") + 1),
              "# Proposal 1: 3 items\n"
              "veltrane set PROFILE StartString '<div class=\"it\">'\n"
              "veltrane set PROFILE StartItemString '<div class=\"it\">'\n"
              "veltrane set PROFILE EndString '<p>'\n"
              "veltrane set PROFILE TitleEndString '</b>'\n"
              "veltrane set PROFILE EndItemString '</div>'\n");
    r = run({"suggest", "file://" + page, "Alpha", "Beta", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("}")),
              "{\"proposals\": [{\"StartString\": \"<div class=\\\"it\\\">\", \"StartItemString\": \"<div "
              "class=\\\"it\\\">\", \"EndString\": \"<p>\", \"TitleEndString\": \"</b>\", \"EndItemString\": "
              "\"</div>\", \"items\": 3");

    r = run({"suggest", page, "Alpha", "Delta"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Title not found in the page: Delta\n");
    EXPECT_EQ(run({"suggest", page}).status, 64);
}
