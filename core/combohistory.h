// History lists of the combo boxes (filters, folder paths, the masks of the
// delete-by-mask tool): newest first, no repeats, at most 32 entries. The
// lists hold CP932 texts and compare them exactly, letter case included.
#pragma once

#include <string>
#include <vector>

namespace tamble {

using HistoryList = std::vector<std::string>;

// Longest history that is kept and stored.
inline constexpr int kComboHistoryMax = 32;

// Records text at the top of list. Returns false, changing nothing, when
// text is empty. An equal entry moves to the top; else text is inserted
// there and the entry beyond kComboHistoryMax falls off. The caller then
// selects entry 0.
bool PushComboHistory(HistoryList& list, const std::string& text);

// True when text is not empty and not yet in list, so that refilling a
// history from stored values closes gaps and drops repeats.
[[nodiscard]] bool IsNewComboText(const HistoryList& list, const std::string& text);

} // namespace tamble
