#include "bench/instrument/paintreport.h"

#include "platform/qt/firstpaint.h"

#include <QFile>
#include <QTimer>
#include <QWidget>

#include <climits>
#include <cstdlib>

namespace platform {

void ReportFirstPaint(QWidget& window) {
    const char* variable = std::getenv("TAMBLE_PAINTED_FD");
    if (variable == nullptr || *variable == '\0') return;
    char* end = nullptr;
    const long fd = std::strtol(variable, &end, 10);
    const bool valid = *end == '\0' && fd >= 0 && fd <= INT_MAX;
    // Programs started from here must not write into whatever their own
    // descriptor of that number is.
    qunsetenv("TAMBLE_PAINTED_FD");
    if (!valid) return;
    // Armed behind the start-up work already queued, so the paint reported
    // shows its result.
    QTimer::singleShot(0, &window, [&window, fd] {
        AfterFirstPaint(window, [fd] {
            QFile report;
            if (report.open(static_cast<int>(fd), QIODevice::WriteOnly,
                            QFileDevice::AutoCloseHandle))
                report.write("painted\n");
        });
    });
}

} // namespace platform
