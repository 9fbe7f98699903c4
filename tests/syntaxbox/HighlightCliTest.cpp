// The highlight command run as a program, as outside checks run it.
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

ProgramRun veltrane(std::vector<std::string> args) {
    args.insert(args.begin(), "highlight");
    return RunProgram(VELTRANE_EXE, args);
}

// The text a browser shows in the page's <pre>, decoded back to bytes
// (characters 0x80..0xFF as Latin-1, the euro sign as byte 0x80).
std::string shownText(const std::string& page) {
    const size_t open = page.find("<pre>");
    const size_t close = page.find("</pre>");
    std::string body = std::regex_replace(page.substr(open + 5, close - open - 5), std::regex("<[^>]*>"), "");
    std::string out;
    for (size_t k = 0; k < body.size(); ++k) {
        if (body[k] != '&') {
            out += body[k];
            continue;
        }
        const size_t semi = body.find(';', k);
        const std::string ent = body.substr(k + 1, semi - k - 1);
        if (ent == "amp") out += '&';
        else if (ent == "lt") out += '<';
        else if (ent == "gt") out += '>';
        else if (ent == "quot") out += '"';
        else if (ent == "#8364") out += '\x80';
        else if (ent[0] == '#') out += static_cast<char>(std::stoi(ent.substr(1)));
        k = semi;
    }
    return out;
}

}  // namespace

TEST(HighlightCommand, PrintsOneLineARunInBytePositions) {
    TempDir dir;
    dir.write("a.htm", "<a href=\"x y\" id=z>t&amp;u</a>\r\n<!-- c -->");
    const ProgramRun r = veltrane({(dir / "a.htm").string(), "--spans"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "2-2 Tag\n4-7 AttributeName\n10-12 AttributeValue\n15-16 AttributeName\n18-18 AttributeValue\n"
              "21-25 Entity\n28-29 Tag\n37-39 Comment\n");
}

TEST(HighlightCommand, AdjacentRangesOfOneLookMakeOneRun) {
    TempDir dir;
    dir.write("e.txt", "&a;&b; &c;");
    EXPECT_EQ(veltrane({"--spans", (dir / "e.txt").string()}).out, "1-6 Entity\n8-10 Entity\n");
    dir.write("empty.txt", "");
    const ProgramRun r = veltrane({"--spans", (dir / "empty.txt").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

TEST(HighlightCommand, TheHtmlPageShowsTheFileEscapedAndColoured) {
    TempDir dir;
    const std::string text = "<p class=\"a&b\">caf\xe9 \x80 <b>&lt;</b></p>\n<script>if(a<b){}</script>";
    dir.write("p.htm", text);
    const ProgramRun r = veltrane({(dir / "p.htm").string(), "--html"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(r.out.find("<span class=\"t\">p</span>"), std::string::npos);
    EXPECT_NE(r.out.find("<span class=\"e\">&amp;lt;</span>"), std::string::npos);
    EXPECT_NE(r.out.find("span.t { color: #0000ff; font-weight: bold;"), std::string::npos);
    EXPECT_EQ(shownText(r.out), text);
}

TEST(HighlightCommand, RefusesBadArgumentsAndNamesAnUnreadableFile) {
    TempDir dir;
    dir.write("a.htm", "<a>");
    EXPECT_EQ(veltrane({(dir / "a.htm").string()}).status, 64);
    EXPECT_EQ(veltrane({"--spans"}).status, 64);
    EXPECT_EQ(veltrane({"--spans", "--bogus", (dir / "a.htm").string()}).status, 64);
    const ProgramRun r = veltrane({"--spans", (dir / "none.htm").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("none.htm"), std::string::npos) << r.err;
}

TEST(HighlightCommand, RealPagesGiveOrderedRunsInsideTheFile) {
    const char* corpus = std::getenv("MV_CORPUS");
    if (!corpus || !std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus";
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file() || ++pages > 6) continue;
        const auto size = static_cast<long long>(std::filesystem::file_size(entry.path()));
        const ProgramRun r = veltrane({"--spans", entry.path().string()});
        ASSERT_EQ(r.status, 0) << entry.path();
        long long last = 0;
        int lines = 0;
        std::regex line(R"((\d+)-(\d+) (Tag|AttributeName|AttributeValue|Comment|Entity))");
        size_t at = 0;
        while (at < r.out.size()) {
            const size_t nl = r.out.find('\n', at);
            const std::string l = r.out.substr(at, nl - at);
            std::smatch m;
            ASSERT_TRUE(std::regex_match(l, m, line)) << l;
            const long long a = std::stoll(m[1]), b = std::stoll(m[2]);
            EXPECT_GT(a, last) << entry.path() << " " << l;
            EXPECT_LE(a, b);
            EXPECT_LE(b, size);
            last = b;
            ++lines;
            at = nl + 1;
        }
        EXPECT_GT(lines, 0) << entry.path();
    }
}
