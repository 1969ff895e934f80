// Folder listing and drives against the system's own ANSI calls on a
// prepared tree: the same names, attributes and sizes for every mask.
#include "platform/direntries.h"

#include "platform/codepage.h"
#include "tests/common/tempfolder.h"
#include "tests/platform/widefiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Listing = std::vector<std::tuple<std::string, uint32_t, uint64_t>>;

Listing Sorted(Listing listing) {
    std::sort(listing.begin(), listing.end());
    return listing;
}

// What FindFirstFileA gives for folder\mask, "." and ".." left out.
Listing SystemListing(const std::string& folder, const std::string& mask) {
    Listing listing;
    WIN32_FIND_DATAA data{};
    const HANDLE search = FindFirstFileA((folder + "\\" + mask).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return listing;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        listing.emplace_back(
            name, data.dwFileAttributes,
            folderEntry ? 0 : (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return Sorted(listing);
}

Listing OurListing(const std::string& folder, const std::string& mask) {
    Listing listing;
    const bool read =
        platform::EnumerateFolder(folder, mask, true, [&](const platform::DirEntry& e) {
            if (e.name != "." && e.name != "..") listing.emplace_back(e.name, e.attributes, e.size);
            return true;
        });
    EXPECT_TRUE(read);
    return Sorted(listing);
}

TEST(WindowsFolderListing, MatchesTheSystemsSearchForEveryMask) {
    TempFolder folder;
    const std::wstring root = widefiles::Widen(folder.Path());
    const struct {
        const wchar_t* name;
        size_t size;
        DWORD attributes;
    } files[] = {
        {L"main.c", 10, 0},
        {L"data", 2, 0},
        {L"main.h", 0, FILE_ATTRIBUTE_READONLY},
        {L"notes.cc", 3, FILE_ATTRIBUTE_HIDDEN},
        {L"data1", 4096, 0},
        {L"data12", 5, 0},
        {L"dataX.txt", 7, FILE_ATTRIBUTE_SYSTEM},
        {L"README", 70000, 0},
        {L"UPPER.C", 1, 0},
    };
    for (const auto& file : files) {
        const std::wstring path = root + L"\\" + file.name;
        ASSERT_TRUE(widefiles::Write(path, std::string(file.size, 'x')));
        if (file.attributes != 0) SetFileAttributesW(path.c_str(), file.attributes);
    }
    CreateDirectoryW((root + L"\\sub").c_str(), nullptr);
    CreateDirectoryW((root + L"\\data2").c_str(), nullptr);
    SetFileAttributesW((root + L"\\data2").c_str(), FILE_ATTRIBUTE_HIDDEN);

    const std::string text = platform::Utf8ToCp932(folder.Path());
    for (const char* mask : {"*.*", "*", "*.c", "*.h", "data?", "*.txt", "readme", "none.*"}) {
        SCOPED_TRACE(mask);
        EXPECT_EQ(OurListing(text, mask), SystemListing(folder.Path(), mask));
    }
    // "*.*" takes every entry, names without a dot too.
    EXPECT_EQ(OurListing(text, "*.*").size(), std::size(files) + 2);
}

TEST(WindowsFolderListing, MissingFolderIsReportedAndTellsNoFolder) {
    TempFolder folder;
    const std::string missing = platform::Utf8ToCp932(folder.File("missing"));
    EXPECT_FALSE(platform::EnumerateFolder(missing, "*", true, [](const platform::DirEntry&) {
        ADD_FAILURE() << "nothing may be visited";
        return true;
    }));
    EXPECT_FALSE(platform::FolderExists(missing));
    EXPECT_TRUE(platform::FolderExists(platform::Utf8ToCp932(folder.Path())));
    EXPECT_FALSE(platform::FolderExists(""));
}

TEST(WindowsDrives, AreTheSystemsDriveRootsInTheProgramsForm) {
    char roots[512] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof roots, roots);
    ASSERT_GT(length, 0u);
    std::vector<std::string> expected;
    for (const char* root = roots; *root != '\0'; root += strlen(root) + 1)
        expected.emplace_back(root, 2); // "C:\" -> "C:"
    std::vector<std::string> listed;
    for (const platform::Drive& drive : platform::ListDrives()) {
        ASSERT_EQ(drive.root.size(), 2u) << drive.root;
        EXPECT_EQ(drive.root[1], ':');
        listed.push_back(drive.root);
    }
    EXPECT_FALSE(listed.empty());
    EXPECT_EQ(listed, expected);
    // A drive root is a folder, in the program's form without a separator.
    EXPECT_TRUE(platform::FolderExists(listed.front()));
}

TEST(WindowsDrives, CurrentFolderHasNoTrailingSeparator) {
    const std::string current = platform::CurrentFolder();
    ASSERT_FALSE(current.empty());
    EXPECT_NE(current.back(), '\\');
    EXPECT_TRUE(platform::FolderExists(current));
}

} // namespace
