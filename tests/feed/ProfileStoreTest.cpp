#include "feed/ProfileStore.h"
#include "tests/support/FullDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::string profileBytes(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// Every field different, so a swapped field shows.
const std::vector<std::string> sampleLines = {
    "My Veltrane", "News", "Local", "/pages/news.html", "<ul>", "<li>", "</ul>",
    "Daily News", "All the news", "http://example.com/", "</a>", "</li>", "1"};
const std::string sample = profileBytes(sampleLines);

class Profiles : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedDialogs d;

    // Reads a profile into a session that saves its edits.
    ProfileSession load(const std::string& file) {
        ProfileSession s;
        EXPECT_TRUE(ReadProfile(dir.path(), file, s, d)) << file;
        s.ProfileLoaded = true;
        return s;
    }
    // Files other than the folder's lock files, which edits leave behind.
    long filesInDir() const {
        long n = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) n += e.path().extension() != ".lock";
        return n;
    }
    // The one call so far is this error message; the calls are then cleared.
    void expectOnlyMessage(const std::string& text) {
        ASSERT_EQ(d.calls.size(), 1u);
        EXPECT_EQ(d.calls[0].kind, DialogCall::Message);
        EXPECT_EQ(d.calls[0].text, text);
        EXPECT_EQ(d.calls[0].icon, MessageIcon::Error);
        EXPECT_EQ(d.calls[0].title, "My Veltrane");
        d.calls.clear();
    }
};

}  // namespace

TEST(ProfileEntry, ParsesBackTheEntryItMakesExceptWhenTheNameHoldsABracket) {
    EXPECT_EQ(MakeProfileEntry("News", "000001.rss"), "News (000001.rss)");
    const std::vector<std::array<std::string, 3>> cases = {
        {"  News  (000001.rss)  ", "News", "000001.rss"},
        {"Sale (50%) today (000004.rss)", "Sale", "50%) toda"},  // the entry format cannot tell
        {"News", "News", ""},
    };
    for (const auto& [entry, name, file] : cases) {
        EXPECT_EQ(ParseProfileEntry(entry).displayName, name) << entry;
        EXPECT_EQ(ParseProfileEntry(entry).fileName, file) << entry;
    }
}

TEST_F(Profiles, ANewProfileTakesTheFirstFreeNumberWithTheNameAsTypedAndTheDefaults) {
    dir.write("000001.rss", sample);
    std::filesystem::create_directory(dir / "000002.rss");
    ASSERT_EQ(CreateProfile(dir.path(), "  Two blanks ", d), "000003.rss");
    EXPECT_EQ(dir.read("000003.rss"),
              "My Veltrane\r\n  Two blanks \r\nWeb\r\n\r\n</head>\r\n</body>\r\n</body>\r\n\r\n\r\n\r\n\r\n\r\n0\r\n");
    EXPECT_EQ(CreateProfile(dir.path(), "Fourth", d), "000004.rss");
    EXPECT_TRUE(d.calls.empty());
}

TEST_F(Profiles, TheLastNumberIsUsedAndThenCreatingFailsWithAClearMessageWritingNothing) {
    for (int n = 1; n < MaxProfileNumber; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%06d.rss", n);
        std::ofstream(dir / name);
    }
    EXPECT_EQ(CreateProfile(dir.path(), "Last", d), "032767.rss");
    EXPECT_EQ(CreateProfile(dir.path(), "One too many", d), "");
    expectOnlyMessage("Unable to create a profile: every profile number from 000001 to 032767 is taken in " + dir.str());
    EXPECT_EQ(filesInDir(), MaxProfileNumber);
}

TEST_F(Profiles, ReadingTakesTheFieldsLineByLineAndSavingWritesThemOnlyWhileLoaded) {
    const std::string extra = "2.0\r\nclass=\"headline\"\r\nline 16\r\n";
    dir.write("000007.rss", sample + extra);
    ::chmod((dir / "000007.rss").c_str(), 0640);
    ProfileSession s = load("000007.rss");
    EXPECT_EQ(s.ProfileFile, "000007.rss");
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(FeedProfileField(s.Profile, i), sampleLines[i + 1]) << i;
    EXPECT_EQ(s.Profile.FeedFormat, "2.0");
    EXPECT_EQ(s.Profile.LinkString, "class=\"headline\"");
    s.Profile.FeedDesc = "caf\xe9 \x01\xff \"quoted\", <b>&amp;";
    s.ProfileLoaded = false;
    ASSERT_TRUE(SaveProfile(dir.path(), s, d));
    EXPECT_EQ(dir.read("000007.rss"), sample + extra);
    s.ProfileLoaded = true;
    ASSERT_TRUE(SaveProfile(dir.path(), s, d));
    std::vector<std::string> saved = sampleLines;
    saved[8] = s.Profile.FeedDesc;
    // Fifteen lines at most; without a format or link marker the file keeps
    // its thirteen lines, as older readers expect.
    EXPECT_EQ(dir.read("000007.rss"), profileBytes(saved) + "2.0\r\nclass=\"headline\"\r\n");
    s.Profile.FeedFormat.clear();
    ASSERT_TRUE(SaveProfile(dir.path(), s, d));
    EXPECT_EQ(dir.read("000007.rss"), profileBytes(saved) + "\r\nclass=\"headline\"\r\n");
    s.Profile.LinkString.clear();
    ASSERT_TRUE(SaveProfile(dir.path(), s, d));
    EXPECT_EQ(dir.read("000007.rss"), profileBytes(saved));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "000007.rss").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A line ends at CR or CR LF, a lone LF belongs to the value, and a last
    // line without terminator counts.
    dir.write("000001.rss", "My Veltrane\rName\r\nWeb\rsrc\nstill src\r\r\r\r\r\r\r\r\r1");
    s = load("000001.rss");
    EXPECT_EQ(s.Profile.ProfileName, "Name");
    EXPECT_EQ(s.Profile.Source, "src\nstill src");
    EXPECT_EQ(s.Profile.StripHTMLTags, "1");
    EXPECT_TRUE(d.calls.empty());
}

TEST_F(Profiles, BadFilesReportBadFileFormatAndLeaveTheCurrentProfileAlone) {
    dir.write("000001.rss", sample);
    const std::string twelve = profileBytes({sampleLines.begin(), sampleLines.end() - 1});
    dir.write("case.rss", "My veltrane\r\n" + sample.substr(13));
    dir.write("short.rss", twelve);
    dir.write("trailing.rss", "My Veltrane \r\n" + twelve);
    dir.write("empty.rss", "");
    std::filesystem::create_directory(dir / "folder.rss");
    ProfileSession s = load("000001.rss");
    const ProfileSession before = s;
    for (const char* bad : {"case.rss", "short.rss", "trailing.rss", "empty.rss", "folder.rss", "missing.rss", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ReadProfile(dir.path(), bad, s, d));
        expectOnlyMessage("Bad file format");
        EXPECT_EQ(s.Profile, before.Profile);
        EXPECT_EQ(s.ProfileFile, "000001.rss");
    }
}

TEST_F(Profiles, TheListIsSortedByFileNameUncheckedForSignatureAndSkipsWhatCannotBeRead) {
    dir.write("000002.rss", "MY VELTRANE\r\nShouting\r\n");
    dir.write("000001.rss", sample);
    dir.write("000003.rss", "My Veltrane\r\n");  // one line only
    dir.write("000004.rss", "");
    std::filesystem::create_directory(dir / "000005.rss");
    ::symlink((dir / "nowhere").c_str(), (dir / "000006.rss").c_str());
    dir.write("two-lines.rss", "x\r\nOnly two");
    dir.write("notes.txt", sample);
    EXPECT_EQ(LoadProfilesInList(dir.path()),
              (std::vector<std::string>{"News (000001.rss)", "Shouting (000002.rss)", "Only two (two-lines.rss)"}));
    EXPECT_TRUE(LoadProfilesInList(dir / "no-such-folder").empty());
}

// Replacing a file on a full disk is tested with src.dat in FeedBuilderTest.cpp.
TEST_F(Profiles, OnAFullDiskCreatingShowsTheSystemReasonAndLeavesNoFile) {
    {
        FullDisk full(20);
        EXPECT_EQ(CreateProfile(dir.path(), "Full disk", d), "");
    }
    expectOnlyMessage((dir / "000001.rss").string() + ": File too large");
    EXPECT_EQ(filesInDir(), 0);
}

TEST_F(Profiles, DeletingTheCurrentProfileClearsItButKeepsProfileLoaded) {
    dir.write("000001.rss", sample);
    dir.write("000002.rss", sample);
    ProfileSession s = load("000001.rss");
    ASSERT_TRUE(DeleteProfile(dir.path(), "News (000002.rss)", s, d));
    EXPECT_EQ(s.ProfileFile, "000001.rss");
    EXPECT_EQ(s.Profile.ProfileName, "News");

    ASSERT_TRUE(DeleteProfile(dir.path(), "News (000001.rss)", s, d));
    EXPECT_EQ(s.ProfileFile, "");
    EXPECT_EQ(s.Profile, FeedProfile{});
    EXPECT_TRUE(s.ProfileLoaded);
    EXPECT_TRUE(SaveProfile(dir.path(), s, d));  // with no current profile, writes nothing
    EXPECT_EQ(filesInDir(), 0);
    EXPECT_TRUE(d.calls.empty());

    EXPECT_FALSE(DeleteProfile(dir.path(), "Gone (000009.rss)", s, d));
    expectOnlyMessage((dir / "000009.rss").string() + ": No such file or directory");
}
