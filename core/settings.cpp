#include "core/settings.h"

#include "platform/codepage.h"
#include "textlib/cclinifile.h"
#include "textlib/cclstring.h"
#include "textlib/textfile.h"

namespace tamble {
namespace {

constexpr const char* kApplication = "Application";
constexpr const char* kPosition = "Position";

std::string Str(const CCLString& text) {
    return text.Text() != nullptr ? std::string(text.Text()) : std::string();
}

std::string ReadText(CCLIniFile& ini, const char* key, const std::string& defaultText) {
    return Str(ini.ReadString(kApplication, key, defaultText.c_str()));
}

// A value that cannot stay on its line is left out (see SaveSettings).
void WriteText(CCLIniFile& ini, const char* key, const std::string& value) {
    if (IsOneLineText(value)) ini.WriteString(kApplication, key, value.c_str(), nullptr);
}

// The entries of history the file can hold, in order, at most
// kComboHistoryMax of them.
HistoryList StorableEntries(const HistoryList& history) {
    HistoryList entries;
    for (const std::string& entry : history) {
        if (entries.size() == static_cast<size_t>(kComboHistoryMax)) break;
        if (IsOneLineText(entry)) entries.push_back(entry);
    }
    return entries;
}

} // namespace

Settings LoadSettings(const char* path, const ScreenRect& workArea) {
    Settings settings;
    AppOptions& o = settings.options;
    const AppOptions defaults;
    CCLIniFile ini(path, CCLINI_LOAD);

    o.IconCashFileExt = ReadText(ini, "IconCashFileExt", defaults.IconCashFileExt);
    o.UseEditor = ReadText(ini, "UseEditor", defaults.UseEditor);
    o.EditorCommandLine = ReadText(ini, "EditorCommandLine", defaults.EditorCommandLine);
    o.SearchStringApp = ReadText(ini, "SearchStringApp", defaults.SearchStringApp);
    o.SearchStringAppCmdLineA =
        ReadText(ini, "SearchStringAppCmdLineA", defaults.SearchStringAppCmdLineA);
    o.SearchStringAppCmdLineB =
        ReadText(ini, "SearchStringAppCmdLineB", defaults.SearchStringAppCmdLineB);

    o.AllOpenEditor = ini.ReadBool(kApplication, "AllOpenEditor", defaults.AllOpenEditor);
    o.RowSelectMode = ini.ReadBool(kApplication, "RowSelectMode", defaults.RowSelectMode);
    settings.ActivePage = ini.ReadInt(kApplication, "ActivePage", 0);
    o.TreeState1 = ini.ReadBool(kApplication, "TreeState1", defaults.TreeState1);
    // Only "stay on top" is a style this window can take; a hand-edited
    // value of another style falls back to a normal window.
    const int formStyle = ini.ReadInt(kApplication, "FormStyle", kFormStyleNormal);
    o.FormStyle = formStyle == kFormStyleStayOnTop ? kFormStyleStayOnTop : kFormStyleNormal;

    settings.Left = ini.ReadInt(kPosition, "Left", workArea.left);
    settings.Top = ini.ReadInt(kPosition, "Top", workArea.top);
    settings.Width = ini.ReadInt(kPosition, "Width", kMainWindowMinWidth + workArea.left);
    settings.Height = ini.ReadInt(kPosition, "Height", workArea.bottom);
    settings.Splitter = ini.ReadInt(kPosition, "Splitter", kDefaultSplitter);

    o.NarrowKeep = ini.ReadBool(kApplication, "NarrowKeep", defaults.NarrowKeep);
    o.StartFolderIsBefore = ini.ReadBool(kApplication, "StartFolderIsBefore", false);
    o.DblClickUpFolder = ini.ReadBool(kApplication, "DblClickUpFolder", false);
    o.DeleteFilesFindSubFolders = ini.ReadBool(kApplication, "DeleteFilesFindSubFolders", false);
    o.DeleteFilesOutOfFilePattern =
        ini.ReadBool(kApplication, "DeleteFilesOutOfFilePattern", false);
    o.DeleteFilesOutOfFolderPattern =
        ini.ReadBool(kApplication, "DeleteFilesOutOfFolderPattern", false);
    o.DeleteFilesDeleteEraseBox = ini.ReadBool(kApplication, "DeleteFilesDeleteEraseBox", false);

    CCLString key;
    for (int i = 0; i < kComboHistoryMax; ++i) {
        for (int list = 0; list < kHistoryCount; ++list) {
            key.Format(kHistoryKeyFormats[list], i);
            const std::string value = Str(ini.ReadString(kApplication, key.Text(), ""));
            if (IsNewComboText(settings.histories[list], value))
                settings.histories[list].push_back(value);
        }
    }
    if (settings.histories[kFilterHistory].empty()) {
        settings.histories[kFilterHistory].assign(kDefaultFilters.begin(), kDefaultFilters.end());
    }

    if (o.StartFolderIsBefore) settings.PathAddressText = ReadText(ini, "PathAddressNameLast", "");
    return settings;
}

bool SaveSettings(const char* path, const Settings& settings) {
    const AppOptions& o = settings.options;
    // The old file is not read, so the file is rewritten whole and keys
    // this program no longer writes disappear. Saved explicitly rather than
    // on close, to learn whether the write succeeded.
    CCLIniFile ini(path, 0);

    // "Application" is written first so that it comes first in the file.
    WriteText(ini, "IconCashFileExt", o.IconCashFileExt);
    WriteText(ini, "UseEditor", o.UseEditor);
    WriteText(ini, "EditorCommandLine", o.EditorCommandLine);
    WriteText(ini, "SearchStringApp", o.SearchStringApp);
    WriteText(ini, "SearchStringAppCmdLineA", o.SearchStringAppCmdLineA);
    WriteText(ini, "SearchStringAppCmdLineB", o.SearchStringAppCmdLineB);
    ini.WriteBool(kApplication, "AllOpenEditor", o.AllOpenEditor, nullptr);
    ini.WriteBool(kApplication, "RowSelectMode", o.RowSelectMode, nullptr);
    ini.WriteInt(kApplication, "ActivePage", settings.ActivePage, nullptr);
    ini.WriteBool(kApplication, "TreeState1", o.TreeState1, nullptr);
    ini.WriteInt(kApplication, "FormStyle", o.FormStyle, nullptr);

    ini.WriteInt(kPosition, "Left", settings.Left, nullptr);
    ini.WriteInt(kPosition, "Top", settings.Top, nullptr);
    ini.WriteInt(kPosition, "Width", settings.Width, nullptr);
    ini.WriteInt(kPosition, "Height", settings.Height, nullptr);
    ini.WriteInt(kPosition, "Splitter", settings.Splitter, nullptr);

    ini.WriteBool(kApplication, "NarrowKeep", o.NarrowKeep, nullptr);
    ini.WriteBool(kApplication, "StartFolderIsBefore", o.StartFolderIsBefore, nullptr);
    ini.WriteBool(kApplication, "DblClickUpFolder", o.DblClickUpFolder, nullptr);
    ini.WriteBool(kApplication, "DeleteFilesFindSubFolders", o.DeleteFilesFindSubFolders, nullptr);
    ini.WriteBool(kApplication, "DeleteFilesOutOfFilePattern", o.DeleteFilesOutOfFilePattern,
                  nullptr);
    ini.WriteBool(kApplication, "DeleteFilesOutOfFolderPattern", o.DeleteFilesOutOfFolderPattern,
                  nullptr);
    ini.WriteBool(kApplication, "DeleteFilesDeleteEraseBox", o.DeleteFilesDeleteEraseBox, nullptr);

    std::array<HistoryList, kHistoryCount> histories;
    for (int list = 0; list < kHistoryCount; ++list)
        histories[list] = StorableEntries(settings.histories[list]);
    CCLString key;
    for (int i = 0; i < kComboHistoryMax; ++i) {
        for (int list = 0; list < kHistoryCount; ++list) {
            const HistoryList& history = histories[list];
            key.Format(kHistoryKeyFormats[list], i);
            if (static_cast<size_t>(i) < history.size()) {
                WriteText(ini, key.Text(), history[i]);
            } else {
                ini.DeleteKey(kApplication, key.Text());
            }
        }
    }
    WriteText(ini, "PathAddressNameLast", settings.PathAddressText);
    return ini.Save(path, true) == 1;
}

std::string SettingsSaveErrorMessage(const std::string& path) {
    return platform::Cp932("設定ファイル ") + path + platform::Cp932(" に書き込めません");
}

} // namespace tamble
