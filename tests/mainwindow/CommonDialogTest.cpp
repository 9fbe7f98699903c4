#include "mdlCommonDialog.h"

#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using namespace mdlCommonDialog;

TEST(TrimAtNull, KeepsWhatComesBeforeTheFirstNul) {
    EXPECT_EQ(TrimAtNull("/tmp/a.htm\0\0\0junk"s), "/tmp/a.htm");
    EXPECT_EQ(TrimAtNull("\0abc"s), "");
    EXPECT_EQ(TrimAtNull("no nul at all"), "no nul at all");
    EXPECT_EQ(TrimAtNull(""), "");
}

TEST(ParseFilter, ReadsNamePatternPairsUpToTheDoubleNul) {
    const auto one = ParseFilter("HTML Files (*.htm)\0*.htm\0\0"s);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].name, "HTML Files (*.htm)");
    EXPECT_EQ(one[0].pattern, "*.htm");

    const auto two = ParseFilter("Pages\0*.htm;*.html\0All\0*\0\0Ignored\0*.x\0\0"s);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].name, "All");
    EXPECT_EQ(two[0].pattern, "*.htm;*.html");
}

TEST(ParseFilter, ToleratesAMissingClosingNulAndDropsANameWithoutPattern) {
    const auto unclosed = ParseFilter("XML Files *.xml\0*.xml"s);
    ASSERT_EQ(unclosed.size(), 1u);
    EXPECT_EQ(unclosed[0].pattern, "*.xml");
    EXPECT_TRUE(ParseFilter("Lonely name\0\0"s).empty());
    EXPECT_TRUE(ParseFilter("Lonely name").empty());
    EXPECT_TRUE(ParseFilter("").empty());
}

TEST(ShowOpenDialog, HandsTheChooserTitleFiltersAndFlagsAndReturnsThePath) {
    ScriptedDialogs dialogs;
    dialogs.files.push_back("/home/u/page.htm");
    const std::string path = ShowOpenDialog(dialogs, nullptr, "HTML Files (*.htm)\0*.htm\0\0"s, "Select Page",
                                            OFN_EXPLORER);
    EXPECT_EQ(path, "/home/u/page.htm");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    const DialogCall& call = dialogs.calls[0];
    EXPECT_EQ(call.kind, DialogCall::OpenFile);
    EXPECT_EQ(call.request.title, "Select Page");
    ASSERT_EQ(call.request.filters.size(), 1u);
    EXPECT_EQ(call.request.filters[0].name, "HTML Files (*.htm)");
    EXPECT_EQ(call.request.filters[0].pattern, "*.htm");
    EXPECT_EQ(call.request.flags, 0x80000u);
}

TEST(ShowSaveDialog, UsesTheSaveChooserAndTrimsTheAnswerAtItsFirstNul) {
    ScriptedDialogs dialogs;
    dialogs.files.push_back("/tmp/feed.xml\0\0\0\0"s);
    const std::string path = ShowSaveDialog(dialogs, nullptr, "XML Files *.xml\0*.xml\0\0"s,
                                            "Select file to save XML code", OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    EXPECT_EQ(path, "/tmp/feed.xml");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, DialogCall::SaveFile);
    EXPECT_EQ(dialogs.calls[0].request.flags, 0x1800u);
}

TEST(ShowOpenDialog, ACancelledChooserGivesAnEmptyText) {
    ScriptedDialogs dialogs;
    dialogs.files.push_back("");
    EXPECT_EQ(ShowOpenDialog(dialogs, nullptr, "A\0*\0\0"s, "t", 0), "");
    dialogs.files.push_back("");
    EXPECT_EQ(ShowSaveDialog(dialogs, nullptr, "A\0*\0\0"s, "t", 0), "");
}

TEST(ShowOpenDialog, ALongPathComesBackWhole) {
    std::string path = "/" + std::string(253, 'p');
    ASSERT_EQ(path.size(), 254u);
    ScriptedDialogs dialogs;
    dialogs.files.push_back(path);
    EXPECT_EQ(ShowOpenDialog(dialogs, nullptr, "A\0*\0\0"s, "t", 0), path);
    // Longer paths than the classic 254 characters are not cut either.
    const std::string longer = path + "/" + std::string(300, 'q');
    dialogs.files.push_back(longer);
    EXPECT_EQ(ShowSaveDialog(dialogs, nullptr, "A\0*\0\0"s, "t", 0), longer);
}

namespace {
class ThrowingDialogs : public ScriptedDialogs {
public:
    std::string chooseOpenFile(const FileChooserRequest&) override { throw std::runtime_error("no display"); }
};
}  // namespace

TEST(ShowOpenDialog, AChooserThatFailsLooksLikeACancel) {
    ThrowingDialogs dialogs;
    EXPECT_EQ(ShowOpenDialog(dialogs, nullptr, "A\0*\0\0"s, "t", 0), "");
}
