#include "textlib/sortarray.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

using Items = std::vector<const void*>;

// Every algorithm sorts pointers to the elements; the elements are moved
// once at the end.
class Sorter {
public:
    Sorter(Items& items, SortCompare compare) : a_(items), compare_(compare) {}

    bool Less(int i, int j) const { return compare_(a_[i], a_[j]) < 0; }

    int Bubble() {
        int swaps = 0;
        for (int end = static_cast<int>(a_.size()) - 1; end > 0;) {
            int lastSwap = 0;
            for (int i = 0; i < end; ++i) {
                if (Less(i + 1, i)) {
                    std::swap(a_[i], a_[i + 1]);
                    ++swaps;
                    lastSwap = i;
                }
            }
            end = lastSwap;
        }
        return swaps;
    }

    int GapInsertion(int gap) {
        int moves = 0;
        for (int i = gap; i < static_cast<int>(a_.size()); ++i) {
            const void* item = a_[i];
            int j = i;
            for (; j >= gap && compare_(item, a_[j - gap]) < 0; j -= gap) {
                a_[j] = a_[j - gap];
                ++moves;
            }
            a_[j] = item;
        }
        return moves;
    }

    int Shell() {
        const int n = static_cast<int>(a_.size());
        int gap = 1;
        while (gap <= n)
            gap = 3 * gap + 1;
        int moves = 0;
        for (gap /= 3; gap >= 1; gap /= 3)
            moves += GapInsertion(gap);
        return moves;
    }

    int Selection(int low, int high) {
        int swaps = 0;
        for (int i = low; i < high; ++i) {
            int smallest = i;
            for (int j = i + 1; j <= high; ++j)
                if (Less(j, smallest)) smallest = j;
            if (smallest != i) {
                std::swap(a_[i], a_[smallest]);
                ++swaps;
            }
        }
        return swaps;
    }

    int Quick(int low, int high) {
        constexpr int kSmallRange = 11;
        int swaps = 0;
        while (high - low + 1 > kSmallRange) {
            const void* pivot = a_[(low + high) / 2];
            int i = low;
            int j = high;
            while (i <= j) {
                while (compare_(a_[i], pivot) < 0)
                    ++i;
                while (compare_(pivot, a_[j]) < 0)
                    --j;
                if (i <= j) {
                    if (i != j) {
                        std::swap(a_[i], a_[j]);
                        ++swaps;
                    }
                    ++i;
                    --j;
                }
            }
            // Recurse into the smaller side, loop on the larger: the stack stays shallow.
            if (j - low < high - i) {
                swaps += Quick(low, j);
                low = i;
            } else {
                swaps += Quick(i, high);
                high = j;
            }
        }
        return swaps + Selection(low, high);
    }

private:
    Items& a_;
    SortCompare compare_;
};

} // namespace

int SortArray(int algorithm, void* base, int count, size_t size, SortCompare compare) {
    if (algorithm < kSortBubble || algorithm > kSortQuick || count < 2 || !base || !compare)
        return 0;
    auto* bytes = static_cast<unsigned char*>(base);
    std::vector<unsigned char> copy(bytes, bytes + count * size);
    Items items(count);
    for (int i = 0; i < count; ++i)
        items[i] = copy.data() + i * size;

    Sorter sorter(items, compare);
    int result = 0;
    switch (algorithm) {
    case kSortBubble:
        result = sorter.Bubble();
        break;
    case kSortInsertion:
        result = sorter.GapInsertion(1);
        break;
    case kSortShell:
        result = sorter.Shell();
        break;
    case kSortSelection:
        result = sorter.Selection(0, count - 1);
        break;
    default:
        result = sorter.Quick(0, count - 1);
        break;
    }
    for (int i = 0; i < count; ++i)
        std::memcpy(bytes + i * size, items[i], size);
    return result;
}
