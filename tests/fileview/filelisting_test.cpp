#include "fileview/filelisting.h"
#include "fileview/nameorder.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using Strings = std::vector<std::string>;

Strings Shown(const tamble::FileListing& listing) {
    Strings names;
    for (uint32_t row : listing.Shown())
        names.push_back(listing.Rows().Name(row));
    return names;
}

class FileListingTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"ab.c", "abc.c", "abd.h", "b.c"})
            folder_.Write(name, "x");
    }
    // Lists folder with an icon cache of the test's own.
    void List(const std::string& folder, const std::string& filter, const std::string& narrow) {
        (void)listing_.List(folder, filter, narrow, icons_, "*.exe");
    }
    TempFolder folder_;
    tamble::FileListing listing_;
    std::vector<std::string> icons_;
};

TEST_F(FileListingTest, NarrowingFiltersTheListedRowsWhileTheFolderIsUnchanged) {
    List(folder_.Path(), "*.*", "");
    EXPECT_EQ(Shown(listing_), (Strings{"ab.c", "abc.c", "abd.h", "b.c"}));
    for (const char* text : {"a", "ab", "abc", "ab", "", "*.h;b"}) {
        ASSERT_TRUE(listing_.CanNarrow("*.*", text)) << text;
        listing_.Narrow(text);
    }
    EXPECT_EQ(Shown(listing_), (Strings{"abd.h", "b.c"}));
    listing_.Narrow("abc");
    EXPECT_EQ(Shown(listing_), (Strings{"abc.c"}));
    // Another filter, or a folder that changed, must be read again.
    EXPECT_FALSE(listing_.CanNarrow("*.c", "ab"));
    folder_.Write("abe.c", "x");
    EXPECT_FALSE(listing_.CanNarrow("*.*", "abe"));
    List(folder_.Path(), "*.*", "abe");
    EXPECT_EQ(Shown(listing_), (Strings{"abe.c"}));
}

TEST_F(FileListingTest, IconsPlannedBeforeTheSortStayWithTheirRows) {
    // Written in an order the sort reverses, so that any icon or look-up
    // tied to a place rather than to a name lands on another file.
    for (const char* name : {"z.txt", "y.exe", "x.c", "w.exe", "v.TXT"})
        folder_.Write(name, "x");
    tamble::FileListing listing;
    std::vector<std::string> cache = {".h"};
    const tamble::IconLookups lookups = listing.List(folder_.Path(), "*.*", "", cache, "*.exe");
    Strings extensions;
    for (const std::string& extension : cache)
        extensions.push_back(tamble::NameSortKey(extension));
    std::sort(extensions.begin(), extensions.end());
    EXPECT_EQ(extensions, (Strings{".c", ".h", ".txt"}));
    for (uint32_t row : listing.Shown()) {
        const std::string name = listing.Rows().Name(row);
        const int32_t icon = listing.Rows().Icon(row);
        const std::string extension(tamble::FileExtension(name));
        if (extension == ".exe") {
            const auto own = std::find(lookups.perFile.begin(), lookups.perFile.end(), name);
            ASSERT_NE(own, lookups.perFile.end()) << name;
            EXPECT_EQ(icon,
                      tamble::PerFileIcon(static_cast<int32_t>(own - lookups.perFile.begin())));
        } else {
            ASSERT_GE(icon, 0) << name;
            EXPECT_EQ(tamble::NameSortKey(cache.at(static_cast<size_t>(icon))),
                      tamble::NameSortKey(extension))
                << name;
        }
    }
    ASSERT_EQ(lookups.newEntries.size(), 2u);
    for (size_t i = 0; i < lookups.newEntries.size(); ++i)
        EXPECT_EQ(tamble::NameSortKey(std::string(tamble::FileExtension(lookups.newEntries[i]))),
                  tamble::NameSortKey(cache[i + 1]));
}

TEST_F(FileListingTest, SizesAreThoseOfTheFilesAndKeptOnceKnown) {
    folder_.Write("big.c", std::string(5000, 'x'));
#ifndef _WIN32
    std::filesystem::create_symlink("big.c", folder_.File("link.c"));
    std::filesystem::create_symlink("none", folder_.File("dangling.c"));
#endif
    List(folder_.Path(), "*.c", "");
    const auto sizeOf = [this](const std::string& name) -> std::optional<uint64_t> {
        for (uint32_t row : listing_.Shown())
            if (listing_.Rows().Name(row) == name) return listing_.FileSize(row);
        return 0xBADu;
    };
    EXPECT_EQ(sizeOf("big.c"), 5000u);
#ifndef _WIN32
    EXPECT_EQ(sizeOf("link.c"), 5000u);  // the file it leads to
    EXPECT_EQ(sizeOf("dangling.c"), 4u); // its own, as "none" is long
    // Here sizes are looked up as they are first asked for: a file gone
    // before has none.
    std::filesystem::remove(folder_.File("b.c"));
    EXPECT_EQ(sizeOf("b.c"), std::nullopt);
#endif
    std::filesystem::remove(folder_.File("big.c"));
    EXPECT_EQ(sizeOf("big.c"), 5000u);
}

TEST_F(FileListingTest, ARowsListedForANarrowingTextServeOnlyNarrowerTexts) {
    // A listing made with "ab" never read "b.c": a wider text needs the folder.
    List(folder_.Path(), "*.*", "ab");
    EXPECT_TRUE(listing_.CanNarrow("*.*", "abd"));
    EXPECT_FALSE(listing_.CanNarrow("*.*", "a"));
    EXPECT_FALSE(listing_.CanNarrow("*.*", "ab;b"));
}

TEST_F(FileListingTest, AFolderReplacedUnderItsNameIsReadAgain) {
    const std::string path = folder_.File("sub");
    std::filesystem::create_directory(path);
    folder_.Write("sub/same.c", "12");
    List(path, "*.*", "");
    std::filesystem::rename(path, folder_.File("old"));
    EXPECT_FALSE(listing_.CanNarrow("*.*", "a"));
    std::filesystem::create_directory(path);
    folder_.Write("sub/same.c", "a size of another file");
    EXPECT_FALSE(listing_.CanNarrow("*.*", "a"));
#ifndef _WIN32
    // A size not yet known is never taken from the other folder's file.
    EXPECT_EQ(listing_.FileSize(listing_.Shown()[0]), std::nullopt);
#endif
    // A folder that could not be read is never narrowed from memory.
    List(folder_.File("none"), "*.*", "");
    EXPECT_TRUE(listing_.Shown().empty());
    EXPECT_FALSE(listing_.CanNarrow("*.*", "a"));
}

} // namespace
