#include "savechecks.h"
#include "tempfolder.h"
#include "textfile.h"

#include <gtest/gtest.h>

namespace {

// The portable replacer, which the library uses when nothing is installed.
const SaveFunction kSave = [](const std::string& path, const std::string& text) {
    return WriteTextFileAtomically(path.c_str(), text);
};

TEST(TextFile, TwoSavesAtOnceLeaveOneWholeVersion) {
    TempFolder folder;
    EXPECT_EQ(RaceTwoSaves(folder.File("shared.txt"), kSave, 40), "");
}

TEST(TextFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
    ExpectFailedSavesKeepOldFiles(kSave);
}

// The installed replacer gets the mapped path and the CR LF bytes.
TEST(TextFile, SavesGoThroughTheInstalledReplacer) {
    static std::string seenPath;
    static std::string seenBytes;
    SetTextFileReplacer([](const std::string& path, const std::string& bytes) {
        seenPath = path;
        seenBytes = bytes;
        return false;
    });
    SetTextFilePathMapper([](const char* path) { return std::string("mapped/") + path; });
    const bool saved = WriteTextFileAtomically("a.txt", "x\ny\n");
    SetTextFilePathMapper(nullptr);
    SetTextFileReplacer(nullptr);
    EXPECT_FALSE(saved);
    EXPECT_EQ(seenPath, "mapped/a.txt");
    EXPECT_EQ(seenBytes, "x\r\ny\r\n");
}

} // namespace
