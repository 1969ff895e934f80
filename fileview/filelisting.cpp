#include "fileview/filelisting.h"

#include <numeric>

namespace tamble {

IconLookups FileListing::List(const std::string& folder, const std::string& filter,
                              const std::string& narrow, std::vector<std::string>& iconCashList,
                              const std::string& perFileMasks) {
    // Stamped before it is read: a change made while it is read leaves a
    // stamp that differs, and the next narrowing reads the folder again.
    stamp_ = platform::StampOfFolder(folder);
    rows_ = ReadFileRows(folder, filter, narrow);
    // Planned in the folder's order, which reads the names buffer straight
    // through; in sorted order, a million rows jump about it and take
    // three times as long.
    IconLookups lookups = PlanFileIcons(rows_, iconCashList, perFileMasks);
    rows_.SortByName();
    folder_ = folder;
    filter_ = filter;
    listedNarrow_ = narrow;
    shownNarrow_ = narrow;
    shown_.resize(rows_.Size());
    std::iota(shown_.begin(), shown_.end(), uint32_t{0});
    return lookups;
}

bool FileListing::CanNarrow(const std::string& filter, const std::string& narrow) const {
    if (!stamp_ || filter != filter_ || !NarrowsFurther(listedNarrow_, narrow)) return false;
    return platform::StampOfFolder(folder_) == stamp_;
}

void FileListing::Narrow(const std::string& narrow) {
    const Narrowing narrowing(narrow);
    // Another key typed after the text shown only takes rows away.
    shown_ = NarrowRows(rows_, narrowing, NarrowsFurther(shownNarrow_, narrow) ? &shown_ : nullptr);
    shownNarrow_ = narrow;
}

std::optional<uint64_t> FileListing::FileSize(size_t row) {
    if (rows_.FileSize(row) != kUnknownSize) return rows_.FileSize(row);
    // The path may name another folder by now, whose file of the same name
    // is not the one listed.
    const std::optional<platform::FolderStamp> now = platform::StampOfFolder(folder_);
    if (!stamp_ || !now || now->id != stamp_->id) return std::nullopt;
    const std::optional<uint64_t> size = platform::FileSizeIn(folder_, rows_.Name(row));
    if (size) rows_.SetFileSize(row, *size);
    return size;
}

} // namespace tamble
