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

TEST(TrimAtNull, KeepsWhatComesBeforeTheFirstNul) {
    const std::pair<std::string, std::string> cases[] = {
        {"/tmp/a.htm\0\0\0junk"s, "/tmp/a.htm"}, {"\0abc"s, ""}, {"no nul at all", "no nul at all"}, {"", ""}};
    for (const auto& [in, out] : cases) EXPECT_EQ(TrimAtNull(in), out) << in;
}

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

TEST(ShowOpenDialog, BothChoosersGetTheTitleFiltersAndFlagsAndAnswerUpToTheFirstNul) {
    ScriptedDialogs dialogs;
    dialogs.files = {"/home/u/page.htm", "/tmp/feed.xml\0\0\0\0"s};
    EXPECT_EQ(ShowOpenDialog(dialogs, nullptr, "HTML Files (*.htm)\0*.htm\0\0"s, "Select Page", OFN_EXPLORER),
              "/home/u/page.htm");
    EXPECT_EQ(ShowSaveDialog(dialogs, nullptr, AnyFilter, "Save", OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST),
              "/tmp/feed.xml");
    ASSERT_EQ(dialogs.calls.size(), 2u);
    const FileChooserRequest& open = dialogs.calls[0].request;
    EXPECT_EQ(dialogs.calls[0].kind, DialogCall::OpenFile);
    EXPECT_EQ(open.title, "Select Page");
    ASSERT_EQ(open.filters.size(), 1u);
    EXPECT_EQ(open.filters[0].name, "HTML Files (*.htm)");
    EXPECT_EQ(open.filters[0].pattern, "*.htm");
    EXPECT_EQ(open.flags, 0x80000u);
    EXPECT_EQ(dialogs.calls[1].kind, DialogCall::SaveFile);
    EXPECT_EQ(dialogs.calls[1].request.title, "Save");
    EXPECT_EQ(dialogs.calls[1].request.flags, 0x1800u);
}

TEST(ShowOpenDialog, ACancelOrAFailureGivesAnEmptyTextAndLongPathsComeBackWhole) {
    ScriptedDialogs dialogs;
    const std::string longPath = "/" + std::string(253, 'p') + "/" + std::string(300, 'q');
    dialogs.files = {"", "", longPath, longPath};
    EXPECT_EQ(ShowOpenDialog(dialogs, nullptr, AnyFilter, "t", 0), "");
    EXPECT_EQ(ShowSaveDialog(dialogs, nullptr, AnyFilter, "t", 0), "");
    EXPECT_EQ(ShowOpenDialog(dialogs, nullptr, AnyFilter, "t", 0), longPath);
    EXPECT_EQ(ShowSaveDialog(dialogs, nullptr, AnyFilter, "t", 0), longPath);
    ThrowingDialogs failing;
    EXPECT_EQ(ShowOpenDialog(failing, nullptr, AnyFilter, "t", 0), "");
}
