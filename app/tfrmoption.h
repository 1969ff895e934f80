// TfrmOption: the options dialog. Copies the main window's options into
// its controls when created and back only on OK; every other way out
// (Cancel, close box, Escape) leaves the main window as it was.
#pragma once

#include "core/filterlist.h"
#include "widgets/escapehook.h"

#include <QDialog>

#include <memory>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace tamble {

class TfrmTamble;

class TfrmOption : public QDialog {
    Q_OBJECT

public:
    explicit TfrmOption(TfrmTamble& main);
    ~TfrmOption() override;

    // The filter list as edited so far (CP932).
    [[nodiscard]] const FilterList& Filters() const { return filters_; }

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QCheckBox* chkStayOnTop = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edtUseEditor = nullptr;
    QToolButton* btnFileSelect = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edtCommandLineToEditor = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* chkTreeState1 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QCheckBox* chkStartFolderIsBefore = nullptr;
    QCheckBox* chkDblClickUpFolder = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* edtFilter = nullptr;
    QListWidget* ListBoxFilter = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    QWidget* TabSheet9 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* edtSearchStringApp = nullptr;
    QToolButton* btnSearchStringApp = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edtSearchStringAppCmdLineA = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* edtSearchStringAppCmdLineB = nullptr;
    QTreeWidget* ListView1 = nullptr;

    QWidget* Panel15 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void FormCreate();
    void btnFileSelectClick();
    void btnSearchStringAppClick();
    void ListBoxFilterClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void btnOKClick();
    void done(int result) override;

private:
    void CreateGeneralPage();
    void CreateSearchPage();
    void CreateButtons();
    // Shows filters_ in ListBoxFilter with entry selected (-1: none).
    void ShowFilters(int selected);

    TfrmTamble& main_;
    FilterList filters_;
    std::string openDialogFolder_; // the editor chooser starts where it ended last
    std::unique_ptr<EscapeHook> hook_;
};

} // namespace tamble
