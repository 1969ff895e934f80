// The file list's and the folder tree's listings on Windows, where the
// system's own attributes decide what is a file.
#include "fileview/folderlisting.h"
#include "platform/codepage.h"
#include "tests/common/tempfolder.h"
#include "tests/platform/widefiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SortedLines(const CCLStringListBase& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.emplace_back(list.Text(i));
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Every file is listed among the files whatever its attributes, the plain
// "normal" one included, and no folder is, whatever attributes it carries.
TEST(WindowsFolderListing, FilesAreFilesAndFoldersAreFoldersWhateverTheirAttributes) {
    TempFolder folder;
    const std::wstring root = widefiles::Widen(folder.Path());
    const struct {
        const wchar_t* name;
        DWORD attributes;
    } files[] = {
        {L"normal.txt", FILE_ATTRIBUTE_NORMAL},
        {L"archived.txt", FILE_ATTRIBUTE_ARCHIVE},
        {L"hidden.txt", FILE_ATTRIBUTE_HIDDEN},
        {L"system.txt", FILE_ATTRIBUTE_SYSTEM},
        {L"readonly.txt", FILE_ATTRIBUTE_READONLY},
        {L"unindexed.txt", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
    };
    for (const auto& file : files) {
        const std::wstring path = root + L"\\" + file.name;
        ASSERT_TRUE(widefiles::Write(path, "x"));
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), file.attributes));
    }
    const struct {
        const wchar_t* name;
        DWORD attributes;
    } folders[] = {
        {L"plain", 0},
        {L"readonly-folder", FILE_ATTRIBUTE_READONLY},
        {L"archived-folder", FILE_ATTRIBUTE_ARCHIVE},
        {L"hidden-folder", FILE_ATTRIBUTE_HIDDEN},
    };
    for (const auto& sub : folders) {
        const std::wstring path = root + L"\\" + sub.name;
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        if (sub.attributes != 0) SetFileAttributesW(path.c_str(), sub.attributes);
    }

    const std::string text = platform::Utf8ToCp932(folder.Path());
    CCLStringList list;
    EXPECT_EQ(GetFiles(&list, text.c_str(), "*.*"), static_cast<int>(std::size(files)));
    EXPECT_EQ(SortedLines(list),
              (std::vector<std::string>{"archived.txt", "hidden.txt", "normal.txt", "readonly.txt",
                                        "system.txt", "unindexed.txt"}));
    EXPECT_EQ(GetSubFolders(&list, text.c_str()), static_cast<int>(std::size(folders)));
    EXPECT_EQ(SortedLines(list), (std::vector<std::string>{"archived-folder", "hidden-folder",
                                                           "plain", "readonly-folder"}));

    for (const auto& file : files)
        SetFileAttributesW((root + L"\\" + file.name).c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const auto& sub : folders)
        SetFileAttributesW((root + L"\\" + sub.name).c_str(), FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace
