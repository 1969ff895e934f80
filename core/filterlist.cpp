#include "core/filterlist.h"

#include <algorithm>

namespace tamble {
namespace {

bool IsEntry(const FilterList& list, int index) {
    return index >= 0 && static_cast<size_t>(index) < list.size();
}

} // namespace

bool AddFilter(FilterList& list, const std::string& text) {
    if (text.empty() || std::find(list.begin(), list.end(), text) != list.end()) return false;
    list.push_back(text);
    return true;
}

bool UpdateFilter(FilterList& list, int selected, const std::string& text) {
    if (!IsEntry(list, selected)) return false;
    list[static_cast<size_t>(selected)] = text;
    return true;
}

bool DeleteFilter(FilterList& list, int selected) {
    if (!IsEntry(list, selected)) return false;
    list.erase(list.begin() + selected);
    return true;
}

} // namespace tamble
