#include "mainwindow/mdlCommonDialog.h"

#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using namespace mdlCommonDialog;

namespace {
const std::string AnyFilter = "A\0*\0\0"s;

class ThrowingDialogs : public ScriptedDialogs {
public:
    std::string chooseOpenFile(const FileChooserRequest&) override { throw std::runtime_error("no display"); }
};
}  // namespace

TEST(ParseFilter, ReadsNamePatternPairsUpToTheDoubleNul) {
    const struct {
        std::string text;
        std::vector<std::pair<std::string, std::string>> pairs;
    } cases[] = {
        {"HTML Files (*.htm)\0*.htm\0\0"s, {{"HTML Files (*.htm)", "*.htm"}}},
        {"Pages\0*.htm;*.html\0All\0*\0\0Ignored\0*.x\0\0"s, {{"Pages", "*.htm;*.html"}, {"All", "*"}}},
        {"XML Files *.xml\0*.xml"s, {{"XML Files *.xml", "*.xml"}}},  // closing NULs missing
        {"Lonely name\0\0"s, {}},
        {"Lonely name", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::pair<std::string, std::string>> got;
        for (const auto& f : ParseFilter(c.text)) got.emplace_back(f.name, f.pattern);
        EXPECT_EQ(got, c.pairs);
    }
}

// The choosers' titles and filters are checked where the window asks.
TEST(ShowOpenDialog, AnswersUpToTheFirstNulAndAFailingChooserIsACancel) {
    ScriptedDialogs dialogs;
    dialogs.files = {"/tmp/a.htm\0junk"s, "/tmp/feed.xml\0\0\0\0"s};
    EXPECT_EQ(ShowOpenDialog(dialogs, nullptr, AnyFilter, "Open", 0), "/tmp/a.htm");
    EXPECT_EQ(ShowSaveDialog(dialogs, nullptr, AnyFilter, "Save", 0), "/tmp/feed.xml");
    ThrowingDialogs failing;
    EXPECT_EQ(ShowOpenDialog(failing, nullptr, AnyFilter, "t", 0), "");
}
