// The settings file: the main window's options, its geometry, the active
// page and five history lists, read once when the window is created and
// written whole once when it closes. Texts are CP932 bytes.
//
// Layout on disk (the INI store's normal form, entries sorted):
//   [Application]            options, check marks, "ActivePage",
//   FilterName0=*.*          the histories as <name><index> for 0..31,
//   ...                      and "PathAddressNameLast"
//   [Position]               "Left", "Top", "Width", "Height", "Splitter"
#pragma once

#include "core/combohistory.h"

#include <array>
#include <string>

namespace tamble {

// The main window's style values as the file stores them.
inline constexpr int kFormStyleNormal = 0;
inline constexpr int kFormStyleStayOnTop = 3;
// The main window is never narrower than this, and the default width uses it.
inline constexpr int kMainWindowMinWidth = 200;
inline constexpr int kDefaultSplitter = 200;

#ifdef _WIN32
inline constexpr const char* kDefaultEditor = "notepad.exe";
#else
inline constexpr const char* kDefaultEditor = "xdg-open";
#endif

// The options that the menus, the options dialog and the tools edit.
struct AppOptions {
    std::string IconCashFileExt = "*.exe;*.lnk";
    std::string UseEditor = kDefaultEditor;
    std::string EditorCommandLine;
    std::string SearchStringApp;
    std::string SearchStringAppCmdLineA = "-sf:$PATH";
    std::string SearchStringAppCmdLineB = "-sf:$PATH -gf:$FILE";
    bool AllOpenEditor = true;
    bool RowSelectMode = false; // whole-row selection of the file list exactly when false
    bool TreeState1 = false;    // the project tree opens the selected branch, folds the others
    int FormStyle = kFormStyleNormal;
    bool NarrowKeep = false;
    bool StartFolderIsBefore = false;
    bool DblClickUpFolder = false;
    bool DeleteFilesFindSubFolders = false;
    bool DeleteFilesOutOfFilePattern = false;
    bool DeleteFilesOutOfFolderPattern = false;
    bool DeleteFilesDeleteEraseBox = false;

    bool operator==(const AppOptions&) const = default;
};

// The five stored histories, in the order they are read and written.
enum HistoryIndex {
    kFilterHistory,             // cmbFilter
    kDeleteFilesMaskHistory,    // cmbDeleteFilesFromMask
    kOutOfFilePatternHistory,   // cmbOutOfFilePattern
    kOutOfFolderPatternHistory, // cmbOutOfFolderPattern
    kPathAddressHistory,        // cmbPathAddress
    kHistoryCount
};

// Key name of each history, with "%d" for the entry's index.
inline constexpr std::array<const char*, kHistoryCount> kHistoryKeyFormats = {
    "FilterName%d", "DeleteFilesMaskName%d", "DeleteFilesOutOfFilePatternName%d",
    "DeleteFilesOutOfFolderPatternName%d", "PathAddressName%d"};

// The filters a first start (or an emptied filter list) gets back.
inline constexpr std::array<const char*, 2> kDefaultFilters = {"*.*",
                                                               "*.c;*.cpp;*.cxx;*.h;*.hpp;*.hxx"};

// Screen rectangle, right and bottom exclusive.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] int Width() const { return right - left; }
    [[nodiscard]] int Height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

struct Settings {
    AppOptions options;
    int ActivePage = 0; // may be outside 0..2: then no page is active
    int Left = 0;
    int Top = 0;
    int Width = kMainWindowMinWidth;
    int Height = 0;
    int Splitter = kDefaultSplitter; // height of the folder tree
    std::array<HistoryList, kHistoryCount> histories;
    // The text of cmbPathAddress: on load the last folder when
    // StartFolderIsBefore is set, else ""; on save whatever the box shows.
    std::string PathAddressText;
};

// Reads path (missing or unreadable: every default). workArea gives the
// position defaults. Histories keep index order without gaps or repeats;
// an empty filter history gets kDefaultFilters. A FormStyle other than
// kFormStyleStayOnTop reads as normal.
[[nodiscard]] Settings LoadSettings(const char* path, const ScreenRect& workArea);

// Writes every key of settings to path, replacing the file whole and
// atomically. At most kComboHistoryMax entries of each history are stored.
// A text that holds a line break (or NUL) would end its line early and
// start lines of its own, which read as other keys or sections: such a
// history entry is left out (the later ones move up), and such a single
// value is not written, so that it reads back as its default. Returns false
// when the file could not be written; the old file is then unchanged.
[[nodiscard]] bool SaveSettings(const char* path, const Settings& settings);

// The user's message (CP932) for a failed save of the settings file at path.
[[nodiscard]] std::string SettingsSaveErrorMessage(const std::string& path);

} // namespace tamble
