#include "widgets/formcontrols.h"

#include "widgets/formnames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

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

QVBoxLayout* FlatColumn(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

QWidget* Strip(QWidget* parent, const char* name, int height) {
    auto* strip = Named(new QWidget(parent), name);
    strip->setFixedHeight(height);
    return strip;
}

QTreeWidget* ReportList(QWidget* parent, const char* name) {
    auto* list = Named(new QTreeWidget(parent), name);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    return list;
}

} // namespace tamble
