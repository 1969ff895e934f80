// Real starts on this system: a small recorder program stands in for the
// editor, a launcher item and the desktop opener, and tells which arguments
// it received. Nothing may pass through a shell, so names full of shell
// syntax must arrive as they are and must not run anything.
#include "external/externalprograms.h"
#include "platform/codepage.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A name with blanks, quotes, ";", "$(...)", a backquote and a leading "-".
const std::string kAwkwardName = "-x \"q\" it's; $(touch hacked) `touch hacked2`.txt";

class RealStart : public ::testing::Test {
protected:
    RealStart() {
        // The desktop opener of this test is the recorder too.
        fs::create_directory(folder_.File("bin"));
        fs::copy_file(TAMBLE_ARGUMENT_RECORDER, folder_.File("bin/xdg-open"));
        const char* path = std::getenv("PATH");
        savedPath_ = path != nullptr ? path : "";
        setenv("PATH", (folder_.File("bin") + ":" + savedPath_).c_str(), 1);
        setenv("TAMBLE_ARGUMENT_RECORD", folder_.File("record").c_str(), 1);
    }
    ~RealStart() override {
        setenv("PATH", savedPath_.c_str(), 1);
        unsetenv("TAMBLE_ARGUMENT_RECORD");
    }

    // Copies the recorder to a program of the given name in the folder.
    std::string Program(const std::string& name) const {
        const std::string path = folder_.File(name);
        fs::copy_file(TAMBLE_ARGUMENT_RECORDER, path);
        return path;
    }

    // The arguments the started program recorded; waits for it to finish.
    std::vector<std::string> Recorded() {
        const fs::path record = folder_.File("record");
        for (int tries = 0; tries < 200 && !fs::exists(record); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        std::vector<std::string> arguments;
        const std::string bytes = folder_.Read("record");
        for (size_t at = 0; at < bytes.size();) {
            const size_t colon = bytes.find(':', at);
            const size_t length = std::stoul(bytes.substr(at, colon - at));
            arguments.push_back(bytes.substr(colon + 1, length));
            at = colon + 1 + length + 1;
        }
        fs::remove(record);
        return arguments;
    }

    bool ShellRan() const {
        return fs::exists(folder_.File("hacked")) || fs::exists(folder_.File("hacked2")) ||
               fs::exists("hacked") || fs::exists("hacked2");
    }

    TempFolder folder_;
    std::string savedPath_;
};

} // namespace

TEST_F(RealStart, AwkwardPathsReachTheProgramAsOneArgument) {
    const std::string file = folder_.Write(kAwkwardName, "text");
    tamble::AppOptions options;
    options.UseEditor = Program("my editor");

    tamble::OpenInEditor(options, platform::Utf8ToCp932(file));
    EXPECT_EQ(Recorded(), std::vector<std::string>{file});

    tamble::LaunchItemWithFile(platform::Utf8ToCp932(Program(kAwkwardName + ".bin")),
                               platform::Utf8ToCp932(file));
    EXPECT_EQ(Recorded(), std::vector<std::string>{file});
    EXPECT_FALSE(ShellRan());
}

TEST_F(RealStart, ParameterTextIsSplitIntoArguments) {
    tamble::LaunchItem(Program("tool"), "-a \"two words\" ; $(touch hacked) \"-q\\\"x\\\"\"");
    EXPECT_EQ(Recorded(),
              (std::vector<std::string>{"-a", "two words", ";", "$(touch", "hacked)", "-q\"x\""}));

    tamble::AppOptions options;
    options.SearchStringApp = Program("search");
    platform::ScriptedPrompts prompts;
    tamble::RunStringSearch(options, prompts, "-sf:$PATH -gf:$FILE", "/data/dir", "main.c");
    EXPECT_EQ(Recorded(), (std::vector<std::string>{"-sf:/data/dir", "-gf:main.c"}));
    EXPECT_FALSE(ShellRan());
}

TEST_F(RealStart, DocumentsAndFoldersOpenWithTheDesktop) {
    const std::string document = folder_.Write(kAwkwardName, "text");
    tamble::ShellOpenFile(platform::Utf8ToCp932(document));
    EXPECT_EQ(Recorded(), std::vector<std::string>{document});

    // Executable by its mode bits but no program, like every file on a FAT stick.
    const std::string marked = folder_.Write("notes.txt", "plain text\n");
    fs::permissions(marked, fs::perms::owner_exec, fs::perm_options::add);
    tamble::ShellOpenFile(platform::Utf8ToCp932(marked));
    EXPECT_EQ(Recorded(), std::vector<std::string>{marked});

    tamble::AppOptions viaDesktop;
    viaDesktop.AllOpenEditor = false;
    tamble::OpenInEditor(viaDesktop, platform::Utf8ToCp932(document));
    EXPECT_EQ(Recorded(), std::vector<std::string>{document});

    // A Japanese folder name travels as CP932 and arrives as UTF-8.
    const std::string folder = folder_.File("資料 フォルダ");
    fs::create_directory(folder);
    tamble::OpenExplorer(platform::Utf8ToCp932(folder));
    EXPECT_EQ(Recorded(), std::vector<std::string>{folder});
    EXPECT_FALSE(ShellRan());
}

TEST_F(RealStart, HostileNamesReachTheSearchProgramWhole) {
    tamble::AppOptions options;
    options.SearchStringApp = platform::Utf8ToCp932(Program("search"));
    platform::ScriptedPrompts prompts;
    const std::string names[] = {
        "a; touch hacked",
        "-e x",
        kAwkwardName,
        "trailing\\",
        "tab\tand \\\"quote\\\"",
        "$(touch hacked)",
        "¬ ￢ ¥ \\ ‾ ~ — ―.txt",
        "\xF3\xA0\x80\x81 😀 naïve",
    };
    for (const std::string& name : names) {
        const std::string folder = folder_.File("dir " + name.substr(0, 3));
        tamble::RunStringSearch(options, prompts, "-sf:\"$PATH\" -gf:$FILE",
                                platform::Utf8ToCp932(folder), platform::Utf8ToCp932(name));
        EXPECT_EQ(Recorded(), (std::vector<std::string>{"-sf:" + folder, "-gf:" + name})) << name;
    }
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_FALSE(ShellRan());
}
