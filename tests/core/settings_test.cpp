#include "core/settings.h"

#include "platform/codepage.h"
#include "tests/common/savechecks.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tamble::LoadSettings;
using tamble::SaveSettings;
using tamble::ScreenRect;
using tamble::Settings;

const ScreenRect kWorkArea{10, 20, 1290, 1000};

class SettingsFile : public ::testing::Test {
protected:
    Settings Load(const std::string& bytes) {
        return LoadSettings(folder_.Write("tamble.ini", bytes).c_str(), kWorkArea);
    }
    std::string Save(const Settings& settings) {
        EXPECT_TRUE(SaveSettings(Path().c_str(), settings));
        return folder_.Read("tamble.ini");
    }
    std::string Path() const { return folder_.File("tamble.ini"); }
    TempFolder folder_;
};

TEST_F(SettingsFile, FirstStartGivesEveryDefault) {
    const Settings s = LoadSettings(Path().c_str(), kWorkArea);
    EXPECT_EQ(s.options, tamble::AppOptions{});
    EXPECT_TRUE(s.options.AllOpenEditor);
    EXPECT_EQ(s.options.UseEditor, tamble::kDefaultEditor);
    EXPECT_EQ(s.options.SearchStringAppCmdLineB, "-sf:$PATH -gf:$FILE");
    EXPECT_EQ(s.ActivePage, 0);
    EXPECT_EQ(s.Left, 10);
    EXPECT_EQ(s.Top, 20);
    EXPECT_EQ(s.Width, 210); // the minimum width plus the work area's left
    EXPECT_EQ(s.Height, 1000);
    EXPECT_EQ(s.Splitter, 200);
    EXPECT_EQ(s.histories[tamble::kFilterHistory],
              (tamble::HistoryList{"*.*", "*.c;*.cpp;*.cxx;*.h;*.hpp;*.hxx"}));
    for (int list = 1; list < tamble::kHistoryCount; ++list)
        EXPECT_TRUE(s.histories[list].empty());
    EXPECT_EQ(s.PathAddressText, "");
}

TEST_F(SettingsFile, PresentEmptyValuesAgainstMissingKeys) {
    const Settings s =
        Load("[Application]\r\nUseEditor=\r\nActivePage=\r\nAllOpenEditor=\r\nFormStyle=\r\n"
             "[Position]\r\nWidth=\r\nLeft=-5\r\n");
    EXPECT_EQ(s.options.UseEditor, ""); // present: empty, not the default
    EXPECT_EQ(s.ActivePage, 0);         // numbers: empty counts as missing
    EXPECT_TRUE(s.options.AllOpenEditor);
    EXPECT_EQ(s.options.FormStyle, tamble::kFormStyleNormal);
    EXPECT_EQ(s.Width, 210);
    EXPECT_EQ(s.Left, -5);
    EXPECT_EQ(s.options.IconCashFileExt, "*.exe;*.lnk"); // missing: default
}

TEST_F(SettingsFile, HistoriesCloseGapsAndDropRepeats) {
    const struct {
        const char* name;
        std::string file;
        tamble::HistoryList filters;
        tamble::HistoryList paths;
    } cases[] = {
        {"gap and repeat",
         "[Application]\nFilterName0=*.h\nFilterName1=\nFilterName2=*.h\n",
         {"*.h"},
         {}},
        {"case differs: two entries",
         "[Application]\nFilterName0=*.H\nFilterName3=*.h\n",
         {"*.H", "*.h"},
         {}},
        {"index order, not file order",
         "[Application]\nPathAddressName5=/b\nPathAddressName1=/"
         "a\nFilterName31=*.x\nFilterName32=*.y\n",
         {"*.x"},
         {"/a", "/b"}},
        {"all empty gives defaults",
         "[Application]\nFilterName0=\n",
         {"*.*", "*.c;*.cpp;*.cxx;*.h;*.hpp;*.hxx"},
         {}},
    };
    for (const auto& c : cases) {
        const Settings s = Load(c.file);
        EXPECT_EQ(s.histories[tamble::kFilterHistory], c.filters) << c.name;
        EXPECT_EQ(s.histories[tamble::kPathAddressHistory], c.paths) << c.name;
    }
}

TEST_F(SettingsFile, ClosedUpHistorySavesFromIndexZero) {
    Settings s = Load("[Application]\nFilterName0=*.h\nFilterName2=*.h\n");
    const std::string saved = Save(s);
    EXPECT_NE(saved.find("FilterName0=*.h\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("FilterName1"), std::string::npos);
    EXPECT_EQ(saved.find("FilterName2"), std::string::npos);
}

TEST_F(SettingsFile, OnlyThirtyTwoEntriesAreStored) {
    Settings s;
    for (int i = 0; i < 40; ++i)
        s.histories[tamble::kDeleteFilesMaskHistory].push_back("m" + std::to_string(i));
    const std::string saved = Save(s);
    EXPECT_NE(saved.find("DeleteFilesMaskName31=m31\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("DeleteFilesMaskName32"), std::string::npos);
    const Settings back = LoadSettings(Path().c_str(), kWorkArea);
    EXPECT_EQ(back.histories[tamble::kDeleteFilesMaskHistory].size(), 32u);
    EXPECT_EQ(back.histories[tamble::kDeleteFilesMaskHistory].back(), "m31");
}

TEST_F(SettingsFile, EveryValueRoundTrips) {
    Settings s;
    tamble::AppOptions& o = s.options;
    o.IconCashFileExt = "*.exe";
    o.UseEditor = "/usr/bin/vi";
    o.EditorCommandLine = "-n %1"; // "%" is stored literally
    o.SearchStringApp = "/opt/grep 100%";
    o.SearchStringAppCmdLineA = "";
    o.SearchStringAppCmdLineB = "\x95\x5C $FILE"; // a kanji with a 0x5C trail byte
    o.AllOpenEditor = false;
    o.RowSelectMode = true;
    o.TreeState1 = true;
    o.FormStyle = tamble::kFormStyleStayOnTop;
    o.NarrowKeep = o.StartFolderIsBefore = o.DblClickUpFolder = true;
    o.DeleteFilesFindSubFolders = o.DeleteFilesOutOfFilePattern = true;
    o.DeleteFilesOutOfFolderPattern = o.DeleteFilesDeleteEraseBox = true;
    s.ActivePage = 2;
    s.Left = -300;
    s.Top = 40;
    s.Width = 250;
    s.Height = 700;
    s.Splitter = 123;
    s.histories = {tamble::HistoryList{"*.txt"}, {"*.o"}, {"*.bak"}, {".git"}, {"/home/a", "/tmp"}};
    s.PathAddressText = "/tmp";
    Save(s);
    const Settings back = LoadSettings(Path().c_str(), kWorkArea);
    EXPECT_EQ(back.options, s.options);
    EXPECT_EQ(back.ActivePage, 2);
    EXPECT_EQ(back.Left, -300);
    EXPECT_EQ(back.Top, 40);
    EXPECT_EQ(back.Width, 250);
    EXPECT_EQ(back.Height, 700);
    EXPECT_EQ(back.Splitter, 123);
    EXPECT_EQ(back.histories, s.histories);
    EXPECT_EQ(back.PathAddressText, "/tmp");
}

// A line break in a value would start lines of their own in the file: a
// folder named "x\n[Application]\nUseEditor=/tmp/evil" in the path history
// would choose the editor at the next start.
TEST_F(SettingsFile, TextsWithLineBreaksAreNotStored) {
    const std::string injected = "Zq\n[Application]\nUseEditor=/tmp/evil";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"LF", injected},
        {"CR", "Zq\r[Position]\rLeft=1"},
        {"CR LF", "Zq\r\nLeft=1"},
        {"NUL", std::string("Zq\0Left=1", 9)},
    };
    for (const auto& c : cases) {
        Settings s;
        s.options.SearchStringApp = c.text;
        s.options.UseEditor = "/usr/bin/vi";
        s.histories[tamble::kPathAddressHistory] = {"/a", c.text, "/b"};
        s.histories[tamble::kFilterHistory] = {c.text};
        s.PathAddressText = c.text;
        s.options.StartFolderIsBefore = true;
        s.Left = 77;
        const std::string saved = Save(s);
        EXPECT_EQ(saved.find("Zq"), std::string::npos) << c.name;
        const Settings back = LoadSettings(Path().c_str(), kWorkArea);
        EXPECT_EQ(back.options.UseEditor, "/usr/bin/vi") << c.name;
        EXPECT_EQ(back.options.SearchStringApp, "") << c.name; // the default
        EXPECT_EQ(back.Left, 77) << c.name;
        EXPECT_EQ(back.histories[tamble::kPathAddressHistory], (tamble::HistoryList{"/a", "/b"}))
            << c.name;
        EXPECT_EQ(
            back.histories[tamble::kFilterHistory],
            tamble::HistoryList(tamble::kDefaultFilters.begin(), tamble::kDefaultFilters.end()))
            << c.name;
        EXPECT_EQ(back.PathAddressText, "") << c.name;
    }
    // Entries left out make room: still 32 entries are stored.
    Settings s;
    for (int i = 0; i < 40; ++i)
        s.histories[tamble::kFilterHistory].push_back(i % 2 ? "f" + std::to_string(i) : "a\nb");
    Save(s);
    EXPECT_EQ(LoadSettings(Path().c_str(), kWorkArea).histories[tamble::kFilterHistory].size(),
              20u);
}

#ifndef _WIN32 // needs a file size limit
TEST_F(SettingsFile, FailedSaveKeepsTheOldFileAndSaysSo) {
    folder_.Write("tamble.ini", "[Position]\r\nLeft=5\r\n");
    {
        FileSizeLimit limit(8); // a write that fails halfway, even for root
        EXPECT_FALSE(SaveSettings(Path().c_str(), Settings{}));
    }
    EXPECT_EQ(folder_.Read("tamble.ini"), "[Position]\r\nLeft=5\r\n");
    EXPECT_EQ(FolderNames(folder_.Path()), std::vector<std::string>{"tamble.ini"});
    EXPECT_EQ(tamble::SettingsSaveErrorMessage("/c/tamble.ini"),
              platform::Utf8ToCp932("設定ファイル /c/tamble.ini に書き込めません"));
}
#endif

TEST_F(SettingsFile, HashInsideAPathSurvives) {
    Settings s;
    s.options.UseEditor = "C:\\C#\\ed.exe";
    Save(s);
    EXPECT_EQ(LoadSettings(Path().c_str(), kWorkArea).options.UseEditor, "C:\\C#\\ed.exe");
}

TEST_F(SettingsFile, LastFolderIsSavedButUsedOnlyWhenAsked) {
    Settings s;
    s.PathAddressText = "/srv/data";
    s.options.StartFolderIsBefore = false;
    EXPECT_NE(Save(s).find("PathAddressNameLast=/srv/data\r\n"), std::string::npos);
    EXPECT_EQ(LoadSettings(Path().c_str(), kWorkArea).PathAddressText, "");
    s.options.StartFolderIsBefore = true;
    Save(s);
    EXPECT_EQ(LoadSettings(Path().c_str(), kWorkArea).PathAddressText, "/srv/data");
}

TEST_F(SettingsFile, FormStyleOtherThanStayOnTopReadsAsNormal) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"3", 3}, {"0", 0}, {"1", 0}, {"2", 0}, {"-3", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Load(std::string("[Application]\nFormStyle=") + c.value + "\n").options.FormStyle,
                  c.expected)
            << c.value;
    }
}

TEST_F(SettingsFile, MalformedFileGivesDefaultsForWhatItCannotGive) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string file;
        int top;
    } cases[] = {
        {"junk lines around a good one",
         "garbage\xFF\xFE[[[\n[Application\n=\n[Position]\nTop=12\n=7\nLeft\n", 12},
        {"letters for a number", "[Position]\nTop=zz\n", 0},
        {"a NUL byte ends the text", "[Position]\nTop=12\n\0\nTop=13\n"s, 12},
        {"only a NUL byte", "\0"s, 20},
        {"very long line", "[Position]\nTop=1" + std::string(5000, '0') + "\n", -1},
    };
    for (const auto& c : cases) {
        const Settings s = Load(c.file);
        if (c.top >= 0) {
            EXPECT_EQ(s.Top, c.top) << c.name;
        }
        EXPECT_EQ(s.Left, 10) << c.name;
        EXPECT_EQ(s.options, tamble::AppOptions{}) << c.name;
    }
    // A folder where the file should be: nothing to read, no crash.
    std::filesystem::create_directory(folder_.File("dir.ini"));
    EXPECT_EQ(LoadSettings(folder_.File("dir.ini").c_str(), kWorkArea).Splitter, 200);
}

TEST_F(SettingsFile, SaveRewritesTheFileWholeAndSorted) {
    folder_.Write("tamble.ini",
                  "# old comment\r\n[Other]\r\nKey=1\r\n[Application]\r\nStale=1\r\n");
    Settings s;
    s.options.UseEditor = "xdg-open";
    s.histories[tamble::kFilterHistory] = {"*.*", "*.h"};
    for (int i = 0; i < 11; ++i)
        s.histories[tamble::kPathAddressHistory].push_back("/p" + std::to_string(i));
    s.Left = 1;
    s.Top = 2;
    s.Width = 300;
    s.Height = 400;
    const std::string expected = "[Application]\r\n"
                                 "ActivePage=0\r\n"
                                 "AllOpenEditor=1\r\n"
                                 "DblClickUpFolder=0\r\n"
                                 "DeleteFilesDeleteEraseBox=0\r\n"
                                 "DeleteFilesFindSubFolders=0\r\n"
                                 "DeleteFilesOutOfFilePattern=0\r\n"
                                 "DeleteFilesOutOfFolderPattern=0\r\n"
                                 "EditorCommandLine=\r\n"
                                 "FilterName0=*.*\r\n"
                                 "FilterName1=*.h\r\n"
                                 "FormStyle=0\r\n"
                                 "IconCashFileExt=*.exe;*.lnk\r\n"
                                 "NarrowKeep=0\r\n"
                                 "PathAddressName0=/p0\r\n"
                                 "PathAddressName10=/p10\r\n" // "0" sorts before "="
                                 "PathAddressName1=/p1\r\n"
                                 "PathAddressName2=/p2\r\n"
                                 "PathAddressName3=/p3\r\n"
                                 "PathAddressName4=/p4\r\n"
                                 "PathAddressName5=/p5\r\n"
                                 "PathAddressName6=/p6\r\n"
                                 "PathAddressName7=/p7\r\n"
                                 "PathAddressName8=/p8\r\n"
                                 "PathAddressName9=/p9\r\n"
                                 "PathAddressNameLast=\r\n"
                                 "RowSelectMode=0\r\n"
                                 "SearchStringApp=\r\n"
                                 "SearchStringAppCmdLineA=-sf:$PATH\r\n"
                                 "SearchStringAppCmdLineB=-sf:$PATH -gf:$FILE\r\n"
                                 "StartFolderIsBefore=0\r\n"
                                 "TreeState1=0\r\n"
                                 "UseEditor=xdg-open\r\n"
                                 "\r\n"
                                 "[Position]\r\n"
                                 "Height=400\r\n"
                                 "Left=1\r\n"
                                 "Splitter=200\r\n"
                                 "Top=2\r\n"
                                 "Width=300\r\n";
    EXPECT_EQ(Save(s), expected);
}

} // namespace
