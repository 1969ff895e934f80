#include "fileview/filelisting.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

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
    TempFolder folder_;
    tamble::FileListing listing_;
};

TEST_F(FileListingTest, NarrowingFiltersTheListedRowsWhileTheFolderIsUnchanged) {
    listing_.List(folder_.Path(), "*.*", "");
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
    listing_.List(folder_.Path(), "*.*", "abe");
    EXPECT_EQ(Shown(listing_), (Strings{"abe.c"}));
}

TEST_F(FileListingTest, SizesAreThoseOfTheFilesAndKeptOnceKnown) {
    folder_.Write("big.c", std::string(5000, 'x'));
#ifndef _WIN32
    std::filesystem::create_symlink("big.c", folder_.File("link.c"));
    std::filesystem::create_symlink("none", folder_.File("dangling.c"));
#endif
    listing_.List(folder_.Path(), "*.c", "");
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
    listing_.List(folder_.Path(), "*.*", "ab");
    EXPECT_TRUE(listing_.CanNarrow("*.*", "abd"));
    EXPECT_FALSE(listing_.CanNarrow("*.*", "a"));
    EXPECT_FALSE(listing_.CanNarrow("*.*", "ab;b"));
}

TEST_F(FileListingTest, AFolderReplacedUnderItsNameIsReadAgain) {
    const std::string path = folder_.File("sub");
    std::filesystem::create_directory(path);
    folder_.Write("sub/same.c", "12");
    listing_.List(path, "*.*", "");
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
    listing_.List(folder_.File("none"), "*.*", "");
    EXPECT_TRUE(listing_.Shown().empty());
    EXPECT_FALSE(listing_.CanNarrow("*.*", "a"));
}

} // namespace
