// The highlight command run as a program, as outside checks run it.
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

static ProgramRun veltrane(const std::vector<std::string>& args) { return RunProgram(VELTRANE_EXE, args); }

// Each data/NAME.html against its reviewed colouring NAME.spans ("START-END
// SLOT" lines in byte positions); data/regenerate.sh rewrites them.
TEST(HighlightCommand, EveryGoldenPageGivesItsReviewedSpans) {
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SYNTAX_DATA)) {
        if (entry.path().extension() != ".html") continue;
        ++pages;
        std::filesystem::path reference = entry.path();
        const ProgramRun r = veltrane({"highlight", entry.path().string(), "--spans"});
        EXPECT_EQ(r.status, 0) << entry.path();
        EXPECT_EQ(r.out, TempDir::readFile(reference.replace_extension(".spans"))) << entry.path();
    }
    EXPECT_GE(pages, 19);
}

TEST(HighlightCommand, TheHtmlPageShowsTheFileEscapedAndColoured) {
    TempDir dir;
    const std::string text = "<p class=\"a&b\">caf\xe9 \x80 <b>&lt;</b></p>\n<script>if(a<b){}</script>";
    dir.write("p.htm", text);
    const ProgramRun r = veltrane({"highlight", (dir / "p.htm").string(), "--html"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(r.out.find("span.t { color: #0000ff; font-weight: bold;"), std::string::npos);
    // Every byte shown, escaped, with the euro sign for byte 0x80.
    EXPECT_NE(r.out.find("<pre>&lt;<span class=\"t\">p</span> <span class=\"an\">class</span>=&quot;"
                         "<span class=\"av\">a&amp;b</span>&quot;&gt;caf&#233; &#8364; &lt;<span class=\"t\">b</span>"
                         "&gt;<span class=\"e\">&amp;lt;</span>&lt;<span class=\"t\">/b</span>&gt;&lt;<span class=\"t\">"
                         "/p</span>&gt;\n&lt;<span class=\"t\">script</span>&gt;if(a&lt;b){}&lt;<span class=\"t\">"
                         "/script</span>&gt;</pre>"),
              std::string::npos)
        << r.out;
}

TEST(HighlightCommand, RefusesBadArgumentsAndNamesAnUnreadableFile) {
    TempDir dir;
    dir.write("a.htm", "<a>");
    const std::string page = (dir / "a.htm").string();
    EXPECT_EQ(veltrane({"highlight", "--spans", page}).out, "2-2 Tag\n");  // options before the file too
    EXPECT_EQ(veltrane({"highlight", page}).status, 64);
    EXPECT_EQ(veltrane({"highlight", "--spans"}).status, 64);
    EXPECT_EQ(veltrane({"highlight", "--spans", "--bogus", page}).status, 64);
    const ProgramRun r = veltrane({"highlight", "--spans", (dir / "none.htm").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("none.htm"), std::string::npos) << r.err;
}
