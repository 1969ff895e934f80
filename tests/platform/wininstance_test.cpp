// The instance lock, the hand-over pipe and the program's places on
// Windows, with a second process where the rule is about processes.
#include "platform/handovermessage.h"
#include "platform/instancehandover.h"
#include "platform/instancelock.h"
#include "platform/locations.h"

#include "tests/common/tempfolder.h"
#include "tests/platform/widefiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace {

// Runs the lock holder on name in its own process; its exit code.
DWORD AcquireInChild(const std::string& name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path, length);
    program = program.substr(0, program.rfind(L'\\')) + L"\\lockholder.exe";
    std::wstring commandLine = L"lockholder " + widefiles::Widen(name);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return 99;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 98;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

TEST(WindowsInstanceLock, SecondHolderIsRefusedUntilTheFirstEnds) {
    const std::string name = "TambleTest" + std::to_string(GetCurrentProcessId());
    EXPECT_EQ(platform::InstanceLockPath(name), "Local\\" + name);
    // Nobody holds it: a child takes it, and it is free again once the child ends.
    EXPECT_EQ(AcquireInChild(name), 0u);
    ASSERT_TRUE(platform::AcquireInstanceLock(name));
    EXPECT_EQ(AcquireInChild(name), 1u);
    EXPECT_FALSE(platform::AcquireInstanceLock(name));
    EXPECT_EQ(AcquireInChild(name + "Other"), 0u);
}

// A listener on the pipe the running instance would own; what it received.
class PipeListener {
public:
    explicit PipeListener(const std::string& name)
        : pipe_(CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND,
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, 65536, 0,
                                 nullptr)),
          reader_([this] {
              // A writer that came and went before this call still left its bytes.
              ConnectNamedPipe(pipe_, nullptr);
              char buffer[4096];
              DWORD got = 0;
              while (ReadFile(pipe_, buffer, sizeof buffer, &got, nullptr) && got > 0)
                  received_.append(buffer, got);
          }) {}
    ~PipeListener() {
        if (reader_.joinable()) reader_.join();
        CloseHandle(pipe_);
    }
    // Waits for the writer to go; everything it wrote.
    std::string Received() {
        reader_.join();
        return received_;
    }

private:
    HANDLE pipe_;
    std::string received_;
    std::thread reader_;
};

TEST(WindowsHandover, PathReachesTheListenerOfThisSession) {
    const std::string pipe =
        platform::InstanceSocketPath("TambleTest" + std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(pipe.rfind("\\\\.\\pipe\\", 0), 0u) << pipe;
    EXPECT_FALSE(platform::HandOverPath(pipe, "C:\\x"));

    PipeListener listener(pipe);
    ASSERT_TRUE(platform::HandOverPath(pipe, "C:\\dir with blank\\a.txt"));
    platform::HandoverDecoder decoder;
    EXPECT_EQ(decoder.Feed(listener.Received()), platform::HandoverDecoder::State::Done);
    EXPECT_EQ(decoder.Path(), "C:\\dir with blank\\a.txt");
}

class WindowsLocations : public ::testing::Test {
protected:
    ~WindowsLocations() override { SetEnvironmentVariableW(L"TAMBLE_CONFIG_DIR", nullptr); }
    // _wgetenv reads the runtime's copy of the environment.
    static void SetConfigOverride(const std::wstring& value) {
        _wputenv_s(L"TAMBLE_CONFIG_DIR", value.c_str());
    }
};

TEST_F(WindowsLocations, ProgramFilesBesideTheProgramOrTheOverride) {
    const std::string program = platform::ProgramPath();
    ASSERT_GT(program.size(), 4u);
    EXPECT_EQ(program.substr(program.size() - 4), ".exe");
    EXPECT_EQ(platform::ProgramFolder(), program.substr(0, program.rfind('\\')));
    // The test's own folder takes new files, so its files are kept there.
    _wputenv_s(L"TAMBLE_CONFIG_DIR", L"");
    EXPECT_EQ(platform::DataFolder(), platform::ProgramFolder());
    EXPECT_EQ(platform::SettingsFilePath(),
              platform::ProgramFolder() + "\\win32_platform_tests.ini");

    TempFolder folder;
    SetConfigOverride(widefiles::Widen(folder.File("config")));
    EXPECT_EQ(platform::DataFolder(), folder.File("config"));
    EXPECT_TRUE(widefiles::IsFolder(widefiles::Widen(folder.File("config"))));
    _wputenv_s(L"TAMBLE_CONFIG_DIR", L"");
}

TEST_F(WindowsLocations, SystemProgramFoldersAreNeverTheProgramsOwn) {
    wchar_t programFiles[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH), 0u);
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"SystemRoot", windows, MAX_PATH), 0u);
    std::string files(programFiles, programFiles + wcslen(programFiles));
    std::string system(windows, windows + wcslen(windows));
    const struct {
        std::string folder;
        bool system;
    } rows[] = {
        {files, true},         {files + "\\Tamble", true}, {system + "\\System32", true},
        {"c:\\WINDOWS", true}, {files + "x", false},       {"C:\\Tools\\Tamble", false},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::IsSystemProgramFolder(row.folder), row.system) << row.folder;
}

} // namespace
