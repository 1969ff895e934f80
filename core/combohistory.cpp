#include "core/combohistory.h"

#include <algorithm>

namespace tamble {

bool PushComboHistory(HistoryList& list, const std::string& text) {
    if (text.empty()) return false;
    const auto found = std::find(list.begin(), list.end(), text);
    if (found != list.end()) {
        // Rotate rather than erase and insert: the entry keeps its own text
        // even when text refers into the list.
        std::rotate(list.begin(), found, found + 1);
        return true;
    }
    list.insert(list.begin(), text);
    if (list.size() > static_cast<size_t>(kComboHistoryMax)) list.pop_back();
    return true;
}

bool IsNewComboText(const HistoryList& list, const std::string& text) {
    return !text.empty() && std::find(list.begin(), list.end(), text) == list.end();
}

} // namespace tamble
