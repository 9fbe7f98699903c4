#include "FsizeLimit.h"
#include "ProfileStore.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::string profileBytes(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

const std::vector<std::string> sampleLines = {
    "My Veltrane", "News", "Local", "/pages/news.html", "<ul>", "<li>", "</ul>",
    "Daily News", "All the news", "http://example.com/", "</a>", "</li>", "1"};

void expectOneMessage(const ScriptedDialogs& d, const std::string& text, MessageIcon icon) {
    ASSERT_EQ(d.calls.size(), 1u);
    EXPECT_EQ(d.calls[0].kind, DialogCall::Message);
    EXPECT_EQ(d.calls[0].text, text);
    EXPECT_EQ(d.calls[0].icon, icon);
    EXPECT_EQ(d.calls[0].title, "My Veltrane");
}

}  // namespace

TEST(ProfileEntry, JoinsNameAndFileAndParsesBack) {
    EXPECT_EQ(MakeProfileEntry("News", "000001.rss"), "News (000001.rss)");
    ProfileEntryParts parts = ParseProfileEntry("  News  (000001.rss)  ");
    EXPECT_EQ(parts.displayName, "News");
    EXPECT_EQ(parts.fileName, "000001.rss");
}

TEST(ProfileEntry, ANameHoldingAnOpeningBracketYieldsTheWrongFileName) {
    ProfileEntryParts parts = ParseProfileEntry(MakeProfileEntry("Sale (50%) today", "000004.rss"));
    EXPECT_EQ(parts.displayName, "Sale");
    EXPECT_EQ(parts.fileName, "50%) toda");
}

TEST(ProfileEntry, AnEntryWithoutBracketYieldsNoFileName) {
    EXPECT_EQ(ParseProfileEntry("News").fileName, "");
}

TEST(CreateProfile, ANewProfileTakesTheFirstFreeNumber) {
    TempDir dir;
    ScriptedDialogs d;
    dir.write("000001.rss", profileBytes(sampleLines));
    dir.write("000003.rss", profileBytes(sampleLines));
    EXPECT_EQ(CreateProfile(dir.path(), "Second", d), "000002.rss");
    EXPECT_EQ(CreateProfile(dir.path(), "Fourth", d), "000004.rss");
    EXPECT_TRUE(d.calls.empty());
}

TEST(CreateProfile, WritesThirteenLinesWithTheNameAsTypedAndTheDefaults) {
    TempDir dir;
    ScriptedDialogs d;
    ASSERT_EQ(CreateProfile(dir.path(), "  Two blanks ", d), "000001.rss");
    EXPECT_EQ(dir.read("000001.rss"),
              "My Veltrane\r\n  Two blanks \r\nWeb\r\n\r\n</head>\r\n</body>\r\n</body>\r\n\r\n\r\n\r\n\r\n\r\n0\r\n");
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, d));
    EXPECT_EQ(s.Profile, NewFeedProfile("  Two blanks "));
    EXPECT_EQ(s.Profile.SourceType, "Web");
    EXPECT_EQ(s.Profile.StripHTMLTags, "0");
    EXPECT_EQ(LoadProfilesInList(dir.path()), std::vector<std::string>{"  Two blanks  (000001.rss)"});
}

TEST(CreateProfile, ANameTakenByAFolderIsSkipped) {
    TempDir dir;
    ScriptedDialogs d;
    std::filesystem::create_directory(dir / "000001.rss");
    EXPECT_EQ(CreateProfile(dir.path(), "x", d), "000002.rss");
}

TEST(CreateProfile, FailsWithAClearMessageAndWritesNothingWhenEveryNumberIsTaken) {
    TempDir dir;
    ScriptedDialogs d;
    for (int n = 1; n <= MaxProfileNumber; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%06d.rss", n);
        std::ofstream(dir / name);
    }
    EXPECT_EQ(CreateProfile(dir.path(), "One too many", d), "");
    expectOneMessage(d,
                     "Unable to create a profile: every profile number from 000001 to 032767 is taken in " +
                         dir.str(),
                     MessageIcon::Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "032768.rss"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), MaxProfileNumber);
}

TEST(CreateProfile, AWriteFailureShowsTheSystemReasonAndLeavesNoFile) {
    TempDir dir;
    ScriptedDialogs d;
    {
        FsizeLimit limit(20);
        EXPECT_EQ(CreateProfile(dir.path(), "Full disk", d), "");
    }
    expectOneMessage(d, (dir / "000001.rss").string() + ": File too large", MessageIcon::Error);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ReadProfile, ReadsTheTwelveFieldsInFileOrder) {
    TempDir dir;
    ScriptedDialogs d;
    dir.write("000007.rss", profileBytes(sampleLines));
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000007.rss", s, d));
    EXPECT_EQ(s.ProfileFile, "000007.rss");
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(FeedProfileField(s.Profile, i), sampleLines[i + 1]) << i;
    EXPECT_TRUE(d.calls.empty());
}

TEST(ReadProfile, ALineEndsAtCrOrCrLfAndALoneLfBelongsToTheValue) {
    TempDir dir;
    ScriptedDialogs d;
    dir.write("000001.rss", "My Veltrane\rName\r\nWeb\rsrc\nstill src\r\r\r\r\r\r\r\r\r1");
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, d));
    EXPECT_EQ(s.Profile.ProfileName, "Name");
    EXPECT_EQ(s.Profile.Source, "src\nstill src");
    EXPECT_EQ(s.Profile.StripHTMLTags, "1");  // a last line without terminator counts
}

TEST(ReadProfile, ExtraLinesAreIgnoredAndLostAtTheNextSave) {
    TempDir dir;
    ScriptedDialogs d;
    std::vector<std::string> lines = sampleLines;
    lines.push_back("line 14");
    dir.write("000001.rss", profileBytes(lines));
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, d));
    s.ProfileLoaded = true;
    ASSERT_TRUE(SaveProfile(dir.path(), s, d));
    EXPECT_EQ(dir.read("000001.rss"), profileBytes(sampleLines));
}

TEST(ReadProfile, BadFilesReportBadFileFormatAndLeaveTheCurrentProfileAlone) {
    TempDir dir;
    dir.write("000001.rss", profileBytes(sampleLines));
    std::vector<std::string> wrongCase = sampleLines;
    wrongCase[0] = "My veltrane";
    dir.write("case.rss", profileBytes(wrongCase));
    std::vector<std::string> twelve(sampleLines.begin(), sampleLines.end() - 1);
    dir.write("short.rss", profileBytes(twelve));
    dir.write("trailing.rss", "My Veltrane \r\n" + profileBytes(twelve));
    dir.write("empty.rss", "");
    std::filesystem::create_directory(dir / "folder.rss");

    ScriptedDialogs ok;
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, ok));
    const ProfileSession before = s;
    for (const char* bad : {"case.rss", "short.rss", "trailing.rss", "empty.rss", "folder.rss", "missing.rss", ""}) {
        ScriptedDialogs d;
        EXPECT_FALSE(ReadProfile(dir.path(), bad, s, d)) << bad;
        expectOneMessage(d, "Bad file format", MessageIcon::Error);
        EXPECT_EQ(s.Profile, before.Profile) << bad;
        EXPECT_EQ(s.ProfileFile, "000001.rss") << bad;
    }
}

TEST(LoadProfilesInList, ListsEveryReadableProfileSortedByFileNameWithoutCheckingTheSignature) {
    TempDir dir;
    std::vector<std::string> wrongCase = sampleLines;
    wrongCase[0] = "MY VELTRANE";
    wrongCase[1] = "Shouting";
    dir.write("000002.rss", profileBytes(wrongCase));
    dir.write("000001.rss", profileBytes(sampleLines));
    dir.write("two-lines.rss", "x\r\nOnly two");
    dir.write("notes.txt", profileBytes(sampleLines));
    EXPECT_EQ(LoadProfilesInList(dir.path()),
              (std::vector<std::string>{"News (000001.rss)", "Shouting (000002.rss)", "Only two (two-lines.rss)"}));
}

TEST(LoadProfilesInList, SkipsShortUnreadableAndFolderEntriesInsteadOfStopping) {
    TempDir dir;
    dir.write("000001.rss", profileBytes(sampleLines));
    dir.write("000002.rss", "My Veltrane\r\n");  // one line only
    dir.write("000003.rss", "");
    std::filesystem::create_directory(dir / "000004.rss");
    ::symlink((dir / "nowhere").c_str(), (dir / "000005.rss").c_str());
    dir.write("000006.rss", profileBytes(sampleLines));
    EXPECT_EQ(LoadProfilesInList(dir.path()),
              (std::vector<std::string>{"News (000001.rss)", "News (000006.rss)"}));
    EXPECT_TRUE(LoadProfilesInList(dir / "no-such-folder").empty());
}

TEST(SaveProfile, WritesOnlyWhileTheProfileIsLoaded) {
    TempDir dir;
    ScriptedDialogs d;
    dir.write("000001.rss", profileBytes(sampleLines));
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, d));
    s.Profile.FeedTitle = "Changed";
    EXPECT_TRUE(SaveProfile(dir.path(), s, d));
    EXPECT_EQ(dir.read("000001.rss"), profileBytes(sampleLines));
    s.ProfileLoaded = true;
    EXPECT_TRUE(SaveProfile(dir.path(), s, d));
    std::vector<std::string> changed = sampleLines;
    changed[7] = "Changed";
    EXPECT_EQ(dir.read("000001.rss"), profileBytes(changed));
    EXPECT_TRUE(d.calls.empty());
}

TEST(SaveProfile, KeepsEveryByteOfTheValues) {
    TempDir dir;
    ScriptedDialogs d;
    ProfileSession s;
    s.ProfileLoaded = true;
    s.ProfileFile = "000001.rss";
    s.Profile = NewFeedProfile("caf\xe9 \x01\xff");
    s.Profile.FeedDesc = "\"quoted\", <b>&amp;";
    ASSERT_TRUE(SaveProfile(dir.path(), s, d));
    ProfileSession back;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", back, d));
    EXPECT_EQ(back.Profile, s.Profile);
}

TEST(SaveProfile, AFailedWriteShowsTheReasonAndLeavesThePreviousFileWhole) {
    TempDir dir;
    ScriptedDialogs d;
    dir.write("000001.rss", profileBytes(sampleLines));
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, d));
    s.ProfileLoaded = true;
    s.Profile.FeedDesc = std::string(200, 'x');
    {
        FsizeLimit limit(64);
        EXPECT_FALSE(SaveProfile(dir.path(), s, d));
    }
    expectOneMessage(d, (dir / "000001.rss").string() + ": File too large", MessageIcon::Error);
    EXPECT_EQ(dir.read("000001.rss"), profileBytes(sampleLines));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
}

TEST(SaveProfile, KeepsTheFilePermissions) {
    TempDir dir;
    ScriptedDialogs d;
    dir.write("000001.rss", profileBytes(sampleLines));
    ::chmod((dir / "000001.rss").c_str(), 0640);
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, d));
    s.ProfileLoaded = true;
    ASSERT_TRUE(SaveProfile(dir.path(), s, d));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "000001.rss").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(DeleteProfile, DeletingTheCurrentProfileClearsItButKeepsProfileLoaded) {
    TempDir dir;
    ScriptedDialogs d;
    dir.write("000001.rss", profileBytes(sampleLines));
    dir.write("000002.rss", profileBytes(sampleLines));
    ProfileSession s;
    ASSERT_TRUE(ReadProfile(dir.path(), "000001.rss", s, d));
    s.ProfileLoaded = true;

    ASSERT_TRUE(DeleteProfile(dir.path(), "News (000002.rss)", s, d));
    EXPECT_EQ(s.ProfileFile, "000001.rss");
    EXPECT_EQ(s.Profile.ProfileName, "News");

    ASSERT_TRUE(DeleteProfile(dir.path(), "News (000001.rss)", s, d));
    EXPECT_EQ(s.ProfileFile, "");
    EXPECT_EQ(s.Profile, FeedProfile{});
    EXPECT_TRUE(s.ProfileLoaded);
    EXPECT_TRUE(LoadProfilesInList(dir.path()).empty());
    EXPECT_TRUE(d.calls.empty());
    // With no current profile, saving writes nothing.
    EXPECT_TRUE(SaveProfile(dir.path(), s, d));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(DeleteProfile, AMissingFileShowsTheSystemReason) {
    TempDir dir;
    ScriptedDialogs d;
    ProfileSession s;
    EXPECT_FALSE(DeleteProfile(dir.path(), "Gone (000009.rss)", s, d));
    expectOneMessage(d, (dir / "000009.rss").string() + ": No such file or directory", MessageIcon::Error);
}
