// Builders of the plain controls the fixed-layout forms place: each makes a
// control named as designed (see Named) at its designed position.
#pragma once

#include "widgets/formnames.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeView;
class QVBoxLayout;
class QWidget;

namespace tamble {

// A label sized to its caption, its top left corner at (left, top).
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top);
// A check box sized to its caption, its top left corner at (left, top).
QCheckBox* PlaceCheck(QWidget* parent, const char* name, const QString& caption, int left, int top);
// A one-line edit box of the given width and the forms' edit height.
QLineEdit* PlaceEdit(QWidget* parent, const char* name, int left, int top, int width);
// An editable combo box that offers a history list. The box holds exactly
// what the user types: it does not complete from the list (which would turn
// a typed "*.c" into an older "*.cpp" entry), and Enter adds no entry by
// itself, since the histories keep their own rules.
QComboBox* NewHistoryCombo(QWidget* parent, const char* name);
// A history combo box (NewHistoryCombo) of the given width and the forms'
// edit height.
QComboBox* PlaceCombo(QWidget* parent, const char* name, int left, int top, int width);
// A push button of the dialogs' standard size.
QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption, int left,
                         int top);
// A square "..." button of side size, which opens a file or folder picker.
QToolButton* PlaceBrowseButton(QWidget* parent, const char* name, int left, int top, int size);
// Moves window to the middle of the screen it is on (or the primary one).
void CentreOnScreen(QWidget& window);

// --- The pages' building blocks
// A column layout on parent without margins or spacing.
QVBoxLayout* FlatColumn(QWidget* parent);
// A strip of the given height whose children are placed at fixed positions.
QWidget* Strip(QWidget* parent, const char* name, int height);
// Makes list a list of rows with columns, without a tree's expanders.
void MakeReportList(QTreeView& list);
// A new View (a QTreeView or QTreeWidget) named name, made a report list.
template <class View> View* ReportList(QWidget* parent, const char* name) {
    auto* list = Named(new View(parent), name);
    MakeReportList(*list);
    return list;
}

} // namespace tamble
