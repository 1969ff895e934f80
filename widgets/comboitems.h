// Combo box items to and from the CP932 history lists of the logic.
#pragma once

#include "core/combohistory.h"

class QComboBox;

namespace tamble {

[[nodiscard]] HistoryList ComboItems(const QComboBox& combo);
// Replaces the items; the edit text is left to the caller.
void SetComboItems(QComboBox& combo, const HistoryList& items);

} // namespace tamble
