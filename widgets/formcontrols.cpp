#include "widgets/formcontrols.h"

#include "widgets/formnames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tamble {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

} // namespace

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

void MakeReportList(QTreeView& list) {
    list.setRootIsDecorated(false);
    list.setItemsExpandable(false);
    list.setUniformRowHeights(true);
}

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

QToolButton* PlaceBrowseButton(QWidget* parent, const char* name, int left, int top, int size) {
    auto* button = Named(new QToolButton(parent), name);
    button->setText(QStringLiteral("..."));
    button->setGeometry(left, top, size, size);
    return button;
}

} // namespace tamble
