#include "platform/filereplace.h"
#include "tests/common/savechecks.h"
#include "tests/common/tempfolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <random>
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

// After a save of item.lst was killed: the file is one of the two whole
// versions, and the next save leaves nothing else in the folder. Counts the
// kills that left a temporary behind in leftBehind.
void SaveAfterAKill(const TempFolder& folder, const std::string (&texts)[2], int trial,
                    int& leftBehind) {
    const std::string after = folder.Read("item.lst");
    EXPECT_TRUE(after == texts[0] || after == texts[1]) << after.size() << " bytes";
    if (FolderNames(folder.Path()).size() > 1) ++leftBehind;
    ASSERT_TRUE(platform::ReplaceFileAtomically(folder.File("item.lst"), texts[trial % 2]));
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"item.lst"});
    EXPECT_EQ(folder.Read("item.lst"), texts[trial % 2]);
}

TEST(FileReplace, SaveTemporaryNames) {
    const struct {
        const char* name;
        std::optional<unsigned long> process;
    } cases[] = {
        {".tamble-save-12-3.tmp~", 12},
        {".tamble-save-0-0.tmp~", 0},
        {".tamble-save-4294967295-184467440737095516150.tmp~", 4294967295ul},
        {".tamble-save-12.tmp~", std::nullopt},
        {".tamble-save-12-.tmp~", std::nullopt},
        {".tamble-save--3.tmp~", std::nullopt},
        {".tamble-save-+12-3.tmp~", std::nullopt},
        {".tamble-save-12-3.tmp~x", std::nullopt},
        {".tamble-save-12-3.tmp", std::nullopt},
        {"tamble-save-12-3.tmp~", std::nullopt},
        {".tamble-save-99999999999999999999999-3.tmp~", std::nullopt},
        {"a.tmp~", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::SaveTemporaryProcess(c.name), c.process) << c.name;
    EXPECT_EQ(platform::SaveTemporaryName(12, 3), ".tamble-save-12-3.tmp~");
    EXPECT_EQ(platform::SaveTemporaryProcess(platform::SaveTemporaryName(77, 5)), 77ul);
}

// The id of a process that has ended (and, on Windows, whose id no other
// process can take while the test holds its handle).
class EndedProcess {
public:
    EndedProcess() {
#ifdef _WIN32
        // This very test program, told to list no test, ends at once.
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring line = L"\"" + std::wstring(self) + L"\" --gtest_list_tests --gtest_filter=-*";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &info))
            return;
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
#else
        const pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        id_ = static_cast<unsigned long>(child);
#endif
    }
    ~EndedProcess() {
#ifdef _WIN32
        if (process_ != nullptr) CloseHandle(process_);
#endif
    }
    EndedProcess(const EndedProcess&) = delete;
    EndedProcess& operator=(const EndedProcess&) = delete;
    [[nodiscard]] unsigned long Id() const {
        return id_;
    }

private:
    unsigned long id_ = 0;
#ifdef _WIN32
    HANDLE process_ = nullptr;
#endif
};

unsigned long OwnProcess() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

// A save removes the temporaries that an ended process left in its
// folder, and nothing else: not those of a process that runs (this one,
// which may be saving in another thread), nor any entry that only looks
// like one.
TEST(FileReplace, SaveRemovesTheTemporariesOfEndedProcessesOnly) {
    TempFolder folder;
    const EndedProcess ended;
    ASSERT_NE(ended.Id(), 0u);
    const std::string gone1 = platform::SaveTemporaryName(ended.Id(), 0);
    const std::string gone2 = platform::SaveTemporaryName(ended.Id(), 7);
    const std::string mine = platform::SaveTemporaryName(OwnProcess(), 999999);
    const std::string lookalike = platform::SaveTemporaryName(ended.Id(), 1) + ".bak";
    const std::string folderLikeOne = platform::SaveTemporaryName(ended.Id(), 2);
    for (const std::string& name : {gone1, gone2, mine, lookalike})
        folder.Write(name, "half a save");
    std::filesystem::create_directory(folder.File(folderLikeOne));
    folder.Write("item.lst", "old");
    ASSERT_TRUE(platform::ReplaceFileAtomically(folder.File("item.lst"), "new"));
    EXPECT_EQ(folder.Read("item.lst"), "new");
    std::vector<std::string> kept{"item.lst", mine, lookalike, folderLikeOne};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(FolderNames(folder.Path()), kept);
    EXPECT_EQ(folder.Read(mine), "half a save");
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

// A saveloop process (saveloop.cpp) saving to path until it is ended.
class SavingProcess {
public:
    explicit SavingProcess(const std::string& path) {
        wchar_t self[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring program(self, length);
        program = program.substr(0, program.rfind(L'\\')) + L"\\saveloop.exe";
        std::wstring line = L"saveloop \"" + std::wstring(path.begin(), path.end()) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info_))
            info_ = {};
    }
    ~SavingProcess() {
        Kill();
        if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
        if (info_.hThread != nullptr) CloseHandle(info_.hThread);
    }
    SavingProcess(const SavingProcess&) = delete;
    SavingProcess& operator=(const SavingProcess&) = delete;
    [[nodiscard]] bool Started() const { return info_.hProcess != nullptr; }
    [[nodiscard]] unsigned long Id() const { return info_.dwProcessId; }
    // Ends it wherever it is, as a crash or the task manager would.
    void Kill() {
        if (info_.hProcess == nullptr) return;
        TerminateProcess(info_.hProcess, 9);
        WaitForSingleObject(info_.hProcess, INFINITE);
    }

private:
    PROCESS_INFORMATION info_{};
};

// Saves ended at random moments, the next save running normally: the file
// is always one whole version, and after that save no temporary is left;
// a running save's temporary stays.
TEST(FileReplace, KilledSavesLeaveNothingBehindTheNextSave) {
    constexpr int kTrials = 12;
    constexpr size_t kTextBytes = 512 * 1024;
    const std::string texts[2] = {std::string(kTextBytes, 'A'), std::string(kTextBytes, 'B')};
    TempFolder folder;
    const std::string path = folder.Write("item.lst", texts[0]);
    std::mt19937 random(20261209);
    int leftBehind = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE(trial);
        SavingProcess saver(path);
        ASSERT_TRUE(saver.Started());
        Sleep(std::uniform_int_distribution<DWORD>(200, 700)(random));
        saver.Kill();
        SaveAfterAKill(folder, texts, trial, leftBehind);
    }
    EXPECT_GT(leftBehind, 0);

    // Another process that runs: its temporary here is kept.
    TempFolder elsewhere;
    SavingProcess running(elsewhere.File("other.lst"));
    ASSERT_TRUE(running.Started());
    const std::string kept = platform::SaveTemporaryName(running.Id(), 0);
    folder.Write(kept, "half a save");
    EXPECT_TRUE(platform::ReplaceFileAtomically(path, "new"));
    EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{kept, "item.lst"}));
}

#else

// Processes that run, under this user or (pid 1, unless the test runs as
// root) under another, or that ended but wait to be reaped.
TEST(FileReplace, KeepsTheTemporariesOfRunningProcesses) {
    TempFolder folder;
    const pid_t sleeper = fork();
    if (sleeper == 0) {
        pause();
        _exit(0);
    }
    const pid_t zombie = fork();
    if (zombie == 0) _exit(0);
    // The zombie is there once waitid sees it ended (without reaping it).
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(zombie), &info, WEXITED | WNOWAIT), 0);
    const std::string running = platform::SaveTemporaryName(static_cast<unsigned long>(sleeper), 0);
    const std::string init = platform::SaveTemporaryName(1, 0);
    const std::string dead = platform::SaveTemporaryName(static_cast<unsigned long>(zombie), 0);
    for (const std::string& name : {running, init, dead})
        folder.Write(name, "half a save");
    EXPECT_TRUE(platform::ReplaceFileAtomically(folder.File("list.txt"), "new"));
    kill(sleeper, SIGKILL);
    waitpid(sleeper, nullptr, 0);
    waitpid(zombie, nullptr, 0);
    std::vector<std::string> kept{"list.txt", running, init};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(FolderNames(folder.Path()), kept);
}

// Saves killed at random moments, the next save running normally: the
// file is always one whole version, and after that save no temporary is
// left.
TEST(FileReplace, KilledSavesLeaveNothingBehindTheNextSave) {
    constexpr int kTrials = 30;
    constexpr size_t kTextBytes = 512 * 1024;
    const std::string texts[2] = {std::string(kTextBytes, 'A'), std::string(kTextBytes, 'B')};
    TempFolder folder;
    const std::string path = folder.Write("item.lst", texts[0]);
    std::mt19937 random(20261209);
    int leftBehind = 0; // trials whose killed save left a temporary
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE(trial);
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (int n = 0;; ++n)
                (void)platform::ReplaceFileAtomically(path, texts[n % 2]);
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random)));
        kill(saver, SIGKILL);
        waitpid(saver, nullptr, 0);
        SaveAfterAKill(folder, texts, trial, leftBehind);
    }
    // Otherwise the kills all missed the moment that matters.
    EXPECT_GT(leftBehind, 0);
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

#endif

} // namespace
