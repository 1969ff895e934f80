#include "fileview/filelist.h"

#include "fileview/folderlisting.h"
#include "fileview/nameorder.h"
#include "platform/codepage.h"
#include "textlib/strmask.h"
#include "textlib/strsplit.h"

#include <algorithm>
#include <unordered_map>

namespace tamble {
namespace {

constexpr const char* kNarrowSeparator = ";";
constexpr const char* kAnyRest = "*";
constexpr int kDigitGroup = 3;
// How many rows ahead NarrowRows asks for a candidate's name.
constexpr size_t kNamesAhead = 8;
// What PlanFileIcons notes for an extension whose files show their own icon.
constexpr int32_t kOwnIcon = -1;

} // namespace

Narrowing::Narrowing(const std::string& text) {
    if (text.empty()) {
        all_ = true;
        return;
    }
    char pieces[kNarrowTextLimit + 1];
    const int count = StrSplit(text.c_str(), kNarrowSeparator, pieces, sizeof pieces);
    for (int i = 0; i < count; ++i) {
        const std::string piece = StrNth(pieces, i);
        if (i > 0 && piece.empty()) continue;
        patterns_.push_back(piece + kAnyRest);
    }
}

bool Narrowing::Passes(const char* name) const {
    if (all_) return true;
    return std::any_of(patterns_.begin(), patterns_.end(), [name](const std::string& pattern) {
        return MaskMatch(name, pattern.c_str()) != 0;
    });
}

bool NarrowsFurther(const std::string& before, const std::string& after) {
    if (after.size() > static_cast<size_t>(kNarrowTextLimit)) return false;
    if (before.empty()) return true;
    if (after.compare(0, before.size(), before) != 0 || before.back() == kNarrowSeparator[0])
        return false;
    return after.find(kNarrowSeparator[0], before.size()) == std::string::npos;
}

FileRows ReadFileRows(const std::string& folder, const std::string& filter,
                      const std::string& narrow) {
    // Narrowing as the names are read keeps refused names out of the rows,
    // and out of any look-up a link or an entry of unknown kind needs.
    const Narrowing narrowing(narrow);
    platform::NameFilter wanted;
    if (!narrow.empty())
        wanted = [&narrowing](const std::string& name) { return narrowing.Passes(name.c_str()); };
    // The folder is read without a look-up per file (the list shows no
    // attribute, and a size only for the rows on screen): a folder of a
    // million files costs a million look-ups less. Every entry that is not
    // a folder is a file, as GetFiles lists them; "." and ".." are folders.
    FileRows rows;
    bool room = true;
    ListEachMask(filter.c_str(), [&](const char* mask) {
        if (!room) return 0;
        platform::EnumerateFolder(
            folder, mask, false,
            [&](const platform::DirEntry& entry) {
                if ((entry.attributes & platform::kAttrDirectory) != 0) return true;
                room = rows.Add(entry.name, entry.sized ? entry.size : kUnknownSize);
                return room;
            },
            wanted);
        return 0;
    });
    return rows;
}

std::vector<uint32_t> NarrowRows(const FileRows& rows, const Narrowing& narrowing,
                                 const std::vector<uint32_t>* candidates) {
    const size_t count = candidates != nullptr ? candidates->size() : rows.Size();
    const auto rowAt = [candidates](size_t i) {
        return candidates != nullptr ? (*candidates)[i] : static_cast<uint32_t>(i);
    };
    std::vector<uint32_t> kept;
    kept.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        // The names lie in the order the folder gave them, the rows in
        // display order: each name is a jump into the buffer. Asking for
        // the name a few rows ahead overlaps those waits for memory.
        if (i + kNamesAhead < count) __builtin_prefetch(rows.Name(rowAt(i + kNamesAhead)));
        const uint32_t row = rowAt(i);
        if (narrowing.Passes(rows.Name(row))) kept.push_back(row);
    }
    kept.shrink_to_fit();
    return kept;
}

std::string FileSizeText(uint64_t size) {
    const std::string digits = std::to_string(size);
    std::string text;
    text.reserve(digits.size() + digits.size() / kDigitGroup);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % kDigitGroup == 0) text.push_back(',');
        text.push_back(digits[i]);
    }
    return text;
}

std::string_view FileExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

IconLookups PlanFileIcons(FileRows& rows, std::vector<std::string>& iconCashList,
                          const std::string& perFileMasks) {
    std::unordered_map<std::string, int32_t> cached; // folded extension -> cache index
    for (size_t i = 0; i < iconCashList.size(); ++i)
        cached.emplace(NameSortKey(iconCashList[i]), static_cast<int32_t>(i));
    // By extension as written in the names, which stay put while this runs:
    // most rows cost one look-up here and no allocation.
    std::unordered_map<std::string_view, int32_t> byExtension;
    IconLookups lookups;
    for (size_t row = 0; row < rows.Size(); ++row) {
        const std::string_view extension = FileExtension(rows.NameView(row));
        const auto known = byExtension.find(extension);
        if (known != byExtension.end() && known->second != kOwnIcon) {
            rows.SetIcon(row, known->second);
            continue;
        }
        const std::string text(extension);
        if (known != byExtension.end() || MaskMatchList(text.c_str(), perFileMasks.c_str()) != 0) {
            rows.SetIcon(row, PerFileIcon(static_cast<int32_t>(lookups.perFile.size())));
            lookups.perFile.emplace_back(rows.NameView(row));
            byExtension.emplace(extension, kOwnIcon);
            continue;
        }
        const auto [entry, added] =
            cached.emplace(NameSortKey(text), static_cast<int32_t>(iconCashList.size()));
        if (added) {
            iconCashList.push_back(text);
            lookups.newEntries.emplace_back(rows.NameView(row));
        }
        rows.SetIcon(row, entry->second);
        byExtension.emplace(extension, entry->second);
    }
    return lookups;
}

std::string SelectStatusText(int count) {
    static const std::string format = platform::Utf8ToCp932(" 個のﾌｧｲﾙを選択");
    return count > 0 ? std::to_string(count) + format : std::string();
}

} // namespace tamble
