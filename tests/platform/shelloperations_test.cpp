// The file operations through the system's shell on real temporary trees,
// with its boxes switched off (they need a display): what each operation
// leaves on disk, and that nothing beside the named entries is touched.
#include "platform/fileops/shellcommon.h"

#include "platform/codepage.h"
#include "platform/direntries.h"
#include "platform/filecopy.h"
#include "platform/widename.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"
#include "tests/platform/widefiles.h"

#include <gtest/gtest.h>

#include <windows.h>
// windows.h names CopyFileA or CopyFileW CopyFile; the one meant is platform::CopyFile.
#undef CopyFile

#include <string>
#include <vector>

namespace {

using widefiles::Exists;
using widefiles::IsFolder;
using widefiles::Read;
using widefiles::Widen;
using widefiles::Write;

bool RunsUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

class ShellOperations : public ::testing::Test {
protected:
    ShellOperations() {
        owner_.prompts = &prompts_;
        owner_.shellBoxes = false;
        CreateDirectoryW(Wide("dst").c_str(), nullptr);
    }

    // Full paths below the temporary folder, wide and as the program's text.
    std::wstring Wide(const std::wstring& name) const {
        return Widen(folder_.Path()) + L"\\" + name;
    }
    std::wstring Wide(const std::string& name) const { return Wide(Widen(name)); }
    std::string Text(const std::wstring& name) const {
        const std::wstring path = Wide(name);
        return platform::WideToCp932Name(
            std::u16string(reinterpret_cast<const char16_t*>(path.c_str()), path.size()));
    }
    std::string Text(const std::string& name) const { return Text(Widen(name)); }

    // A folder "tree" with "tree\inner.txt", and the file "a.txt".
    void MakeSources() {
        CreateDirectoryW(Wide("tree").c_str(), nullptr);
        ASSERT_TRUE(Write(Wide("tree\\inner.txt"), "inner"));
        ASSERT_TRUE(Write(Wide("a.txt"), "alpha"));
    }

    size_t EntriesIn(const std::string& folder) const {
        size_t count = 0;
        WIN32_FIND_DATAW data{};
        const HANDLE search = FindFirstFileW((Wide(folder) + L"\\*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) return 0;
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") ++count;
        } while (FindNextFileW(search, &data));
        FindClose(search);
        return count;
    }

    TempFolder folder_;
    platform::ScriptedPrompts prompts_;
    platform::ShellOwner owner_;
};

TEST_F(ShellOperations, CopyLeavesSourcesAndMakesWholeCopies) {
    MakeSources();
    ASSERT_EQ(platform::ShellCopy(owner_, {Text("a.txt"), Text("tree")}, Text("dst"), false),
              platform::kFileOperationDone);
    EXPECT_EQ(Read(Wide("dst\\a.txt")), "alpha");
    EXPECT_EQ(Read(Wide("dst\\tree\\inner.txt")), "inner");
    EXPECT_EQ(Read(Wide("a.txt")), "alpha");
    EXPECT_EQ(Read(Wide("tree\\inner.txt")), "inner");
}

TEST_F(ShellOperations, CopyIntoItsOwnFolderMakesANewNameWhenAsked) {
    MakeSources();
    ASSERT_EQ(platform::ShellCopy(owner_, {Text("a.txt")}, folder_.Path(), true),
              platform::kFileOperationDone);
    EXPECT_EQ(Read(Wide("a.txt")), "alpha");
    if (RunsUnderWine())
        GTEST_SKIP() << "Wine's shell ignores the rename-on-collision flag and copies nothing";
    // a.txt, its copy under a new name, tree and dst.
    EXPECT_EQ(EntriesIn(""), 4u);
}

TEST_F(ShellOperations, FolderIsNeverCopiedOrMovedIntoItself) {
    MakeSources();
    CreateDirectoryW(Wide("tree\\below").c_str(), nullptr);
    for (const char* into : {"tree", "tree\\below"}) {
        SCOPED_TRACE(into);
        EXPECT_EQ(platform::ShellCopy(owner_, {Text("tree")}, Text(into), false),
                  platform::kFileOperationFailed);
        EXPECT_EQ(platform::ShellMove(owner_, {Text("tree")}, Text(into)),
                  platform::kFileOperationFailed);
    }
    EXPECT_EQ(prompts_.asked.size(), 4u);
    EXPECT_EQ(EntriesIn("tree"), 2u);
    EXPECT_EQ(EntriesIn("tree\\below"), 0u);
}

TEST_F(ShellOperations, MoveTakesFilesAndFoldersAway) {
    MakeSources();
    ASSERT_EQ(platform::ShellMove(owner_, {Text("a.txt"), Text("tree")}, Text("dst")),
              platform::kFileOperationDone);
    EXPECT_EQ(Read(Wide("dst\\a.txt")), "alpha");
    EXPECT_EQ(Read(Wide("dst\\tree\\inner.txt")), "inner");
    EXPECT_FALSE(Exists(Wide("a.txt")));
    EXPECT_FALSE(Exists(Wide("tree")));
}

TEST_F(ShellOperations, MoveOntoAnExistingNameReplacesItWithoutBoxes) {
    MakeSources();
    ASSERT_TRUE(Write(Wide("dst\\a.txt"), "old"));
    ASSERT_EQ(platform::ShellMove(owner_, {Text("a.txt")}, Text("dst")),
              platform::kFileOperationDone);
    EXPECT_EQ(Read(Wide("dst\\a.txt")), "alpha");
    EXPECT_FALSE(Exists(Wide("a.txt")));
}

TEST_F(ShellOperations, RenameNeverReplacesAnotherEntry) {
    MakeSources();
    ASSERT_TRUE(Write(Wide("b.txt"), "beta"));
    EXPECT_EQ(platform::ShellRename(owner_, {Text("a.txt")}, Text("b.txt")),
              platform::kFileOperationFailed);
    EXPECT_EQ(Read(Wide("a.txt")), "alpha");
    EXPECT_EQ(Read(Wide("b.txt")), "beta");
    ASSERT_EQ(prompts_.asked.size(), 1u);

    // Another case of the same name is the same entry: a rename.
    ASSERT_EQ(platform::ShellRename(owner_, {Text("a.txt")}, Text("A.TXT")),
              platform::kFileOperationDone);
    ASSERT_EQ(platform::ShellRename(owner_, {Text("tree")}, Text("renamed tree")),
              platform::kFileOperationDone);
    EXPECT_EQ(Read(Wide("renamed tree\\inner.txt")), "inner");
    EXPECT_FALSE(Exists(Wide("tree")));
    if (RunsUnderWine()) GTEST_SKIP() << "Wine keeps the letter case of a renamed name";
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(Wide("a.txt").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(std::wstring(data.cFileName), L"A.TXT");
}

TEST_F(ShellOperations, DeleteForGoodAndToTheRecycleBinRemoveOnlyTheNamed) {
    MakeSources();
    ASSERT_TRUE(Write(Wide("keep.txt"), "keep"));
    ASSERT_EQ(platform::ShellDelete(owner_, {Text("a.txt"), Text("tree")}, false),
              platform::kFileOperationDone);
    EXPECT_FALSE(Exists(Wide("a.txt")));
    EXPECT_FALSE(Exists(Wide("tree")));

    MakeSources();
    ASSERT_EQ(platform::ShellDelete(owner_, {Text("a.txt"), Text("tree")}, true),
              platform::kFileOperationDone);
    EXPECT_FALSE(Exists(Wide("a.txt")));
    EXPECT_FALSE(Exists(Wide("tree")));
    EXPECT_EQ(Read(Wide("keep.txt")), "keep");
    EXPECT_TRUE(IsFolder(Wide("dst")));
}

TEST_F(ShellOperations, EmptyListDoesNothing) {
    EXPECT_EQ(platform::ShellDelete(owner_, {}, false), platform::kFileOperationDone);
    EXPECT_TRUE(prompts_.asked.empty());
}

// Names that code page 932 cannot hold, listed, opened, renamed and deleted
// by their program text, beside names such a name could be confused with.
TEST_F(ShellOperations, NamesOutsideTheCodePageAreReachedAndNothingElse) {
    const std::vector<std::pair<std::wstring, std::string>> siblings = {
        {L"\uFFE5.txt", "full-width yen, a code page 932 character"},
        {L"yen.txt", "plain"},
        {L"_.txt", "what a lossy conversion might write"},
    };
    for (const auto& [name, bytes] : siblings)
        ASSERT_TRUE(Write(Wide(name), bytes));
    const struct {
        const char* what;
        std::wstring name;
    } cases[] = {
        {"emoji", L"\U0001F600.txt"},
        {"yen sign U+00A5", L"\u00A5.txt"},
        {"tag character", L"flag\U000E0067.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Write(Wide(c.name), c.what));

        // Listed under a text that leads back to exactly this file.
        std::vector<platform::DirEntry> listed;
        ASSERT_TRUE(platform::EnumerateFolder(platform::Utf8ToCp932(folder_.Path()), "*", true,
                                              [&](const platform::DirEntry& e) {
                                                  listed.push_back(e);
                                                  return true;
                                              }));
        const std::string text = Text(c.name);
        const std::string bare = text.substr(text.rfind('\\') + 1);
        size_t matches = 0;
        for (const platform::DirEntry& entry : listed) {
            if (entry.name != bare) continue;
            ++matches;
            EXPECT_EQ(entry.size, std::string(c.what).size());
        }
        EXPECT_EQ(matches, 1u);

        // Opened: its bytes are copied, not another file's.
        ASSERT_EQ(platform::CopyFile(text, Text("copied.bin"), false), 0);
        EXPECT_EQ(Read(Wide("copied.bin")), c.what);

        const std::wstring renamed = L"renamed " + c.name;
        ASSERT_EQ(platform::ShellRename(owner_, {text}, Text(renamed)),
                  platform::kFileOperationDone);
        EXPECT_FALSE(Exists(Wide(c.name)));
        EXPECT_EQ(Read(Wide(renamed)), c.what);

        ASSERT_EQ(platform::ShellDelete(owner_, {Text(renamed)}, false),
                  platform::kFileOperationDone);
        EXPECT_FALSE(Exists(Wide(renamed)));
        for (const auto& [name, bytes] : siblings)
            EXPECT_EQ(Read(Wide(name)), bytes);
    }
    EXPECT_TRUE(prompts_.asked.empty());
}

// A link to a folder outside is deleted as the link; what it leads to stays.
TEST_F(ShellOperations, DeletingALinkNeverReachesItsTarget) {
    CreateDirectoryW(Wide("outside").c_str(), nullptr);
    ASSERT_TRUE(Write(Wide("outside\\precious.txt"), "precious"));
    CreateDirectoryW(Wide("inside").c_str(), nullptr);
    // Wine reports success and makes no link.
    if (!CreateSymbolicLinkW(Wide("inside\\link").c_str(), Wide("outside").c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY) ||
        !Exists(Wide("inside\\link")))
        GTEST_SKIP() << "this system makes no folder links here";
    for (bool toRecycleBin : {false, true}) {
        SCOPED_TRACE(toRecycleBin ? "to the recycle bin" : "for good");
        ASSERT_EQ(platform::ShellDelete(owner_, {Text("inside")}, toRecycleBin),
                  platform::kFileOperationDone);
        EXPECT_FALSE(Exists(Wide("inside")));
        EXPECT_EQ(Read(Wide("outside\\precious.txt")), "precious");
        CreateDirectoryW(Wide("inside").c_str(), nullptr);
        ASSERT_TRUE(CreateSymbolicLinkW(Wide("inside\\link").c_str(), Wide("outside").c_str(),
                                        SYMBOLIC_LINK_FLAG_DIRECTORY));
    }
    ASSERT_EQ(platform::ShellDelete(owner_, {Text("inside\\link")}, false),
              platform::kFileOperationDone);
    EXPECT_EQ(Read(Wide("outside\\precious.txt")), "precious");
}

} // namespace

namespace {

TEST_F(ShellOperations, PlainCopyRefusesWhatWouldLoseTheSource) {
    ASSERT_TRUE(Write(Wide("a.txt"), "alpha"));
    ASSERT_TRUE(Write(Wide("b.txt"), "beta"));
    const bool linked = CreateHardLinkW(Wide("hard.txt").c_str(), Wide("a.txt").c_str(), nullptr);
    const struct {
        const char* what;
        std::string target;
        bool failIfExists;
        int error;
    } cases[] = {
        {"itself", Text("a.txt"), false, EINVAL},
        {"itself in other letters", Text("A.TXT"), false, EINVAL},
        {"a folder", Text("dst"), false, EISDIR},
        {"an existing file when asked not to", Text("b.txt"), true, EEXIST},
        {"a name that names no file", Text("") + "\x81", false, EINVAL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(platform::CopyFile(Text("a.txt"), c.target, c.failIfExists), c.error);
    }
    if (linked) {
        EXPECT_EQ(platform::CopyFile(Text("a.txt"), Text("hard.txt"), false), EINVAL);
    }
    EXPECT_EQ(Read(Wide("a.txt")), "alpha");
    EXPECT_EQ(Read(Wide("b.txt")), "beta");
    EXPECT_EQ(platform::CopyFile(Text("a.txt"), Text("b.txt"), false), 0);
    EXPECT_EQ(Read(Wide("b.txt")), "alpha");
    EXPECT_EQ(platform::CopyFile(Text("missing"), Text("c.txt"), false), ENOENT);
}

} // namespace

namespace {

// The copy keeps what the system's own CopyFileW keeps: the last write time
// and the attributes, also over an existing file. (Wine's CopyFileW keeps the
// time but not the attributes, so those are compared with the source's.)
TEST_F(ShellOperations, PlainCopyKeepsTimesAndAttributesAsTheSystemsCopy) {
    ASSERT_TRUE(Write(Wide("old.txt"), "old"));
    ASSERT_TRUE(Write(Wide("existing.txt"), "to be replaced"));
    ASSERT_TRUE(Write(Wide("existing-system.txt"), "to be replaced"));
    const struct {
        const char* what;
        DWORD attributes;
    } cases[] = {
        {"plain", FILE_ATTRIBUTE_NORMAL},
        {"hidden and read-only", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY},
        {"system, archived", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
    };
    const HANDLE source = CreateFileW(Wide("old.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(source, INVALID_HANDLE_VALUE);
    FILETIME written{};
    written.dwHighDateTime = 0x01c0'0000; // 1994, far from now
    ASSERT_TRUE(SetFileTime(source, nullptr, nullptr, &written));
    CloseHandle(source);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(SetFileAttributesW(Wide("old.txt").c_str(), c.attributes));
        ASSERT_EQ(platform::CopyFile(Text("old.txt"), Text("ours.txt"), false), 0);
        ASSERT_TRUE(CopyFileW(Wide("old.txt").c_str(), Wide("theirs.txt").c_str(), FALSE));
        WIN32_FILE_ATTRIBUTE_DATA ours{}, theirs{};
        ASSERT_TRUE(GetFileAttributesExW(Wide("ours.txt").c_str(), GetFileExInfoStandard, &ours));
        ASSERT_TRUE(
            GetFileAttributesExW(Wide("theirs.txt").c_str(), GetFileExInfoStandard, &theirs));
        EXPECT_EQ(ours.dwFileAttributes, GetFileAttributesW(Wide("old.txt").c_str()));
        EXPECT_EQ(CompareFileTime(&ours.ftLastWriteTime, &theirs.ftLastWriteTime), 0);
        EXPECT_EQ(CompareFileTime(&ours.ftLastWriteTime, &written), 0);
        EXPECT_EQ(Read(Wide("ours.txt")), "old");
        // Read-only copies must be made writable again for the next round.
        SetFileAttributesW(Wide("ours.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesW(Wide("theirs.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

} // namespace
