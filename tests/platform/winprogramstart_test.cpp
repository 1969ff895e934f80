// Real starts on Windows: a recorder program tells which command line and
// which arguments it received. Nothing may pass through a command
// interpreter, so shell syntax must arrive as text and run nothing.
#include "platform/programstart.h"

#include "platform/codepage.h"
#include "platform/commandline.h"
#include "tests/common/tempfolder.h"
#include "tests/platform/widefiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

using widefiles::Exists;
using widefiles::Widen;

std::wstring TestProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\'));
}

class WindowsStart : public ::testing::Test {
protected:
    WindowsStart() {
        // The recorder, under a name with a blank, in a folder with a blank.
        CreateDirectoryW(Wide("my tools").c_str(), nullptr);
        CopyFileW((TestProgramFolder() + L"\\commandline_recorder.exe").c_str(),
                  Wide("my tools\\rec order.exe").c_str(), FALSE);
        SetEnvironmentVariableW(L"TAMBLE_ARGUMENT_RECORD", Wide("record").c_str());
        // A command interpreter would write its redirections here.
        GetCurrentDirectoryW(MAX_PATH, savedFolder_);
        SetCurrentDirectoryW(Widen(folder_.Path()).c_str());
    }
    ~WindowsStart() override {
        SetCurrentDirectoryW(savedFolder_);
        SetEnvironmentVariableW(L"TAMBLE_ARGUMENT_RECORD", nullptr);
    }

    std::wstring Wide(const std::string& name) const { return Widen(folder_.File(name)); }
    std::string Recorder() const {
        return platform::Utf8ToCp932(folder_.File("my tools\\rec order.exe"));
    }

    // The command line and then the arguments the started program recorded;
    // waits for it to finish.
    std::vector<std::string> Recorded() {
        for (int tries = 0; tries < 600 && !Exists(Wide("record")); ++tries)
            Sleep(25);
        std::vector<std::string> fields;
        const std::string bytes = widefiles::Read(Wide("record")).value_or("");
        for (size_t at = 0; at < bytes.size();) {
            const size_t colon = bytes.find(':', at);
            const size_t length = std::stoul(bytes.substr(at, colon - at));
            fields.push_back(bytes.substr(colon + 1, length));
            at = colon + 1 + length + 1;
        }
        DeleteFileW(Wide("record").c_str());
        return fields;
    }

    TempFolder folder_;
    wchar_t savedFolder_[MAX_PATH] = {};
};

TEST_F(WindowsStart, ParameterTextIsTheCommandLineAsItIs) {
    const struct {
        const char* what;
        std::string parameters;
    } cases[] = {
        {"blanks and quotes", "a \"b c\" d"},
        {"escaped quotes", "\\\"x\\\""},
        {"trailing backslash in quotes", "\"C:\\Program Files\\\\\""},
        {"shell syntax", "x & y | z < in > out ^ u && echo ran > ran.txt"},
        {"japanese", platform::Cp932("日本語 \"ファイル 名\".txt")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::StartProgram({Recorder(), c.parameters, false, platform::ShowCommand::Show});
        const std::vector<std::string> fields = Recorded();
        ASSERT_FALSE(fields.empty());
        const std::string tail = " " + platform::Cp932ToUtf8(c.parameters);
        const std::string& commandLine = fields.front();
        ASSERT_GE(commandLine.size(), tail.size());
        EXPECT_EQ(commandLine.substr(commandLine.size() - tail.size()), tail);
        // The arguments the system makes of it are those the program's own
        // splitter gives, which is what the POSIX build passes.
        std::vector<std::string> expected;
        for (const std::string& argument : platform::SplitCommandLine(c.parameters))
            expected.push_back(platform::Cp932ToUtf8(argument));
        EXPECT_EQ(std::vector<std::string>(fields.begin() + 1, fields.end()), expected);
    }
    EXPECT_FALSE(Exists(Wide("out")));
    EXPECT_FALSE(Exists(Wide("ran.txt")));
}

TEST_F(WindowsStart, OnePathArrivesAsOneArgument) {
    const std::string paths[] = {
        folder_.File("dir with blank\\file.txt"),
        folder_.File("trailing\\"),
        "-x & del *.* ^ \"quoted\"",
        platform::Cp932ToUtf8(platform::Cp932("表示\\ソース.txt")),
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        platform::StartProgram(
            {Recorder(), platform::Utf8ToCp932(path), true, platform::ShowCommand::Normal});
        const std::vector<std::string> fields = Recorded();
        ASSERT_EQ(fields.size(), 2u);
        EXPECT_EQ(fields[1], path);
    }
}

TEST_F(WindowsStart, NoParametersGiveNoArguments) {
    platform::StartProgram({Recorder(), std::nullopt, false, platform::ShowCommand::Show});
    EXPECT_EQ(Recorded().size(), 1u);
}

} // namespace
