#include "tools/toolcontrols.h"

#include "widgets/formcontrols.h"
#include "widgets/formnames.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace tamble {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

} // namespace

QComboBox* PlaceCombo(QWidget* parent, const char* name, int left, int top, int width) {
    QComboBox* combo = NewHistoryCombo(parent, name);
    combo->setGeometry(left, top, width, kEditHeight);
    return combo;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption, int left,
                         int top) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(left, top, kButtonWidth, kButtonHeight);
    return button;
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace tamble
