// The example's folder walk without windows: the order and parents of what
// it lists, sizes as the list shows them, the status line, the limit, and
// folders it cannot or must not read.
#include "examples/folders/FolderScan.h"
#include "tests/examples/folders/Fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using folders::Entry;
using folders::Scan;
using folderstest::FixtureFolder;

std::string Narrow(const std::wstring& w) { return host::ToUtf8(w); }

// Each entry as "parent-name/name" (the top folder as "."), sizes of files after a colon.
std::vector<std::string> Listing(const Scan& s)
{
    std::vector<std::string> out;
    for (const Entry& e : s.entries) {
        std::string line = (e.parent < 0 ? std::string(".") : Narrow(s.entries[e.parent].name)) + "/" + Narrow(e.name);
        if (!e.folder)
            line += ":" + std::to_string(e.bytes);
        out.push_back(line);
    }
    return out;
}

TEST(FolderScan, ListsSubfoldersFirstThenFilesEachFollowingItsFolder)
{
    FixtureFolder fixture;
    const Scan s = folders::ScanFolder(fixture.Text(), 100);
    ASSERT_EQ(s.error, L"");
    EXPECT_FALSE(s.cut);
    const std::vector<std::string> want = {
        "./Docs", "./empty", "./A.txt:1025", "./b.bin:0", "./c.dat:1048576",
        "Docs/read me.txt:3000", "Docs/\xe8\xaf\xb4\xe6\x98\x8e.txt:1024",
    };
    EXPECT_EQ(Listing(s), want);
    for (size_t i = 0; i < s.entries.size(); ++i)
        EXPECT_LT(s.entries[i].parent, static_cast<int>(i)) << "an entry must follow its folder";
    EXPECT_EQ(s.entries[0].folder, true);
    EXPECT_EQ(s.entries[1].folder, true);
}

TEST(FolderScan, NamesSortWithoutRegardToCase)
{
    FixtureFolder fixture;
    for (const char* name : {"cherry", "Banana", "apple", "Date"})
        folderstest::WriteFile(fixture.Top() / "empty" / name, 1);
    const Scan s = folders::ScanFolder(fixture.Text("empty"), 100);
    ASSERT_EQ(s.error, L"");
    EXPECT_EQ(Listing(s), (std::vector<std::string>{"./apple:1", "./Banana:1", "./cherry:1", "./Date:1"}));
}

TEST(FolderScan, FilesInGivesTheFilesOfOneFolderOnly)
{
    FixtureFolder fixture;
    const Scan s = folders::ScanFolder(fixture.Text(), 100);
    EXPECT_EQ(folders::FilesIn(s, -1), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(folders::FilesIn(s, 0), (std::vector<int>{5, 6}));  // Docs
    EXPECT_EQ(folders::FilesIn(s, 1), (std::vector<int>{}));      // empty
}

TEST(FolderScan, SizesAreWholeKilobytesRoundedUpWithThousandsGrouped)
{
    const struct {
        std::uintmax_t bytes;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 KB"},          {1, L"1 KB"},           {1023, L"1 KB"},           {1024, L"1 KB"},
        {1025, L"2 KB"},       {3000, L"3 KB"},        {1023 * 1024, L"1,023 KB"}, {1048576, L"1,024 KB"},
        {999999 * 1024ull, L"999,999 KB"}, {1000000 * 1024ull, L"1,000,000 KB"},
        {5368709120ull, L"5,242,880 KB"},  // 5 GiB: past 32 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(folders::SizeText(c.bytes), c.text) << c.bytes;
}

TEST(FolderScan, TheSummaryCountsFoldersAndFilesAndSaysWhenTheListWasCut)
{
    FixtureFolder fixture;
    EXPECT_EQ(folders::Summary(folders::ScanFolder(fixture.Text(), 100)), L"2 folders, 5 files");
    EXPECT_EQ(folders::Summary(folders::ScanFolder(fixture.Text("Docs"), 100)), L"0 folders, 2 files");

    const Scan cut = folders::ScanFolder(fixture.Text(), 3);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(Listing(cut), (std::vector<std::string>{"./Docs", "./empty", "./A.txt:1025"}));
    EXPECT_EQ(folders::Summary(cut), L"2 folders, 1 file; the first 3 shown");
    // Exactly at the limit nothing is left out.
    EXPECT_FALSE(folders::ScanFolder(fixture.Text(), 7).cut);
}

TEST(FolderScan, AFolderThatCannotBeReadIsAnErrorWithNothingListed)
{
    FixtureFolder fixture;
    const struct {
        std::wstring path;
        std::wstring error;
    } cases[] = {
        {L"", L"No folder given."},
        {fixture.Text("missing"), L"The folder " + fixture.Text("missing") + L" does not exist."},
        {fixture.Text("A.txt"), L"The folder " + fixture.Text("A.txt") + L" is a file, not a folder."},
    };
    for (const auto& c : cases) {
        const Scan s = folders::ScanFolder(c.path, 100);
        EXPECT_EQ(s.error, c.error) << Narrow(c.path);
        EXPECT_TRUE(s.entries.empty());
    }
}

TEST(FolderScan, DeepFoldersWalkWithEveryEntryUnderItsParent)
{
    FixtureFolder fixture;
    std::filesystem::path dir = fixture.Top() / "empty";
    const int depth = 60;
    for (int i = 0; i < depth; ++i) {
        dir /= "d";
        std::filesystem::create_directory(dir);
    }
    folderstest::WriteFile(dir / "leaf", 5);
    const Scan s = folders::ScanFolder(fixture.Text("empty"), 1000);
    ASSERT_EQ(s.entries.size(), static_cast<size_t>(depth + 1));
    for (int i = 0; i < depth; ++i)
        EXPECT_EQ(s.entries[i].parent, i - 1);
    EXPECT_EQ(s.entries.back().name, L"leaf");
    EXPECT_EQ(s.entries.back().parent, depth - 1);
}

#ifndef _WIN32
// A link back to its own folder is listed by its name and never walked
// (walking it would never end).
TEST(FolderScan, ALinkToAFolderIsNotFollowed)
{
    FixtureFolder fixture;
    std::filesystem::create_directory_symlink(fixture.Top(), fixture.Top() / "empty" / "loop");
    const Scan s = folders::ScanFolder(fixture.Text("empty"), 1000);
    ASSERT_EQ(s.entries.size(), 1u);
    EXPECT_EQ(s.entries[0].name, L"loop");
    EXPECT_FALSE(s.entries[0].folder);
}
#endif

} // namespace
