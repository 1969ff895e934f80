// A folder's files as plain rows: every name in one shared buffer, and per
// row only where its name lies, the file's size and its icon. A folder of a
// million files costs two allocations, not a million, and is let go of at
// once. Names are CP932 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamble {

// The icon a row shows: an entry of the icon cache (0 and up), one looked
// up for this row alone (PerFileIcon(k) for the k-th such row), or none.
inline constexpr int32_t kNoIcon = INT32_MIN;
[[nodiscard]] constexpr int32_t PerFileIcon(int32_t k) {
    return -k - 1;
}
[[nodiscard]] constexpr int32_t PerFileIndex(int32_t icon) {
    return -icon - 1;
}

// The size of a row whose file has not been asked for it yet.
inline constexpr uint64_t kUnknownSize = UINT64_MAX;

class FileRows {
public:
    // Appends a row. False, adding nothing, once the names would pass 4 GiB,
    // which no folder a person browses comes near.
    bool Add(std::string_view name, uint64_t size);

    [[nodiscard]] size_t Size() const { return rows_.size(); }
    // The row's bare name, ended by a NUL in the buffer.
    [[nodiscard]] const char* Name(size_t row) const { return names_.data() + rows_[row].start; }
    [[nodiscard]] std::string_view NameView(size_t row) const {
        return {names_.data() + rows_[row].start, rows_[row].length};
    }
    // The size given, kUnknownSize until it is known.
    [[nodiscard]] uint64_t FileSize(size_t row) const { return rows_[row].size; }
    void SetFileSize(size_t row, uint64_t size) { rows_[row].size = size; }
    [[nodiscard]] int32_t Icon(size_t row) const { return rows_[row].icon; }
    void SetIcon(size_t row, int32_t icon) { rows_[row].icon = icon; }

    // Puts the rows in display order (nameorder.h); equal names stay
    // together. The names' buffer is not moved.
    void SortByName();

private:
    struct Row {
        uint32_t start = 0;  // offset of the name in names_
        uint32_t length = 0; // bytes, the NUL not counted
        uint64_t size = 0;
        int32_t icon = kNoIcon;
    };

    std::string names_; // every name followed by a NUL
    std::vector<Row> rows_;
};

} // namespace tamble
