// Editing of the filter list in the options dialog, on a copy of the
// file view's filters that goes back only when the dialog is confirmed.
#pragma once

#include <string>
#include <vector>

namespace tamble {

using FilterList = std::vector<std::string>;

// Add: appends text unless it is empty or already listed (exact comparison,
// letter case included). Returns true when appended; the caller then
// empties the edit box, and keeps it otherwise.
bool AddFilter(FilterList& list, const std::string& text);

// Update: replaces entry selected by text as typed, even empty or repeated.
// Returns false, changing nothing, when selected is not an entry.
bool UpdateFilter(FilterList& list, int selected, const std::string& text);

// Delete: removes entry selected. Returns false when it is not an entry.
bool DeleteFilter(FilterList& list, int selected);

} // namespace tamble
