// Launcher items and their file "item.lst".
//
// An item is a display name, a file to start and a parameter text (may be
// empty). ListViewItem2, the data list behind the item page, holds them in
// row order.
//
// item.lst is a profile file in code page 932 with CR LF line ends:
//
//   [List]
//   ItemNum=2
//   ItemName0=Editor
//   ItemFileName0=/usr/bin/gedit
//   ItemPara0=
//   ItemName1=...
//
// Writing always produces exactly this layout (no blanks around "=", an
// empty parameter text as an empty value). Reading: section and key names
// ignore ASCII case and the blanks around them; a value is everything after
// the "=" as it stands, blanks and quotes included, so that a parameter
// text such as "a b" "c" reads back exactly as it was written; values are
// cut to kItemValueMax bytes, and a missing key reads as "".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamble {

struct LauncherItem {
    std::string name;
    std::string fileName;
    std::string parameters;

    bool operator==(const LauncherItem&) const = default;
};

// The rows of ListViewItem2: caption, first and second sub-item.
using LauncherItemList = std::vector<LauncherItem>;

inline constexpr const char* kItemFileName = "item.lst";
inline constexpr const char* kItemSection = "List";
// Longest value the reader returns, in bytes.
inline constexpr size_t kItemValueMax = 2047;
// Most items a file can ask for: a damaged "ItemNum" must not make the
// program build millions of empty rows.
inline constexpr int32_t kItemCountLimit = 65536;

// "ItemNum" as the profile reader reads integers: leading blanks, an
// optional sign, then decimal digits, or hexadecimal digits after "0x" or
// "0X"; reading stops at the first other character. "12" -> 12, "0x1A" ->
// 26, "7 items" -> 7, "" or "abc" -> 0.
[[nodiscard]] int32_t ReadProfileInt(std::string_view text);

// The items an item.lst text ("\n" line ends) holds: "ItemNum" of them,
// each read from its three keys. A negative count gives none; a count above
// kItemCountLimit is held to it.
[[nodiscard]] LauncherItemList ParseItemFile(std::string_view text);

// The item.lst text for items, with "\n" line ends. Line breaks inside a
// value would start new lines of their own, so they are written as blanks
// (the item dialog and the in-place rename refuse them; this is the last
// guard).
[[nodiscard]] std::string FormatItemFile(const LauncherItemList& items);

// Reads item.lst at path (code page 932); a missing or unreadable file
// gives an empty list.
[[nodiscard]] LauncherItemList LoadItemFile(const char* path);

// item.lst as read, and whether the list may be written back over it.
struct ItemFileContents {
    enum class Source {
        File,    // read whole
        Missing, // there is no file: an empty list, written as the first one
        Failed,  // there is one (or cannot be told) that could not be read
    };
    LauncherItemList items; // empty unless Source::File
    Source source = Source::Missing;
};

// Reads item.lst at path (code page 932) and says how: a list saved over a
// file that failed to read would replace every item in it by none.
[[nodiscard]] ItemFileContents ReadItemFile(const char* path);

// Writes items to path with CR LF line ends, through a temporary file that
// replaces the old one only when it is complete. Returns false when
// nothing was written; the old file is then unchanged.
[[nodiscard]] bool SaveItemFile(const char* path, const LauncherItemList& items);

// Why a name, file name or parameter text would not read back from item.lst
// as it was: a CR, LF or NUL (the line, or the text, ends there), or more
// than kItemValueMax bytes (the reader cuts it). Blanks, tabs, quotes and
// "=" are stored as they are.
enum class ItemTextFault { None, LineBreak, TooLong };
[[nodiscard]] ItemTextFault FindItemTextFault(std::string_view text);

// The user's message (CP932) refusing the first text of item that has a
// fault (name, file name, parameters in that order, named by the item
// dialog's labels); "" when none has.
[[nodiscard]] std::string ItemFaultMessage(const LauncherItem& item);

// Whether the item dialog may be confirmed: name and file name are both
// non-empty (blanks count; the file need not exist).
[[nodiscard]] bool ItemDialogCanAccept(const std::string& name, const std::string& fileName);

} // namespace tamble
