#include "platform/instancelock.h"
#include "platform/locations.h"

#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// Runs AcquireInstanceLock(name) in a child process; its result.
bool AcquireInChild(const std::string& name) {
    const pid_t child = fork();
    if (child == 0) _exit(platform::AcquireInstanceLock(name) ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class InstanceLock : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_RUNTIME_DIR", folder_.Path().c_str(), 1); }
    TempFolder folder_;
};

TEST_F(InstanceLock, SecondHolderIsRefusedUntilTheFirstEnds) {
    EXPECT_EQ(platform::InstanceLockPath("TambleTest"), folder_.File("TambleTest.lock"));
    // Nobody holds it: a child takes it, and the kernel frees it when the child ends.
    EXPECT_TRUE(AcquireInChild("TambleTest"));
    ASSERT_TRUE(platform::AcquireInstanceLock("TambleTest"));
    EXPECT_FALSE(AcquireInChild("TambleTest"));
    EXPECT_TRUE(AcquireInChild("OtherName"));
}

TEST_F(InstanceLock, UnusableFolderDoesNotBlockTheStart) {
    setenv("XDG_RUNTIME_DIR", "/nonexistent/folder", 1);
    EXPECT_TRUE(AcquireInChild("TambleTest"));
}

TEST(Locations, ConfigOverrideKeepsTestsOutOfHome) {
    TempFolder folder;
    setenv("TAMBLE_CONFIG_DIR", folder.Path().c_str(), 1);
    EXPECT_EQ(platform::DataFolder(), folder.Path());
    EXPECT_EQ(platform::SettingsFilePath(), folder.File("platform_tests.ini"));
    unsetenv("TAMBLE_CONFIG_DIR");
    EXPECT_FALSE(platform::ProgramPath().empty());
}

TEST(Locations, OnlyAProgramsOwnFolderKeepsItsFiles) {
    const struct {
        const char* folder;
        bool system;
    } rows[] = {
        {"/usr/bin", true},
        {"/usr/local/bin", true},
        {"/bin", true},
        {"/usr/bin/tools", false},
        {"/usr/binx", false},
        {"/opt/tamble", false},
        {"/home/me/tamble", false},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::IsSystemProgramFolder(row.folder), row.system) << row.folder;
}

} // namespace
