// TfrmProgram: the item dialog. Takes the page's pending texts on creation;
// OK adds an item (add mode) or changes the selected one (change mode);
// Cancel changes nothing.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tamble {

class LauncherPage;

class TfrmProgram : public QDialog {
    Q_OBJECT

public:
    TfrmProgram(LauncherPage& page, QWidget* parent);

    QLabel* Label2 = nullptr;
    QLineEdit* edtName = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edtFileName = nullptr;
    QToolButton* btnFileName = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edtPara = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void FormShow();
    void edtNameChange();
    void edtFileNameChange();
    void btnFileNameClick();
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void UpdateOkButton();

    LauncherPage& page_;
};

} // namespace tamble
