// The settings file and item.lst against the profile functions of Windows:
// what Tamble writes, GetPrivateProfileStringA and GetPrivateProfileIntA
// read back; what WritePrivateProfileStringA writes, Tamble reads back.
// The *A functions take the ANSI code page's bytes, so the texts only pass
// through unchanged where that code page is 932 (under Wine the test runs
// with a Japanese locale for it).
#include "core/settings.h"
#include "launcher/launcheritems.h"
#include "tests/common/tempfolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using tamble::LauncherItem;
using tamble::LauncherItemList;

// "表示" and "ソース": both end in a trail byte 0x5C, a backslash.
const std::string kDisplay = "\x95\x5C\x8E\xA6";
const std::string kSource = "\x83\x5C\x81\x5B\x83\x58";

class ProfileApi : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetACP() != 932) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
    }
    std::string ReadString(const char* section, const char* key) const {
        char buffer[4096];
        GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, Path().c_str());
        return buffer;
    }
    int ReadInt(const char* section, const char* key) const {
        return static_cast<int>(GetPrivateProfileIntA(section, key, -999, Path().c_str()));
    }
    void Write(const char* section, const char* key, const std::string& value) const {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value.c_str(), Path().c_str()));
    }
    std::string Path() const { return folder_.File("profile.ini"); }
    TempFolder folder_;
};

TEST_F(ProfileApi, ItemFileReadsBackThroughTheProfileReader) {
    const LauncherItemList items = {
        {kDisplay, "C:\\" + kSource + "\\ed.exe", ""},
        {"two words", "C:\\Program Files\\x.exe", "-a \"b c\" d=e"},
        {"", "", "%1 & | < > ^"},
    };
    ASSERT_TRUE(tamble::SaveItemFile(Path().c_str(), items));
    EXPECT_EQ(ReadInt("List", "ItemNum"), 3);
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(ReadString("List", ("ItemName" + n).c_str()), items[i].name) << i;
        EXPECT_EQ(ReadString("List", ("ItemFileName" + n).c_str()), items[i].fileName) << i;
        EXPECT_EQ(ReadString("List", ("ItemPara" + n).c_str()), items[i].parameters) << i;
    }
}

// The profile reader drops one pair of enclosing quotes and the blanks
// around a value; item.lst keeps a parameter text as it stands, so such a
// text reads differently there (Tamble's reading is the one that gives the
// text back).
TEST_F(ProfileApi, ItemFileValuesTheProfileReaderChanges) {
    const struct {
        const char* text;
        const char* profileReads;
    } cases[] = {
        {"\"a b\" \"c\"", "a b\" \"c"},
        {"\"quoted\"", "quoted"},
        {"  padded  ", "padded"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(tamble::SaveItemFile(Path().c_str(), {{"n", "f", c.text}}));
        EXPECT_EQ(ReadString("List", "ItemPara0"), c.profileReads) << c.text;
        EXPECT_EQ(tamble::LoadItemFile(Path().c_str()), (LauncherItemList{{"n", "f", c.text}}))
            << c.text;
    }
}

TEST_F(ProfileApi, ProfileWriterItemFileReadsBack) {
    Write("List", "ItemNum", "0x3");
    Write("List", "ItemName0", kDisplay);
    Write("List", "ItemFileName0", "C:\\" + kSource + "\\ed.exe");
    Write("List", "ItemPara0", "");
    Write("List", "ItemName1", "x");
    Write("List", "ItemPara1", "-a b=c");
    EXPECT_EQ(tamble::LoadItemFile(Path().c_str()),
              (LauncherItemList{{kDisplay, "C:\\" + kSource + "\\ed.exe", ""},
                                {"x", "", "-a b=c"},
                                {"", "", ""}}));
}

TEST_F(ProfileApi, SettingsReadBackThroughTheProfileReader) {
    tamble::Settings settings;
    settings.options.UseEditor = "C:\\" + kSource + "\\ed.exe";
    settings.options.EditorCommandLine = "\"$FILE\" -n";
    settings.options.SearchStringApp = "";
    settings.options.SearchStringAppCmdLineA = "  -x  ";
    settings.Left = 12;
    settings.Width = 345;
    settings.ActivePage = 2;
    settings.histories[tamble::kFilterHistory] = {"*.c;*.h", kDisplay + "*.txt"};
    settings.histories[tamble::kPathAddressHistory] = {"C:\\" + kSource, "D:\\"};
    ASSERT_TRUE(tamble::SaveSettings(Path().c_str(), settings));

    EXPECT_EQ(ReadString("Application", "UseEditor"), settings.options.UseEditor);
    EXPECT_EQ(ReadString("Application", "EditorCommandLine"), "\"$FILE\" -n");
    EXPECT_EQ(ReadString("Application", "SearchStringApp"), "");
    EXPECT_EQ(ReadString("Application", "SearchStringAppCmdLineA"), "  -x  ");
    EXPECT_EQ(ReadString("Application", "FilterName0"), "*.c;*.h");
    EXPECT_EQ(ReadString("Application", "FilterName1"), kDisplay + "*.txt");
    EXPECT_EQ(ReadString("Application", "FilterName2"), "<missing>");
    EXPECT_EQ(ReadString("Application", "PathAddressName0"), "C:\\" + kSource);
    EXPECT_EQ(ReadString("Application", "PathAddressName1"), "D:\\");
    EXPECT_EQ(ReadInt("Application", "ActivePage"), 2);
    EXPECT_EQ(ReadInt("Position", "Left"), 12);
    EXPECT_EQ(ReadInt("Position", "Width"), 345);
}

TEST_F(ProfileApi, ProfileWriterSettingsReadBack) {
    Write("Application", "UseEditor", "C:\\" + kSource + "\\ed.exe");
    Write("Application", "EditorCommandLine", "");
    Write("Application", "FilterName0", kDisplay + "*.txt");
    Write("Application", "FilterName1", "*.*");
    Write("Application", "ActivePage", "0x2");
    Write("Position", "Left", "0x10");
    Write("Position", "Width", "300");
    const tamble::Settings settings = tamble::LoadSettings(Path().c_str(), {0, 0, 1280, 1000});
    EXPECT_EQ(settings.options.UseEditor, "C:\\" + kSource + "\\ed.exe");
    EXPECT_EQ(settings.options.EditorCommandLine, "");
    EXPECT_EQ(settings.histories[tamble::kFilterHistory],
              (tamble::HistoryList{kDisplay + "*.txt", "*.*"}));
    EXPECT_EQ(settings.ActivePage, 2);
    EXPECT_EQ(settings.Left, 16);
    EXPECT_EQ(settings.Width, 300);
}

} // namespace
