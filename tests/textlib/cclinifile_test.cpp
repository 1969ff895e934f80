// The INI store: lookups, edits in memory and the normal form on disk.
#include "cclinifile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An INI store loaded from bytes written to a temporary file.
class IniTest : public testing::Test {
protected:
    std::string Load(const std::string& bytes) {
        const std::string path = dir.Write("settings.ini", bytes);
        store.Open(path.c_str(), CCLINI_LOAD);
        return path;
    }

    TempFolder dir;
    CCLIniFile store{nullptr, 0};
};

std::string Read(CCLIniFile& ini, const char* section, const char* key) {
    const CCLString value = ini.ReadString(section, key, "<default>");
    return value.Text() ? value.Text() : "";
}

TEST_F(IniTest, LookupsTable) {
    Load("top=ignored\r\n"
         "[application]\r\n"
         "  UseEditor = vim -p   # my editor\r\n"
         "Empty=\r\n"
         "Number=0x10\r\n"
         "Letters=abc\r\n"
         "NoEquals\r\n"
         "\r\n"
         "[ Position ]\r\n"
         "Left=-5\r\n"
         "[Broken\r\n"
         "Inside=1\r\n");
    struct Row {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Row rows[] = {
        {"Application", "useeditor", "vim -p"},
        {"APPLICATION", "Empty", ""},
        {"Application", "Missing", "<default>"},
        {"Application", "top", "<default>"},
        {"Application", "NoEquals", "<default>"},
        {"Position", "Left", "-5"},
        {"Position", "Inside", "<default>"}, // a header without "]" ends the section
        {"Missing", "Left", "<default>"},
        {"", "Left", "<default>"},
        {"Position", "", "<default>"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Read(store, r.section, r.key), r.expected) << r.section << "/" << r.key;

    EXPECT_EQ(store.ReadInt("Application", "Empty", 7), 7);
    EXPECT_EQ(store.ReadInt("Application", "Number", 7), 16);
    EXPECT_EQ(store.ReadInt("Application", "Letters", 7), 1122);
    EXPECT_EQ(store.ReadInt("Position", "Left", 0), -5);
    EXPECT_TRUE(store.ReadBool("Application", "Number", false));
    EXPECT_TRUE(store.ReadBool("Application", "Missing", true));
    EXPECT_EQ(store.FindSection("position"), 8);
    EXPECT_EQ(store.FindKey("Position", "left"), 9);
    EXPECT_EQ(store.ReadString("X", "y", nullptr).Text(), nullptr);
}

TEST_F(IniTest, WritesEditLinesInPlace) {
    Load("[A]\r\nk=1 # keep me\r\n[B]\r\nz=9\r\n");
    store.WriteString("A", "K", "2", nullptr); // keeps the comment in memory
    store.WriteString("A", "new", "3", nullptr);
    store.WriteInt("C", "n", -4, "why");
    EXPECT_EQ(Read(store, "A", "k"), "2");
    EXPECT_EQ(store.FindKey("A", "new"), 2); // before the next header
    EXPECT_EQ(store.FindSection("C"), 6);    // after the empty last line
    CCLStringList* a = store.GetSection("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Count(), 2);
    EXPECT_STREQ(a->Text(0), "K=2");
    delete a;
    EXPECT_EQ(Read(store, "C", "n"), "-4");

    EXPECT_EQ(store.DeleteKey("B", "z"), 0);
    EXPECT_EQ(store.FindSection("B"), -1); // its last key took the header along
    EXPECT_EQ(store.DeleteKey("B", "z"), 1);
    EXPECT_EQ(store.GetSection("B"), nullptr);
}

TEST_F(IniTest, HashInsideAWordIsPartOfTheValue) {
    const std::string path = Load("[A]\r\nEditor=C:\\C#\\ed.exe\r\nTab=x\t#note\r\n#k=1\r\n");
    EXPECT_EQ(Read(store, "A", "Editor"), "C:\\C#\\ed.exe");
    EXPECT_EQ(Read(store, "A", "Tab"), "x");
    EXPECT_EQ(Read(store, "A", "k"), "<default>");
    store.WriteString("A", "Folder", "/home/u/C#", nullptr);
    ASSERT_EQ(store.Save(path.c_str(), true), 1);
    CCLIniFile back(path.c_str(), CCLINI_LOAD);
    EXPECT_EQ(Read(back, "A", "Folder"), "/home/u/C#");
    EXPECT_EQ(Read(back, "A", "Editor"), "C:\\C#\\ed.exe");
}

TEST_F(IniTest, LineBreaksInAValueCannotAddEntries) {
    Load("");
    store.WriteString("A", "k", "x\nevil=1", nullptr);
    EXPECT_EQ(Read(store, "A", "evil"), "<default>");
    EXPECT_EQ(Read(store, "A", "k"), "x evil=1");
}

TEST_F(IniTest, SaveWritesTheNormalForm) {
    const std::string path = Load("; top comment\r\n"
                                  "[Position]   # where\r\n"
                                  "Top = 20\r\n"
                                  "\r\n"
                                  "# remark\r\n"
                                  "Left=10 # x\r\n"
                                  "[Empty]\r\n"
                                  "[Application]\r\n"
                                  "FilterName10=b\r\n"
                                  "FilterName1=a\r\n");
    ASSERT_EQ(store.Save(path.c_str(), true), 1);
    EXPECT_EQ(dir.Read("settings.ini"), "[Position]\r\nLeft=10\r\nTop = 20\r\n\r\n"
                                        "[Empty]\r\n\r\n"
                                        "[Application]\r\nFilterName10=b\r\nFilterName1=a\r\n");
}

TEST_F(IniTest, SaveOnlyStoreRewritesTheFileWhole) {
    const std::string path = dir.Write("fresh.ini", "[Old]\r\nx=1\r\n");
    {
        CCLIniFile ini(path.c_str(), CCLINI_SAVE);
        ini.WriteString("Application", "UseEditor", "notepad.exe", nullptr);
        ini.WriteInt("Position", "Left", 10, nullptr);
        ini.WriteInt("Application", "ActivePage", 0, nullptr);
        ini.WriteInt("Position", "Top", 20, nullptr);
        ini.WriteString("Application", "Pct", "100%s", nullptr);
    }
    const std::string expected =
        "[Application]\r\nActivePage=0\r\nPct=100%s\r\nUseEditor=notepad.exe\r\n\r\n"
        "[Position]\r\nLeft=10\r\nTop=20\r\n";
    EXPECT_EQ(dir.Read("fresh.ini"), expected);

    // Loading and saving the normal form gives the same bytes back.
    {
        CCLIniFile again(path.c_str(), CCLINI_LOAD | CCLINI_SAVE);
        EXPECT_EQ(Read(again, "application", "pct"), "100%s");
    }
    EXPECT_EQ(dir.Read("fresh.ini"), expected);

    // A load-only store never writes.
    {
        CCLIniFile readOnly(path.c_str(), CCLINI_LOAD);
        readOnly.WriteInt("Position", "Left", 99, nullptr);
    }
    EXPECT_EQ(dir.Read("fresh.ini"), expected);
}

TEST_F(IniTest, MissingFileAndLongLines) {
    Load("[A]\r\nk=" + std::string(5000, 'v') + "\r\n" + std::string(400, 'K') + "=1\r\n");
    EXPECT_EQ(Read(store, "A", "k").size(), textlib::kLineScratch - 3u);
    EXPECT_EQ(Read(store, "A", std::string(127, 'K').c_str()), "1"); // keys are cut at their limit
    const std::string longSection(600, 'S');
    store.WriteString(longSection.c_str(), "k", "v", nullptr);
    EXPECT_EQ(Read(store, std::string(255, 'S').c_str(), "k"), "v"); // names too
    store.Open(dir.File("missing.ini").c_str(), CCLINI_LOAD);
    EXPECT_EQ(store.ReadInt("A", "k", 3), 3);
}

} // namespace
