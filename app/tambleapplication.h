// The application object: reports an error that escapes an event handler
// in a box titled "Tamble", and the event loop carries on.
#pragma once

#include <QApplication>

namespace tamble {

class TambleApplication : public QApplication {
public:
    TambleApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The error box: title "Tamble", error icon, OK, ErrorBoxText(message).
void ShowErrorBox(const char* message);

} // namespace tamble
