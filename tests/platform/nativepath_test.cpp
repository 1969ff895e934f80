#include "platform/codepage.h"
#include "platform/filereplace.h"
#include "platform/nativepath.h"
#include "tests/common/tempfolder.h"
#include "textlib/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::NativePath;
using platform::PathOfText;
using platform::TextOfPath;

// The native name of each CP932 text, written as its UTF-8 (which is its
// native text on every system); nullptr where the text names nothing.
TEST(NativePath, Cp932TextsNameTheirCharacters) {
    const struct {
        const char* name;
        std::string cp932;
        const char* utf8;
    } cases[] = {
        {"ASCII", "dir/a.ini", "dir/a.ini"},
        {"trail byte 0x5C stays inside its character", "\x95\x5C\x83\x5C.txt", "表ソ.txt"},
        {"half-width katakana", "\xB6\xC5", "ｶﾅ"},
        {"escaped emoji", platform::Utf8ToCp932("😀.c"), "😀.c"},
        {"yen sign escaped, not a backslash", platform::Utf8ToCp932("¥"), "¥"},
        {"empty", "", nullptr},
        {"byte that starts no character", std::string("a\xA0") + "b", nullptr},
        {"lead byte at the end", "a\x95", nullptr},
    };
    for (const auto& c : cases) {
        const fs::path native = NativePath(c.cp932);
        if (!c.utf8) {
            EXPECT_TRUE(native.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(TextOfPath(native), c.utf8) << c.name;
        EXPECT_EQ(native, PathOfText(c.utf8)) << c.name;
    }
}

TEST(NativePath, TextsOfPathsComeBack) {
    const std::string texts[] = {"plain", "日本語/ファイル.txt", "😀", "a b  c", ""};
    for (const std::string& text : texts)
        EXPECT_EQ(TextOfPath(PathOfText(text)), text) << text;
#ifdef _WIN32
    // A lone surrogate is a legal Windows name unit; its generalized UTF-8
    // comes back, and bytes that are no UTF-8 at all name nothing.
    const std::string lone = std::string("a\xED\xA0\x80") + "b";
    EXPECT_EQ(PathOfText(lone).native(), (std::wstring{L'a', wchar_t(0xD800), L'b'}));
    EXPECT_EQ(TextOfPath(PathOfText(lone)), lone);
    EXPECT_TRUE(PathOfText("\xFF").empty());
#endif
}

// The program's set-up: the text library opens CP932 paths through
// NativePath and saves through the platform's replacer, so a settings file
// with a Japanese name is written under that name and reads back.
TEST(NativePath, TextLibraryFilesWithJapaneseNamesRoundTrip) {
    TempFolder folder;
    SetTextFilePathMapper([](const char* path) { return NativePath(path); });
    SetTextFileReplacer(platform::ReplaceFileAtomically);
    // The folder's own name is ASCII here; "設定.ini" in CP932 after it.
    const std::string cp932 = folder.Path() + "/\x90\xDD\x92\xE8.ini";
    const bool saved = WriteTextFileAtomically(cp932.c_str(), "[\x93\xFA]\nk=\x95\x5C\n");
    std::string text;
    const bool read = ReadTextFile(cp932.c_str(), text);
    SetTextFilePathMapper(nullptr);
    SetTextFileReplacer(nullptr);
    ASSERT_TRUE(saved);
    ASSERT_TRUE(read);
    EXPECT_EQ(text, "[\x93\xFA]\nk=\x95\x5C\n");
    ASSERT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
    EXPECT_EQ(TextOfPath(fs::directory_iterator(folder.Path())->path().filename()), "設定.ini");
}

} // namespace
