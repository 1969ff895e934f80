#include "fileview/filelist.h"

#include "fileview/folderlisting.h"
#include "fileview/nameorder.h"
#include "platform/codepage.h"
#include "textlib/cclstringlist.h"
#include "textlib/strmask.h"
#include "textlib/strsplit.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace tamble {
namespace {

constexpr const char* kNarrowSeparator = ";";
constexpr const char* kAnyRest = "*";
constexpr int kDigitGroup = 3;

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

bool Narrowing::Passes(const std::string& name) const {
    if (all_) return true;
    return std::any_of(patterns_.begin(), patterns_.end(), [&name](const std::string& pattern) {
        return MaskMatch(name.c_str(), pattern.c_str()) != 0;
    });
}

std::vector<FileRow> ListFileRows(const std::string& folder, const std::string& filter,
                                  const std::string& narrow) {
    // Narrowing before the listing looks anything up keeps typing into the
    // narrowing box quick in a large folder: refused names cost no system call.
    const Narrowing narrowing(narrow);
    CCLStringListBase lines;
    platform::NameFilter wanted;
    if (!narrow.empty())
        wanted = [&narrowing](const std::string& name) { return narrowing.Passes(name); };
    const int count = GetFiles(&lines, folder.c_str(), filter.c_str(), wanted);
    std::vector<FileRow> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const CCLListItem& line = *lines.Items.Item(i);
        rows.push_back({line.text.Text() != nullptr ? line.text.Text() : "", FileSizeOf(line)});
    }
    // Sort once, by keys computed once per name: filling a large folder
    // must not fold letters in every comparison.
    std::vector<std::string> keys;
    keys.reserve(rows.size());
    for (const FileRow& row : rows)
        keys.push_back(NameSortKey(row.name));
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return keys[a] != keys[b] ? keys[a] < keys[b] : rows[a].name < rows[b].name;
    });
    std::vector<FileRow> sorted;
    sorted.reserve(rows.size());
    for (size_t index : order)
        sorted.push_back(std::move(rows[index]));
    return sorted;
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

std::string FileExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::vector<IconStep> PlanFileIcons(const std::vector<FileRow>& rows,
                                    std::vector<std::string>& iconCashList,
                                    const std::string& perFileMasks) {
    std::unordered_map<std::string, int> cached; // folded extension -> cache index
    for (size_t i = 0; i < iconCashList.size(); ++i)
        cached.emplace(NameSortKey(iconCashList[i]), static_cast<int>(i));
    std::unordered_map<std::string, IconStep> byExtension; // as written in the names
    std::vector<IconStep> steps;
    steps.reserve(rows.size());
    for (const FileRow& row : rows) {
        const std::string extension = FileExtension(row.name);
        const auto known = byExtension.find(extension);
        if (known != byExtension.end()) {
            steps.push_back(known->second);
            continue;
        }
        IconStep step{IconSource::PerFile, -1};
        if (MaskMatchList(extension.c_str(), perFileMasks.c_str()) == 0) {
            const auto [entry, added] =
                cached.emplace(NameSortKey(extension), static_cast<int>(iconCashList.size()));
            if (added) iconCashList.push_back(extension);
            step = {added ? IconSource::NewEntry : IconSource::Cached, entry->second};
        }
        steps.push_back(step);
        byExtension.emplace(extension, step.source == IconSource::NewEntry
                                           ? IconStep{IconSource::Cached, step.cacheIndex}
                                           : step);
    }
    return steps;
}

std::string SelectStatusText(int count) {
    static const std::string format = platform::Utf8ToCp932(" 個のﾌｧｲﾙを選択");
    return count > 0 ? std::to_string(count) + format : std::string();
}

} // namespace tamble
