#include "formcontrols.h"

#include "formnames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace tamble {

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* label = Named(new QLabel(caption, parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QCheckBox* PlaceCheck(QWidget* parent, const char* name, const QString& caption, int left,
                      int top) {
    auto* check = Named(new QCheckBox(caption, parent), name);
    check->move(left, top);
    check->adjustSize();
    return check;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, int left, int top, int width) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setGeometry(left, top, width, kEditHeight);
    return edit;
}

QComboBox* NewHistoryCombo(QWidget* parent, const char* name) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace tamble
