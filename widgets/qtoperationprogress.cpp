#include "widgets/qtoperationprogress.h"

#include "widgets/qtext.h"

#include <QProgressDialog>

namespace platform {
namespace {

// Steps of the bar: byte counts do not fit its int range.
constexpr int kBarSteps = 1000;
// How long an operation runs before the dialog shows.
constexpr int kShowAfterMilliseconds = 700;

} // namespace

QtOperationProgress::QtOperationProgress(QWidget* parent) : parent_(parent) {}

QtOperationProgress::~QtOperationProgress() = default;

void QtOperationProgress::Begin(const std::string& title, uint64_t totalBytes) {
    totalBytes_ = totalBytes;
    // Without a byte count (trash, delete) the bar only shows that work goes on.
    dialog_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("キャンセル"), 0,
                                                totalBytes == 0 ? 0 : kBarSteps, parent_);
    dialog_->setWindowTitle(FromCp932(title));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(kShowAfterMilliseconds);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
}

bool QtOperationProgress::Step(const std::string& currentName, uint64_t doneBytes) {
    if (!dialog_) return true;
    if (!currentName.empty()) dialog_->setLabelText(FromCp932(currentName));
    const int value = totalBytes_ == 0
                          ? 0
                          : static_cast<int>(std::min<uint64_t>(doneBytes, totalBytes_) *
                                             kBarSteps / totalBytes_);
    // A modal progress dialog handles pending events here, the cancel button's too.
    dialog_->setValue(value);
    return !dialog_->wasCanceled();
}

void QtOperationProgress::End() {
    dialog_.reset();
}

} // namespace platform
