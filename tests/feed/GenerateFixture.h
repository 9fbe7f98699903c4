#pragma once
// GenerateFeed into a temporary program's folder over a page written into a
// second one, the "Use Feed Title" question answered as the test says.
#include "feed/FeedBuilder.h"
#include "tests/support/FullDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

class GenerateFixture : public ::testing::Test {
protected:
    TempDir folder;  // the program's folder
    TempDir pages;
    FeedProfile profile;  // its Source is set by the test, usually to pages/page.html
    ScriptedDialogs dialogs;

    // fullDiskAt > 0: every file of the run stops growing at that size.
    bool run(const std::string& page, bool useFeedTitle = false, rlim_t fullDiskAt = 0) {
        dialogs = ScriptedDialogs{};
        pages.write("page.html", page);
        dialogs.answers.push_back(useFeedTitle);
        std::optional<FullDisk> full;
        if (fullDiskAt > 0) full.emplace(fullDiskAt);
        return GenerateFeed(folder.path(), profile, "", dialogs);
    }
    std::string document() const { return folder.read("test.xml"); }
};
