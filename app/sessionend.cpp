#include "app/sessionend.h"

#include "app/tfrmtamble.h"
#include "platform/terminationsignals.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

namespace tamble {

void CloseWithSession(QGuiApplication& application, TfrmTamble& window) {
    const int signalPipe = platform::WatchTerminationSignals();
    if (signalPipe >= 0) {
        auto* notifier = new QSocketNotifier(signalPipe, QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [signalPipe, &window] {
            platform::ReadTerminationSignal(signalPipe);
            window.close();
        });
    }
    // The session may end without asking again, so the answer to "save
    // now" is the whole exit, not a save that a later exit would repeat.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.close(); });
    // FormDestroy runs once; after a close this does nothing.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                     &TfrmTamble::FormDestroy);
}

} // namespace tamble
