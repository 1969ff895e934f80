// The file list's rules, apart from any widget: which files a folder shows
// for a filter, which of them a narrowing text keeps, in which order, with
// which size text, which icon each row takes from the extension cache, and
// the status text of a selection. Texts are CP932 bytes.
#pragma once

#include "fileview/filerows.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamble {

// Longest narrowing text taken; a longer one is cut there.
inline constexpr int kNarrowTextLimit = 255;

// The narrowing test: the text is split at ";" into pieces; the first piece
// is always used, later ones only when not empty; a name passes when it
// matches any piece followed by "*" (MaskMatch: ASCII letters without
// regard to case, a piece may hold "*" and "?"). So "ab;cd" keeps names
// beginning with ab or cd, "ab;" is "ab", ";ab" keeps every name, "*x"
// keeps names holding an x. The empty text keeps every name.
class Narrowing {
public:
    explicit Narrowing(const std::string& text);
    [[nodiscard]] bool Passes(const char* name) const;

private:
    bool all_ = false;
    std::vector<std::string> patterns_;
};

// Whether every name the narrowing text after keeps is kept by before as
// well, so that narrowing what before kept is enough: before is empty (it
// keeps every name), or after is before with more typed at its end, no ";"
// among it, and before does not end in ";" (a piece begun after a ";"
// widens rather than narrows).
[[nodiscard]] bool NarrowsFurther(const std::string& before, const std::string& after);

// The rows of folder for filter (";"-separated masks, see GetFiles: a file
// matched by two masks comes twice) that pass narrow, in the order the
// folder gives them (FileRows::SortByName puts them in display order),
// without icons. A size the system's listing does not give (POSIX) is left
// kUnknownSize, to be asked for when the row is shown. Empty when the
// folder cannot be read.
[[nodiscard]] FileRows ReadFileRows(const std::string& folder, const std::string& filter,
                                    const std::string& narrow);

// The indexes, in order, of the rows that pass narrowing: of candidates
// when given, else of every row.
[[nodiscard]] std::vector<uint32_t> NarrowRows(const FileRows& rows, const Narrowing& narrowing,
                                               const std::vector<uint32_t>* candidates = nullptr);

// size in decimal with "," between groups of three digits: 1234567 ->
// "1,234,567", 0 -> "0"; sizes beyond 32 bits are shown whole.
[[nodiscard]] std::string FileSizeText(uint64_t size);

// The extension of name from its last "." on, dot included; "" without one.
[[nodiscard]] std::string_view FileExtension(std::string_view name);

// The icons PlanFileIcons leaves to be looked up, by the name of the file
// that shows it (names, not rows: the rows may be sorted after planning).
struct IconLookups {
    // One per extension it added to the cache, in the cache's order: the
    // file that supplies that extension's image.
    std::vector<std::string> newEntries;
    // The files whose icon is their own: the k-th is PerFileIcon(k).
    std::vector<std::string> perFile;
};

// Sets the icon of every row of rows. Extensions are cached (compared
// without regard to case): the first row of an extension not yet in
// iconCashList appends it there and supplies the image of every file of
// that extension. Extensions that match one of perFileMasks (";"-separated,
// matched against the extension with its dot, so "*.exe" takes effect)
// are never cached: each such row is looked up itself.
[[nodiscard]] IconLookups PlanFileIcons(FileRows& rows, std::vector<std::string>& iconCashList,
                                        const std::string& perFileMasks);

// The left half of the status line for count selected rows; "" for none.
[[nodiscard]] std::string SelectStatusText(int count);

} // namespace tamble
