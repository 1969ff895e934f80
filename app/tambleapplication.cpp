#include "app/tambleapplication.h"

#include "core/errortext.h"
#include "widgets/appstyle.h"

#include <QMessageBox>

#include <exception>

namespace tamble {

TambleApplication::TambleApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(kApplicationTitle));
    setWindowIcon(ProgramIcon());
    // The window may sit hidden in the notification area while a box is
    // closed; the program ends only through the main window's exit steps.
    setQuitOnLastWindowClosed(false);
}

bool TambleApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    } catch (...) {
        ShowErrorBox("Unknown error");
    }
    return false;
}

void ShowErrorBox(const char* message) {
    QMessageBox::critical(nullptr, QString::fromLatin1(kApplicationTitle),
                          QString::fromStdString(ErrorBoxText(message)));
}

} // namespace tamble
