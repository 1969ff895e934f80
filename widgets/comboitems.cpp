#include "widgets/comboitems.h"

#include "widgets/qtext.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tamble {

HistoryList ComboItems(const QComboBox& combo) {
    HistoryList items;
    items.reserve(static_cast<size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i)
        items.push_back(platform::ToCp932(combo.itemText(i)));
    return items;
}

void SetComboItems(QComboBox& combo, const HistoryList& items) {
    const QSignalBlocker quiet(combo); // a refill is not a choice by the user
    combo.clear();
    for (const std::string& item : items)
        combo.addItem(platform::FromCp932(item));
}

} // namespace tamble
