// OperationProgress as a Qt progress dialog with a cancel button. The
// dialog appears only when an operation runs longer than a moment, so
// short operations show nothing.
#pragma once

#include "platform/fileops/fileoperations.h"

#include <memory>

class QProgressDialog;
class QWidget;

namespace platform {

class QtOperationProgress : public OperationProgress {
public:
    // parent (may be null) owns the dialog while it is shown.
    explicit QtOperationProgress(QWidget* parent);
    ~QtOperationProgress() override;
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Begin(const std::string& title, uint64_t totalBytes) override;
    bool Step(const std::string& currentName, uint64_t doneBytes) override;
    void End() override;

private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> dialog_;
    uint64_t totalBytes_ = 0;
};

} // namespace platform
