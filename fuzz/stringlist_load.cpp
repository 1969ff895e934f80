// The string list loader with every load flag and with #include. The input
// describes small files in a private folder: a flag byte, then NUL-separated
// texts for main.txt, a.txt, b.txt, c.txt and d.txt (includes name them
// relative to that folder, the current one while loading).
//
// Besides not crashing, and loading in bounded time and memory, a plain
// load gives back the file's lines exactly ("\n" or CR LF ends a line, and
// no double-byte character swallows one), and each cleaning flag leaves no
// line it should have removed or cleaned.
#include "fuzz/fuzzsupport.h"
#include "textlib/cclstringlist.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kFileNames[] = {"main.txt", "a.txt", "b.txt", "c.txt", "d.txt"};
// One flag per bit of the flag byte.
constexpr uint32_t kFlags[] = {CCLSL_APPEND,         CCLSL_REMOVE_BLANK, CCLSL_TRIM_RIGHT,
                               CCLSL_STRIP_COMMENTS, CCLSL_QUOTES,       CCLSL_DROP_MARKED,
                               CCLSL_DIRECTIVES,     CCLSL_RELOAD};
constexpr uint32_t kCleaningFlags = CCLSL_REMOVE_BLANK | CCLSL_TRIM_RIGHT | CCLSL_STRIP_COMMENTS |
                                    CCLSL_DROP_MARKED | CCLSL_DIRECTIVES;
// Lines longer than a list line are cut; the exact comparison skips them.
constexpr size_t kLongestLine = textlib::kLineScratch - 2;

// Includes must stay inside the private folder: a device file would make
// a load endless without telling anything about the loader.
bool NamesSystemFiles(std::string_view input) {
    for (const char* place : {"/dev", "/proc", "/sys"})
        if (input.find(place) != std::string_view::npos) return true;
    return false;
}

// The text of a file as the text-file reader gives it: each CR LF is "\n".
std::string AsRead(std::string_view bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

bool HasLongLine(std::string_view text) {
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        const size_t length = (end == std::string_view::npos ? text.size() : end) - start;
        if (length > kLongestLine) return true;
        if (end == std::string_view::npos) return false;
        start = end + 1;
    }
}

std::string Joined(const CCLStringList& list) {
    std::unique_ptr<char[]> text(list.GetText());
    return text ? text.get() : "";
}

void CheckPlainLoad(const CCLStringList& list, std::string_view file) {
    const std::string expected = AsRead(file);
    if (HasLongLine(expected)) return;
    const std::string lines = Joined(list);
    const auto breaks = static_cast<int32_t>(std::count(expected.begin(), expected.end(), '\n'));
    fuzz::Check(lines == expected && list.Count() == breaks + 1,
                "the lines of [" + fuzz::Shown(file) + "] load as " + std::to_string(list.Count()) +
                    " lines [" + fuzz::Shown(lines) + "]");
}

void CheckCleaned(const CCLStringList& list, uint32_t flags, std::string_view file) {
    for (int32_t i = 0; i < list.Count(); ++i) {
        const std::string line = list.Text(i) ? list.Text(i) : "";
        const std::string where = "line " + std::to_string(i) + " [" + fuzz::Shown(line) +
                                  "] of [" + fuzz::Shown(file) + "]";
        if (flags & CCLSL_REMOVE_BLANK) fuzz::Check(!line.empty(), "an empty " + where);
        if (flags & CCLSL_TRIM_RIGHT) {
            fuzz::Check(line.empty() || (line.back() != ' ' && line.back() != '\t'),
                        "trailing blanks on " + where);
        }
        if (flags & CCLSL_DROP_MARKED) {
            fuzz::Check(line.find_first_of(";#") == std::string::npos, "a marked " + where);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string_view rest = fuzz::AsText(data + 1, size - 1);
    if (NamesSystemFiles(rest)) return 0;
    uint32_t flags = 0;
    for (size_t bit = 0; bit < std::size(kFlags); ++bit)
        if (data[0] & (1u << bit)) flags |= kFlags[bit];

    fuzz::EnterScratchFolder();
    const std::vector<std::string> parts = fuzz::SplitAtNul(rest);
    for (size_t i = 0; i < std::size(kFileNames); ++i)
        fuzz::WriteScratchFile(kFileNames[i], i < parts.size() ? parts[i] : "");

    CCLStringList list;
    fuzz::Check(list.LoadFromFile(kFileNames[0], flags) == 1, "main.txt did not load");
    const int32_t count = list.Count();
    if ((flags & kCleaningFlags) == 0) CheckPlainLoad(list, parts[0]);
    // Directives may substitute a name into any line after the cleaning.
    if ((flags & CCLSL_DIRECTIVES) == 0) CheckCleaned(list, flags, parts[0]);

    // The same file again loads only when asked to.
    const int again = list.LoadFromFile(kFileNames[0], flags);
    if (!(flags & CCLSL_RELOAD)) {
        fuzz::Check(again == 0 && list.Count() == count, "main.txt loaded twice without RELOAD");
    }
    return 0;
}
