// Start-up timing from outside the process: a benchmark that starts the
// program passes the number of an open file descriptor in the environment
// variable TAMBLE_PAINTED_FD and reads "painted\n" from it once the window
// has been painted after the start-up work queued so far (the start folder
// shown). Without the variable nothing happens.
#pragma once

class QWidget;

namespace platform {

// Arms the report for window: the first paint of window or of any of its
// widgets after the work already queued on the event loop is written, once
// the paint has been completed, then the descriptor is closed. A variable
// that is no descriptor number is ignored. The variable is removed from the
// environment, so programs started later never write to a descriptor of
// their own by that number.
void ReportFirstPaint(QWidget& window);

} // namespace platform
