#include "tests/common/savechecks.h"
#include "tests/common/tempfolder.h"
#include "textlib/textfile.h"

#include <gtest/gtest.h>

namespace {

// The portable replacer, which the library uses when nothing is installed.
const SaveFunction kSave = [](const std::string& path, const std::string& text) {
    return WriteTextFileAtomically(path.c_str(), text);
};

#ifndef _WIN32
// Not on Windows: there a rename fails while another rename replaces the
// same target, so one of two saves at once may report failure (keeping the
// other's file whole). Programs install the platform's replacer, which
// waits for the target, and its tests race two saves there.
TEST(TextFile, TwoSavesAtOnceLeaveOneWholeVersion) {
    TempFolder folder;
    EXPECT_EQ(RaceTwoSaves(folder.File("shared.txt"), kSave, 40), "");
}
#endif

TEST(TextFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
    ExpectFailedSavesKeepOldFiles(kSave);
}

// The installed replacer gets the mapped path and the CR LF bytes.
TEST(TextFile, SavesGoThroughTheInstalledReplacer) {
    static std::filesystem::path seenPath;
    static std::string seenBytes;
    SetTextFileReplacer([](const std::filesystem::path& path, const std::string& bytes) {
        seenPath = path;
        seenBytes = bytes;
        return false;
    });
    SetTextFilePathMapper([](const char* path) { return std::filesystem::path("mapped") / path; });
    const bool saved = WriteTextFileAtomically("a.txt", "x\ny\n");
    SetTextFilePathMapper(nullptr);
    SetTextFileReplacer(nullptr);
    EXPECT_FALSE(saved);
    EXPECT_EQ(seenPath, std::filesystem::path("mapped") / "a.txt");
    EXPECT_EQ(seenBytes, "x\r\ny\r\n");
}

// A mapper answers an empty path for a text that names no file: nothing is
// opened or replaced, and both directions report failure.
TEST(TextFile, TextThatNamesNoFileOpensNothing) {
    static int replacements = 0;
    SetTextFileReplacer([](const std::filesystem::path&, const std::string&) {
        ++replacements;
        return true;
    });
    SetTextFilePathMapper([](const char*) { return std::filesystem::path(); });
    std::string text = "stale";
    const bool read = ReadTextFile("a.txt", text);
    const bool saved = WriteTextFileAtomically("a.txt", "x");
    SetTextFilePathMapper(nullptr);
    SetTextFileReplacer(nullptr);
    EXPECT_FALSE(read);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(saved);
    EXPECT_EQ(replacements, 0);
}

} // namespace
