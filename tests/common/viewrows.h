// Reads and selects the rows of an item view through its model, whichever
// view shows them, as the user sees them.
#pragma once

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QString>

#include <initializer_list>
#include <string>
#include <vector>

// The texts (UTF-8) of column of the view's rows, in order.
inline std::vector<std::string> ViewTexts(const QAbstractItemView& view, int column = 0) {
    const QAbstractItemModel* model = view.model();
    std::vector<std::string> texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.push_back(model->index(row, column).data().toString().toStdString());
    return texts;
}

// The text of the cell at row and column, as shown.
inline QString ViewText(const QAbstractItemView& view, int row, int column = 0) {
    return view.model()->index(row, column).data().toString();
}

// Selects exactly the whole rows given, as a click and ctrl-clicks would.
inline void SelectViewRows(QAbstractItemView& view, std::initializer_list<int> rows) {
    view.clearSelection();
    for (int row : rows)
        view.selectionModel()->select(view.model()->index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
