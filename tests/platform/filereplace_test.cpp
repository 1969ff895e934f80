#include "filereplace.h"
#include "savechecks.h"
#include "tempfolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

namespace {

const SaveFunction kReplace = [](const std::string& path, const std::string& text) {
    return platform::ReplaceFileAtomically(path, text);
};

TEST(FileReplace, TwoSavesAtOnceLeaveOneWholeVersion) {
    TempFolder folder;
    EXPECT_EQ(RaceTwoSaves(folder.File("shared.txt"), kReplace, 40), "");
}

TEST(FileReplace, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
    ExpectFailedSavesKeepOldFiles(kReplace);
}

// A new file is made only where no entry is; an existing one keeps its bytes.
TEST(CreateEmptyFile, MakesOnlyNewFiles) {
    TempFolder folder;
    folder.Write("full.txt", "bytes");
    std::filesystem::create_directory(folder.File("sub"));
    const struct {
        const char* name;
        bool made;
    } cases[] = {
        {"new.txt", true},
        {"full.txt", false},
        {"sub", false},
        {"missing/new.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::CreateEmptyFile(folder.File(c.name)), c.made) << c.name;
    EXPECT_EQ(folder.Read("new.txt"), "");
    EXPECT_EQ(folder.Read("full.txt"), "bytes");
    EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"full.txt", "new.txt", "sub"}));
}

#ifdef _WIN32

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

TEST(FileReplace, ReplacesTheBytesAndKeepsTheAttributes) {
    TempFolder folder;
    const std::string path = folder.Write("keep.ini", "old");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(platform::ReplaceFileAtomically(path, std::string("new\0bytes", 9)));
    EXPECT_EQ(folder.Read("keep.ini"), std::string("new\0bytes", 9));
    EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"keep.ini"});
}

// A read-only file is not replaced, as Windows programs leave it.
TEST(FileReplace, ReadOnlyTargetRefusesTheSave) {
    TempFolder folder;
    const std::string path = folder.Write("locked.ini", "old");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::ReplaceFileAtomically(path, "new"));
    EXPECT_EQ(folder.Read("locked.ini"), "old");
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"locked.ini"});
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A reader that holds the file open (as the text library's reads do, which
// do not share deletion) delays the replacement instead of failing it.
TEST(FileReplace, WaitsForAReaderToCloseTheTarget) {
    TempFolder folder;
    const std::string path = folder.Write("read.ini", "old");
    std::atomic<bool> opened{false};
    std::thread reader([&] {
        std::ifstream in(path, std::ios::binary);
        opened = true;
        Sleep(200);
    });
    while (!opened)
        std::this_thread::yield();
    EXPECT_TRUE(platform::ReplaceFileAtomically(path, "new"));
    reader.join();
    EXPECT_EQ(folder.Read("read.ini"), "new");
}

#else

TEST(FileReplace, ReplacesTheBytesAndKeepsThePermissions) {
    TempFolder folder;
    const std::string path = folder.Write("keep.ini", "old");
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(platform::ReplaceFileAtomically(path, std::string("new\0bytes", 9)));
    EXPECT_EQ(folder.Read("keep.ini"), std::string("new\0bytes", 9));
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"keep.ini"});
}

#endif

} // namespace
