// The INI store: lookups, edits in memory and the normal form on disk.
#include "tests/common/tempfolder.h"
#include "textlib/cclinifile.h"

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
    EXPECT_EQ(Read(store, "A", "k"), "<default>"); // refused: it could not be read back
}

// Values that a bare "key=value" line would give back cut or trimmed are
// written between quotes; every value reads back exactly, in memory and
// after a save and a load.
TEST_F(IniTest, ValuesRoundTripExactly) {
    const std::string path = Load("");
    const std::string utf8 = "\xE3\x81\x82"; // "あ": ends in a lead byte
    const std::string values[] = {
        "/home/me/C #2 project",
        "tab\t#before hash",
        "  leading blanks",
        "trailing blanks  ",
        "\ttabs\t",
        " ",
        "\"quoted\"",
        "\" padded \"",
        "\"\"",
        "\"",
        "\"x\" #y",
        "say \"hi\" #1",
        "#starts with hash",
        "C:\\C#\\ed.exe",
        "a\" #b\"",
        "=x=y",
        "",
        utf8 + " #" + utf8,
        "\x95 ",
        "100%s",
        std::string(1000, 'v'),
    };
    int n = 0;
    for (const std::string& value : values)
        store.WriteString("Values", ("k" + std::to_string(n++)).c_str(), value.c_str(), nullptr);
    store.WriteString("Values", "commented", " x #y ", "note \"with\" quotes #");

    n = 0;
    for (const std::string& value : values)
        EXPECT_EQ(Read(store, "Values", ("k" + std::to_string(n++)).c_str()), value) << value;
    EXPECT_EQ(Read(store, "Values", "commented"), " x #y ");

    ASSERT_EQ(store.Save(path.c_str(), true), 1);
    CCLIniFile back(path.c_str(), CCLINI_LOAD);
    n = 0;
    for (const std::string& value : values)
        EXPECT_EQ(Read(back, "Values", ("k" + std::to_string(n++)).c_str()), value) << value;
    EXPECT_EQ(Read(back, "Values", "commented"), " x #y ");
}

// Files written before values were quoted read as they always did: quotes
// around a value that could stand bare are part of it.
TEST_F(IniTest, OlderFilesReadAsBefore) {
    Load("[A]\r\n"
         "Search=\"$FILE\"\r\n"
         "Editor=\"C:\\Program Files\\ed.exe\" \"%s\"\r\n"
         "Empty=\"\"\r\n"
         "Cut=/home/me/C #2 project\r\n"
         "Trimmed=  x  \r\n"
         "Commented=\"x\" # remark\r\n"
         "Quote=\"\r\n");
    struct Row {
        const char* key;
        const char* expected;
    };
    const Row rows[] = {
        {"Search", "\"$FILE\""}, {"Editor", "\"C:\\Program Files\\ed.exe\" \"%s\""},
        {"Empty", "\"\""},       {"Cut", "/home/me/C"},
        {"Trimmed", "x"},        {"Commented", "\"x\""},
        {"Quote", "\""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Read(store, "A", r.key), r.expected) << r.key;

    // Values that need no quotes are still written bare, so saving changes
    // nothing for them.
    const std::string path = dir.File("settings.ini");
    CCLIniFile fresh(nullptr, 0);
    fresh.Open(path.c_str(), CCLINI_SAVE);
    fresh.WriteString("A", "Search", "\"$FILE\"", nullptr);
    fresh.WriteString("A", "Editor", "vim -p", nullptr);
    fresh.WriteString("A", "Padded", " x", nullptr);
    fresh.Close();
    EXPECT_EQ(dir.Read("settings.ini"),
              "[A]\r\nEditor=vim -p\r\nPadded=\" x\"\r\nSearch=\"$FILE\"\r\n");
}

// Entries that could not be read back as written are refused: the store
// stays as it was.
TEST_F(IniTest, WritesThatWouldNotReadBackAreRefused) {
    Load("[A]\r\nkeep=old\r\n");
    struct Row {
        const char* name;
        std::string section;
        std::string key;
        std::string value;
    };
    const Row rows[] = {
        {"empty key", "A", "", "v"},
        {"key reads as a header", "A", "[B]", "v"},
        {"key holds =", "A", "k=j", "v"},
        {"key holds LF", "A", "k\nj", "v"},
        {"key holds CR", "A", "k\rj", "v"},
        {"key starts with a blank", "A", " k", "v"},
        {"key ends with a tab", "A", "k\t", "v"},
        {"key starts with #", "A", "#k", "v"},
        {"key holds a comment start", "A", "k #j", "v"},
        {"key too long", "A", std::string(textlib::kIniKeyMax, 'K'), "v"},
        {"value holds LF", "A", "keep", "new\nlines"},
        {"value holds CR", "A", "keep", "new\r"},
        {"line too long", "A", "keep", std::string(textlib::kLineScratch, 'v')},
        {"ambiguous quote", "A", "keep", " a\" #b"},
        {"empty section", "", "k", "v"},
        {"section holds ]", "B]x", "k", "v"},
        {"section holds LF", "B\nC", "k", "v"},
        {"section starts with a blank", " B", "k", "v"},
        {"section holds a comment start", "B #1", "k", "v"},
        {"section too long", std::string(textlib::kIniSectionMax, 'S'), "k", "v"},
    };
    for (const Row& r : rows) {
        store.WriteString(r.section.c_str(), r.key.c_str(), r.value.c_str(), nullptr);
        CCLStringList* section = store.GetSection("A");
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(section->Count(), 1) << r.name;
        delete section;
        EXPECT_EQ(store.FindSection("B"), -1) << r.name;
        EXPECT_EQ(Read(store, "A", "keep"), "old") << r.name;
    }
    store.WriteString("A", nullptr, "v", nullptr);
    store.WriteString(nullptr, "k", "v", nullptr);
    EXPECT_EQ(store.FindSection("A"), 0);

    // Keys that do read back are taken, ";" and "#" inside a word included.
    store.WriteString("A", ";k", "1", nullptr);
    store.WriteString("A", "C#", "2", nullptr);
    store.WriteString("A", std::string(textlib::kIniKeyMax - 1, 'K').c_str(), "3", nullptr);
    EXPECT_EQ(Read(store, "A", ";k"), "1");
    EXPECT_EQ(Read(store, "A", "C#"), "2");
    EXPECT_EQ(Read(store, "A", std::string(textlib::kIniKeyMax - 1, 'K').c_str()), "3");
}

// Of two entries of one key the first counts; a save keeps it first.
TEST_F(IniTest, SaveKeepsTheFirstOfEqualKeysFirst) {
    const std::string path = Load("[A]\r\nk=2\r\nb=x\r\nK=1\r\nk = 0\r\n");
    EXPECT_EQ(Read(store, "A", "k"), "2");
    ASSERT_EQ(store.Save(path.c_str(), true), 1);
    EXPECT_EQ(dir.Read("settings.ini"), "[A]\r\nb=x\r\nk=2\r\nK=1\r\nk = 0\r\n");
    CCLIniFile back(path.c_str(), CCLINI_LOAD);
    EXPECT_EQ(Read(back, "A", "k"), "2");
}

TEST_F(IniTest, UTF8LinesEndingInALeadByteStayApart) {
    const std::string a = "\xE3\x81\x82", i = "\xE3\x81\x84"; // "あ", "い"
    Load("[A]\r\nk=" + a + "\r\nj=" + i + "\r\n");
    EXPECT_EQ(Read(store, "A", "k"), a);
    EXPECT_EQ(Read(store, "A", "j"), i);
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
    // Names too; a longer name is never written, as it would not be found.
    store.WriteString(std::string(255, 'S').c_str(), "k", "v", nullptr);
    EXPECT_EQ(Read(store, std::string(600, 'S').c_str(), "k"), "<default>");
    EXPECT_EQ(Read(store, std::string(255, 'S').c_str(), "k"), "v");
    store.Open(dir.File("missing.ini").c_str(), CCLINI_LOAD);
    EXPECT_EQ(store.ReadInt("A", "k", 3), 3);
}

} // namespace
