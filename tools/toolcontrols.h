// Builders for the controls that only the batch tools' dialogs place (the
// plain ones are in formcontrols.h), and where those dialogs open.
#pragma once

#include <QString>

class QComboBox;
class QPushButton;
class QWidget;

namespace tamble {

QComboBox* PlaceCombo(QWidget* parent, const char* name, int left, int top, int width);
QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption, int left,
                         int top);

// Moves window to the middle of the screen it is on (or the primary one).
void CentreOnScreen(QWidget& window);

} // namespace tamble
