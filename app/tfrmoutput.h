// TfrmOutput: shows the program's file clipboard, one path per line, in an
// editable text box whose edits are thrown away when it closes.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace tamble {

class TfrmOutput : public QDialog {
    Q_OBJECT

public:
    // lines are CP932 texts. parent is the window it is centred on.
    TfrmOutput(const std::vector<std::string>& lines, QWidget* parent);

    QPlainTextEdit* Memo1 = nullptr;
};

} // namespace tamble
