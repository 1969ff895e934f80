#include "filereplace.h"
#include "savechecks.h"
#include "tempfolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

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

} // namespace
