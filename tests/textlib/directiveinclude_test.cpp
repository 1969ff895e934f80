// #include on real files: cycles found by file identity whatever the path's
// spelling, and the bound on the work one load's includes may do.
#include "tests/common/tempfolder.h"
#include "textlib/cclstringlist.h"
#include "textlib/textfile.h"
#include "textlib/textlimits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The copy-files tool's flags: directive lines are deleted.
constexpr uint32_t kDeleting = 0x5D800000;

struct Loaded {
    std::vector<std::string> lines;
    std::string printed;
};

Loaded LoadFile(const std::string& path) {
    CCLStringList list;
    testing::internal::CaptureStdout();
    list.LoadFromFile(path.c_str(), kDeleting);
    std::fflush(stdout);
    Loaded loaded{{}, testing::internal::GetCapturedStdout()};
    for (int32_t i = 0; i < list.Count(); ++i)
        loaded.lines.emplace_back(list.Text(i) ? list.Text(i) : "");
    return loaded;
}

std::string Include(const std::string& path) {
    return "#include " + path + "\n";
}

// Maps "@/name" into mappedFolder, as a program maps code page 932 names.
std::string mappedFolder;
fs::path FromMappedName(const char* path) {
    const std::string text = path;
    return text.rfind("@/", 0) == 0 ? mappedFolder + text.substr(1) : text;
}

// self.lst includes itself under its plain path and under another spelling.
// Each include loads the file once more, and there every include of it is a
// cycle: its own line and one line per include, whatever the spelling.
TEST(DirectiveInclude, CycleIsFoundUnderEverySpelling) {
    TempFolder dir;
    const std::string self = dir.File("self.lst");
    fs::create_directory(dir.File("sub"));
#ifndef _WIN32
    // Links on Windows need a privilege that a user rarely has.
    fs::create_symlink(self, dir.File("link.lst"));
    fs::create_directory_symlink(dir.Path(), dir.File("folderlink"));
#endif
    mappedFolder = dir.Path();
    // Relative spellings start in "sub": the test's own working folder may
    // be on another drive (Windows), which no relative path reaches.
    const fs::path workingFolder = fs::current_path();
    fs::current_path(dir.File("sub"));
    struct Row {
        const char* name;
        std::string spelling;
    };
    const Row rows[] = {
        {"dot folder", dir.Path() + "/./self.lst"},
        {"double slash (quoted: \"//\" starts a comment)", "\"" + dir.Path() + "//self.lst\""},
        {"up and down", dir.Path() + "/sub/../self.lst"},
        {"relative", "../self.lst"},
#ifndef _WIN32
        {"symbolic link", dir.File("link.lst")},
        {"linked folder", dir.File("folderlink") + "/self.lst"},
#endif
        {"hard link", dir.File("hard.lst")},
        {"through the path mapper", "@/self.lst"},
    };
    SetTextFilePathMapper(FromMappedName);
    for (const Row& r : rows) {
        dir.Write("self.lst", Include(self) + Include(r.spelling) + "line");
        fs::remove(dir.File("hard.lst"));
        fs::create_hard_link(self, dir.File("hard.lst"));
        const Loaded loaded = LoadFile(self);
        EXPECT_EQ(loaded.lines, (std::vector<std::string>{"line", "line", "line"})) << r.name;
        EXPECT_NE(loaded.printed.find("include loop"), std::string::npos) << r.name;
    }
    SetTextFilePathMapper(nullptr);
    fs::current_path(workingFolder);

    // Sixteen spellings at once: sixteen includes, each refusing all of its own.
    std::string text;
    for (int k = 0; k < 16; ++k) {
        std::string spelling = dir.Path();
        for (int dots = 0; dots < k; ++dots)
            spelling += "/.";
        text += Include(spelling + "/self.lst");
    }
    dir.Write("self.lst", text + "line");
    EXPECT_EQ(LoadFile(self).lines.size(), 17u);
}

// A file included from two places is no cycle: it is included twice. On
// POSIX a file whose name differs only in case is another file too; on
// Windows it is the same file, so including it is a cycle.
TEST(DirectiveInclude, OtherFilesAndDiamondsAreNoCycle) {
    TempFolder dir;
    dir.Write("shared.lst", "shared");
    dir.Write("left.lst", Include(dir.File("shared.lst")) + "left");
    dir.Write("right.lst", Include(dir.File("./shared.lst")) + "right");
    const std::string top =
        dir.Write("top.lst", Include(dir.File("left.lst")) + Include(dir.File("right.lst")) +
                                 Include(dir.File("shared.lst")) + "top");
    EXPECT_EQ(LoadFile(top).lines,
              (std::vector<std::string>{"shared", "left", "shared", "right", "shared", "top"}));

    const std::string lower = dir.Write("a.lst", Include(dir.File("A.lst")) + "lower");
#ifndef _WIN32
    dir.Write("A.lst", "upper");
#endif
    const Loaded loaded = LoadFile(dir.Write("outer.lst", Include(lower)));
#ifndef _WIN32
    EXPECT_EQ(loaded.lines, (std::vector<std::string>{"upper", "lower"}));
#else
    EXPECT_EQ(loaded.lines, (std::vector<std::string>{"lower"}));
    EXPECT_NE(loaded.printed.find("include loop"), std::string::npos);
#endif
}

// f1 includes f2 twice, f2 includes f3 twice, ... down to f16: 65,535 loads
// and 131,071 lines without a bound. The include that goes beyond the bound
// and every later one insert nothing, so a load never runs for long.
TEST(DirectiveInclude, FanOutStopsAtTheFileLimit) {
    TempFolder dir;
    for (int k = 1; k <= 16; ++k) {
        const std::string next = dir.File("f" + std::to_string(k + 1) + ".lst");
        const std::string includes = k < 16 ? Include(next) + Include(next) : "";
        dir.Write("f" + std::to_string(k) + ".lst", includes + "L" + std::to_string(k));
    }
    const Loaded loaded = LoadFile(dir.File("f1.lst"));
    EXPECT_EQ(loaded.lines, std::vector<std::string>{"L1"});
    EXPECT_NE(loaded.printed.find("include limit reached"), std::string::npos);

    // A tree within the bound loads whole: f12 .. f16 hold 31 files.
    EXPECT_EQ(LoadFile(dir.File("f12.lst")).lines.size(), 31u);
}

TEST(DirectiveInclude, InsertedLinesStopAtTheLineLimit) {
    TempFolder dir;
    constexpr int kQuarter = textlib::kIncludeLineLimit / 4;
    std::string big;
    big.reserve(kQuarter * 2);
    for (int i = 0; i < kQuarter; ++i)
        big += "x\n";
    big.pop_back(); // no empty last line
    const std::string path = dir.Write("big.lst", big);
    const std::string four = Include(path) + Include(path) + Include(path) + Include(path);

    // Exactly the limit is allowed; one line more is not.
    const Loaded full = LoadFile(dir.Write("four.lst", four));
    EXPECT_EQ(full.lines.size(), static_cast<size_t>(textlib::kIncludeLineLimit));
    EXPECT_EQ(full.printed.find("include limit reached"), std::string::npos);

    dir.Write("one.lst", "y");
    const Loaded over = LoadFile(dir.Write("five.lst", four + Include(dir.File("one.lst")) + "z"));
    EXPECT_EQ(over.lines.size(), static_cast<size_t>(textlib::kIncludeLineLimit) + 1);
    EXPECT_EQ(over.lines.back(), "z");
    EXPECT_NE(over.printed.find("include limit reached [" + dir.File("one.lst") + "]"),
              std::string::npos);
}

} // namespace
