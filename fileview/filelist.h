// The file list's rules, apart from any widget: which files a folder shows
// for a filter and a narrowing text, in which order, with which size text,
// which icon each row takes from the extension cache, the status text of a
// selection, and the folder a double-click on empty space goes up to.
// Texts are CP932 bytes.
#pragma once

#include "platform/paths.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tamble {

// Longest narrowing text taken; a longer one is cut there.
inline constexpr int kNarrowTextLimit = 255;

struct FileRow {
    std::string name; // bare name
    uint64_t size = 0;
};

// The narrowing test: the text is split at ";" into pieces; the first piece
// is always used, later ones only when not empty; a name passes when it
// matches any piece followed by "*" (MaskMatch: ASCII letters without
// regard to case, a piece may hold "*" and "?"). So "ab;cd" keeps names
// beginning with ab or cd, "ab;" is "ab", ";ab" keeps every name, "*x"
// keeps names holding an x. The empty text keeps every name.
class Narrowing {
public:
    explicit Narrowing(const std::string& text);
    [[nodiscard]] bool Passes(const std::string& name) const;

private:
    bool all_ = false;
    std::vector<std::string> patterns_;
};

// The rows of folder for filter (";"-separated masks, see GetFiles: a file
// matched by two masks comes twice) that pass narrow, in display order
// (nameorder.h). Empty when the folder cannot be read.
[[nodiscard]] std::vector<FileRow>
ListFileRows(const std::string& folder, const std::string& filter, const std::string& narrow);

// size in decimal with "," between groups of three digits: 1234567 ->
// "1,234,567", 0 -> "0"; sizes beyond 32 bits are shown whole.
[[nodiscard]] std::string FileSizeText(uint64_t size);

// The extension of name from its last "." on, dot included; "" without one.
[[nodiscard]] std::string FileExtension(const std::string& name);

// Where a row's icon comes from.
enum class IconSource {
    Cached,   // image cacheIndex of the cache
    NewEntry, // look it up from this row's file; it becomes image cacheIndex
    PerFile,  // look it up from this row's file, for this row only
};

struct IconStep {
    IconSource source = IconSource::Cached;
    int cacheIndex = -1; // -1 for PerFile
};

// The icon of every row of rows. Extensions are cached (compared without
// regard to case): the first row of an extension not yet in iconCashList
// appends it there and supplies the image of every later file of that
// extension. Extensions that match one of perFileMasks (";"-separated,
// matched against the extension with its dot, so "*.exe" takes effect)
// are never cached: each such row is looked up itself.
[[nodiscard]] std::vector<IconStep> PlanFileIcons(const std::vector<FileRow>& rows,
                                                  std::vector<std::string>& iconCashList,
                                                  const std::string& perFileMasks);

// The left half of the status line for count selected rows; "" for none.
[[nodiscard]] std::string SelectStatusText(int count);

} // namespace tamble
