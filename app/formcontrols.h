// Builders of the plain controls the fixed-layout forms place: each makes a
// control named as designed (see Named) at its designed position.
#pragma once

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace tamble {

// A label sized to its caption, its top left corner at (left, top).
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top);
// A check box sized to its caption, its top left corner at (left, top).
QCheckBox* PlaceCheck(QWidget* parent, const char* name, const QString& caption, int left, int top);
// A one-line edit box of the given width and the forms' edit height.
QLineEdit* PlaceEdit(QWidget* parent, const char* name, int left, int top, int width);

} // namespace tamble
