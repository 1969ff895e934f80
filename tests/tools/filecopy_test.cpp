#include "platform/codepage.h"
#include "platform/filecopy.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class FileCopy : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(FileCopy, CopiesAndOverwrites) {
    // Larger than one fallback buffer, with a byte pattern that shows shifts.
    std::string big(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 4096);
    const std::string source = folder_.Write("big.bin", big);
    ASSERT_EQ(chmod(source.c_str(), 0750), 0);

    EXPECT_EQ(platform::CopyFile(source, folder_.File("new.bin"), true), 0);
    EXPECT_EQ(folder_.Read("new.bin"), big);
    struct stat info {};
    ASSERT_EQ(stat(folder_.File("new.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0750u);
    // The copy keeps the source's modification time, also when it overwrites.
    const struct timespec old[2] = {{0, UTIME_OMIT}, {1'000'000'000, 123}};
    ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), old, 0), 0);
    EXPECT_EQ(platform::CopyFile(source, folder_.File("new.bin"), false), 0);
    ASSERT_EQ(stat(folder_.File("new.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtim.tv_sec, 1'000'000'000);
    EXPECT_EQ(info.st_mtim.tv_nsec, 123);

    const std::string small = folder_.Write("small.txt", "short");
    EXPECT_EQ(platform::CopyFile(small, folder_.File("new.bin"), true), EEXIST);
    EXPECT_EQ(folder_.Read("new.bin"), big);
    EXPECT_EQ(platform::CopyFile(small, folder_.File("new.bin"), false), 0);
    EXPECT_EQ(folder_.Read("new.bin"), "short");

    const std::string empty = folder_.Write("empty", "");
    EXPECT_EQ(platform::CopyFile(empty, folder_.File("new.bin"), false), 0);
    EXPECT_EQ(folder_.Read("new.bin"), "");
}

TEST_F(FileCopy, Failures) {
    const std::string source = folder_.Write("s.txt", "keep me");
    fs::create_directory(folder_.File("dir"));
    ASSERT_EQ(link(source.c_str(), folder_.File("hard").c_str()), 0);
    ASSERT_EQ(symlink(source.c_str(), folder_.File("soft").c_str()), 0);
    ASSERT_EQ(mkfifo(folder_.File("fifo").c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::string source;
        std::string target;
        int error;
    };
    const Case cases[] = {
        {"missing source", folder_.File("none"), folder_.File("t1"), ENOENT},
        {"source is a folder", folder_.File("dir"), folder_.File("t2"), EISDIR},
        {"source is a pipe", folder_.File("fifo"), folder_.File("t3"), EINVAL},
        {"missing target folder", source, folder_.File("no/t4"), ENOENT},
        {"target is a folder", source, folder_.File("dir"), EISDIR},
        {"target is a pipe", source, folder_.File("fifo"), ENXIO},
        {"target is the source", source, source, EINVAL},
        {"target is a hard link to the source", source, folder_.File("hard"), EINVAL},
        {"target is a symbolic link to the source", source, folder_.File("soft"), EINVAL},
        {"name that does not convert back", source, folder_.Path() + "/\x82", EINVAL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::CopyFile(c.source, c.target, false), c.error) << c.name;
    EXPECT_EQ(folder_.Read("s.txt"), "keep me");
}

TEST_F(FileCopy, Cp932Names) {
    const std::string source = folder_.Write("表.txt", "sjis");
    EXPECT_EQ(platform::CopyFile(platform::Utf8ToCp932(source),
                                 platform::Utf8ToCp932(folder_.File("複製.txt")), false),
              0);
    EXPECT_EQ(folder_.Read("複製.txt"), "sjis");
}

} // namespace
