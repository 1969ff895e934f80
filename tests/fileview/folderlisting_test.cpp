#include "fileview/folderlisting.h"
#include "platform/direntries.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines LinesOf(const CCLStringListBase& list) {
    Lines lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.emplace_back(list.Text(i) != nullptr ? list.Text(i) : "");
    return lines;
}

Lines Sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Folder order is the system's; within each mask the files come sorted here
// so that the mask order itself can be checked.
Lines SortedPerMask(const Lines& lines, const std::vector<size_t>& counts) {
    Lines out;
    size_t at = 0;
    for (size_t count : counts) {
        Lines part(lines.begin() + static_cast<long>(at),
                   lines.begin() + static_cast<long>(at + count));
        std::sort(part.begin(), part.end());
        out.insert(out.end(), part.begin(), part.end());
        at += count;
    }
    return out;
}

class FolderListing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.c", "b.c", "x.h", "Makefile", "read", "UP.C", ".hidden"})
            folder_.Write(name, "12345");
        fs::create_directories(folder_.File("A/inner"));
        fs::create_directories(folder_.File("B"));
        fs::create_directories(folder_.File(".git/objects"));
        fs::create_directory_symlink(folder_.Path(), folder_.File("loop"));
        chmod(folder_.File("read").c_str(), 0444);
    }

    std::string Path() const { return folder_.Path(); }

    TempFolder folder_;
};

TEST_F(FolderListing, SubFoldersCarryTheirMarkAndLinksNeverLoop) {
    CCLStringListBase list;
    list.Add("left over");
    const int count = GetSubFolders(&list, Path().c_str());
    // A link to a folder is a folder; marking it looks one level down only.
    EXPECT_EQ(Sorted(LinesOf(list)), (Lines{".git*", "A*", "B", "loop*"}));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(HasSubFolder(Path().c_str()), 1);
    EXPECT_EQ(HasSubFolder(folder_.File("B").c_str()), 0);
    EXPECT_EQ(HasSubFolder(folder_.File("a.c").c_str()), 0);
    EXPECT_EQ(HasSubFolder(folder_.File("missing").c_str()), 0);
}

TEST_F(FolderListing, FilesByMasksInOrder) {
    const struct {
        const char* name;
        const char* masks;
        std::vector<size_t> perMask;
        Lines lines;
    } cases[] = {
        {"masks in order", "*.h;*.c", {1, 3}, {"x.h", "UP.C", "a.c", "b.c"}},
        {"a file of two masks comes twice",
         "*.c;*.*",
         {3, 7},
         {"UP.C", "a.c", "b.c", ".hidden", "Makefile", "UP.C", "a.c", "b.c", "read", "x.h"}},
        {"empty parts match nothing", ";*.h;", {0, 1, 0}, {"x.h"}},
        {"letters without regard to case", "*.C", {3}, {"UP.C", "a.c", "b.c"}},
        {"a dot-star takes names without a dot", "read.*", {1}, {"read"}},
        {"question mark", "?.c", {2}, {"a.c", "b.c"}},
        {"empty list", "", {}, {}},
        {"folders never come along", "A;B;.git;loop", {0, 0, 0, 0}, {}},
    };
    for (const auto& c : cases) {
        CCLStringListBase list;
        const int count = GetFiles(&list, Path().c_str(), c.masks);
        EXPECT_EQ(SortedPerMask(LinesOf(list), c.perMask), c.lines) << c.name;
        EXPECT_EQ(count, static_cast<int>(c.lines.size())) << c.name;
    }
}

TEST_F(FolderListing, ANameFilterNarrowsTheFiles) {
    CCLStringListBase list;
    const auto startsWithA = [](const std::string& name) {
        return !name.empty() && name[0] == 'a';
    };
    EXPECT_EQ(GetFiles(&list, Path().c_str(), "*.c;*.*", startsWithA), 2);
    EXPECT_EQ(LinesOf(list), (Lines{"a.c", "a.c"}));
    EXPECT_EQ(FileSizeOf(*list.Items.Item(1)), 5u);
}

TEST_F(FolderListing, FileLinesCarryTheirSizeAndAttributes) {
    CCLStringListBase list;
    ASSERT_EQ(GetFiles(&list, Path().c_str(), "a.c"), 1);
    EXPECT_EQ(FileSizeOf(*list.Items.Item(0)), 5u);
    EXPECT_EQ(list.Items.Item(0)->spare, 5u);

    std::vector<platform::DirEntry> seen;
    platform::EnumerateFolder(Path(), "*", true, [&](const platform::DirEntry& entry) {
        seen.push_back(entry);
        return true;
    });
    const auto attributes = [&](const std::string& name) {
        for (const auto& entry : seen)
            if (entry.name == name) return entry.attributes;
        return 0xFFFFFFFFu;
    };
    EXPECT_EQ(attributes("a.c"), platform::kAttrArchive);
    EXPECT_EQ(attributes(".hidden"), platform::kAttrArchive | platform::kAttrHidden);
    if (geteuid() != 0) {
        EXPECT_EQ(attributes("read"), platform::kAttrArchive | platform::kAttrReadOnly);
    }
    EXPECT_EQ(attributes(".git"), platform::kAttrDirectory);
    EXPECT_EQ(attributes("loop"), platform::kAttrDirectory | platform::kAttrReparsePoint);
    EXPECT_EQ(attributes(".."), platform::kAttrDirectory);
}

TEST_F(FolderListing, SizesBeyondFourGibibytesStayWhole) {
    const std::string big = folder_.Write("big.bin", "");
    constexpr uint64_t kSize = (1ull << 32) + 7;
    ASSERT_EQ(truncate(big.c_str(), static_cast<off_t>(kSize)), 0);
    CCLStringListBase list;
    ASSERT_EQ(GetFiles(&list, Path().c_str(), "*.bin"), 1);
    EXPECT_EQ(FileSizeOf(*list.Items.Item(0)), kSize);
    EXPECT_EQ(list.Items.Item(0)->spare, 7u); // the low half where readers expect it
}

int StopAtSecond(const ListFolderContext& context) {
    return context.count == 1 ? kListStop : kListContinue;
}

TEST_F(FolderListing, ACallbackStopsTheListingAndCounts) {
    EXPECT_EQ(ListFolder(nullptr, Path().c_str(), "*", platform::kAttrArchive, StopAtSecond, 0), 2);
    EXPECT_EQ(ListFolder(nullptr, Path().c_str(), "*", platform::kAttrArchive, nullptr, 0), 7);
    CCLStringListBase list;
    list.Add("left over");
    EXPECT_EQ(GetFiles(&list, folder_.File("missing").c_str(), "*.*"), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(FolderMask, WindowsRules) {
    const struct {
        const char* name;
        const char* mask;
        bool matches;
    } cases[] = {
        {"Makefile", "*.*", true}, {"a.tar.gz", "*.gz", true}, {"A.TXT", "*.txt", true},
        {"read", "read.*", true},  {"ready", "read.*", false}, {"a.c", "", false},
        {"a.c", "*.c*", true},     {"ab.c", "?.c", false},     {"x", "*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MatchFolderMask(c.name, c.mask), c.matches) << c.name << " " << c.mask;
}

} // namespace
