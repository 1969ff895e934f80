#include "fileview/filerows.h"

#include "fileview/nameorder.h"

#include <algorithm>
#include <limits>

namespace tamble {

bool FileRows::Add(std::string_view name, uint64_t size) {
    constexpr size_t kLimit = std::numeric_limits<uint32_t>::max();
    if (names_.size() + name.size() + 1 > kLimit) return false;
    const auto start = static_cast<uint32_t>(names_.size());
    names_.append(name);
    names_.push_back('\0');
    rows_.push_back({start, static_cast<uint32_t>(name.size()), size, kNoIcon});
    return true;
}

namespace {

// Bytes of key a pass of the sort compares: most names end within them,
// and their rows are sorted in one pass that never reaches into the keys.
constexpr size_t kPrefixBytes = 2 * sizeof(uint64_t);

// kPrefixBytes of a key in integers that order as those bytes do.
struct Prefix {
    uint64_t high = 0;
    uint64_t low = 0;
    friend auto operator<=>(const Prefix&, const Prefix&) = default;
};

// A row to sort, with the prefix of its key from the depth the sort has
// reached. The row travels with its prefix, so that the sorted rows are
// read off in order at the end.
template <class Row> struct Keyed {
    Prefix prefix;
    Row row;
};

// The bytes of key from depth on, as many as fit, zero-padded: no name
// holds a NUL, so a key that ends there sorts before every longer one.
Prefix PrefixAt(std::string_view key, size_t depth) {
    const auto bytes = [&](size_t from) {
        uint64_t value = 0;
        for (size_t at = from; at < from + sizeof(uint64_t); ++at)
            value = (value << 8) | (at < key.size() ? static_cast<unsigned char>(key[at]) : 0U);
        return value;
    };
    return {bytes(depth), bytes(depth + sizeof(uint64_t))};
}

// Sorts [first, last) by key, then equal keys by name. Each pass orders a
// range by kPrefixBytes of key from its depth; a run that tied there and
// whose key goes on is ordered by the next ones in a later pass, while a
// run whose keys ended there holds equal keys. Ranges wait on a stack of
// their own, so a long name cannot run the call stack out.
template <class Row, class KeyOf, class NameOf>
void SortByKey(Keyed<Row>* first, Keyed<Row>* last, const KeyOf& key, const NameOf& name) {
    using Item = Keyed<Row>;
    struct Range {
        Item* first;
        Item* last;
        size_t depth;
    };
    std::vector<Range> ranges{{first, last, 0}};
    while (!ranges.empty()) {
        const Range range = ranges.back();
        ranges.pop_back();
        for (Item* at = range.first; at != range.last; ++at)
            at->prefix = PrefixAt(key(at->row), range.depth);
        std::sort(range.first, range.last,
                  [](const Item& a, const Item& b) { return a.prefix < b.prefix; });
        for (Item* run = range.first; run != range.last;) {
            Item* end = run + 1;
            while (end != range.last && end->prefix == run->prefix)
                ++end;
            const size_t next = range.depth + kPrefixBytes;
            if (end - run > 1 && key(run->row).size() > next) {
                ranges.push_back({run, end, next});
            } else if (end - run > 1) {
                std::sort(run, end,
                          [&](const Item& a, const Item& b) { return name(a.row) < name(b.row); });
            }
            run = end;
        }
    }
}

} // namespace

void FileRows::SortByName() {
    // The keys are folded once, into a copy of the whole buffer. The sort
    // compares a prefix of them held in the array it sorts, and looks
    // further only among rows that tied: a million names sort without
    // reaching into the buffer for every comparison.
    std::string keys(names_);
    FoldForSort(keys.data(), keys.size());
    const auto key = [&keys](const Row& row) {
        return std::string_view(keys.data() + row.start, row.length);
    };
    const auto name = [this](const Row& row) {
        return std::string_view(names_.data() + row.start, row.length);
    };
    std::vector<Keyed<Row>> order;
    order.reserve(rows_.size());
    for (const Row& row : rows_)
        order.push_back({{}, row});
    SortByKey(order.data(), order.data() + order.size(), key, name);
    for (size_t i = 0; i < order.size(); ++i)
        rows_[i] = order[i].row;
}

} // namespace tamble
