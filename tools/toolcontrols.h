// Builders for the controls of the batch tools' dialogs: each places a
// named control at its designed position.
#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tamble {

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top);
QCheckBox* PlaceCheck(QWidget* parent, const char* name, const QString& caption, int left, int top);
QLineEdit* PlaceEdit(QWidget* parent, const char* name, int left, int top, int width);
QComboBox* PlaceCombo(QWidget* parent, const char* name, int left, int top, int width);
QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption, int left,
                         int top);

// Moves window to the middle of the screen it is on (or the primary one).
void CentreOnScreen(QWidget& window);

} // namespace tamble
