#include "app/tfrmoption.h"

#include "app/tfrmtamble.h"
#include "core/programchooser.h"
#include "widgets/appstyle.h"
#include "widgets/qtext.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>

namespace tamble {
namespace {

using platform::FromCp932;
using platform::ToCp932;

} // namespace

TfrmOption::TfrmOption(TfrmTamble& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("設定"));
    setFont(MainFont());
    CreateButtons();
    CreateGeneralPage();
    CreateSearchPage();
    if (const QScreen* screen = main.screen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TfrmOption::~TfrmOption() = default;

void TfrmOption::FormCreate() {
    const AppOptions& o = main_.Options();
    edtUseEditor->setText(FromCp932(o.UseEditor));
    edtCommandLineToEditor->setText(FromCp932(o.EditorCommandLine));
    edtSearchStringApp->setText(FromCp932(o.SearchStringApp));
    edtSearchStringAppCmdLineA->setText(FromCp932(o.SearchStringAppCmdLineA));
    edtSearchStringAppCmdLineB->setText(FromCp932(o.SearchStringAppCmdLineB));
    chkTreeState1->setChecked(o.TreeState1);
    chkStartFolderIsBefore->setChecked(o.StartFolderIsBefore);
    chkDblClickUpFolder->setChecked(o.DblClickUpFolder);
    chkStayOnTop->setChecked(o.FormStyle != kFormStyleNormal);
    filters_ = main_.FilterItems();
    ShowFilters(-1);
    hook_ = std::make_unique<EscapeHook>(this, [this] { reject(); });
}

void TfrmOption::done(int result) {
    hook_.reset(); // after the dialog has closed, Escape is the main window's again
    QDialog::done(result);
}

void TfrmOption::btnOKClick() {
    main_.ApplyFormStyle(chkStayOnTop->isChecked() ? kFormStyleStayOnTop : kFormStyleNormal);
    AppOptions& o = main_.Options();
    o.UseEditor = ToCp932(edtUseEditor->text());
    o.EditorCommandLine = ToCp932(edtCommandLineToEditor->text());
    o.SearchStringApp = ToCp932(edtSearchStringApp->text());
    o.SearchStringAppCmdLineA = ToCp932(edtSearchStringAppCmdLineA->text());
    o.SearchStringAppCmdLineB = ToCp932(edtSearchStringAppCmdLineB->text());
    o.TreeState1 = chkTreeState1->isChecked();
    o.StartFolderIsBefore = chkStartFolderIsBefore->isChecked();
    o.DblClickUpFolder = chkDblClickUpFolder->isChecked();
    // The file list is not refiltered here; the new first filter applies
    // the next time the file view filters.
    main_.SetFilterItems(filters_);
}

void TfrmOption::ListBoxFilterClick() {
    const int row = ListBoxFilter->currentRow();
    if (row >= 0 && static_cast<size_t>(row) < filters_.size()) {
        edtFilter->setText(FromCp932(filters_[static_cast<size_t>(row)]));
    }
}

void TfrmOption::Button1Click() {
    if (AddFilter(filters_, ToCp932(edtFilter->text()))) {
        ShowFilters(ListBoxFilter->currentRow());
        edtFilter->clear();
    }
}

void TfrmOption::Button2Click() {
    const int row = ListBoxFilter->currentRow();
    if (UpdateFilter(filters_, row, ToCp932(edtFilter->text()))) ShowFilters(row);
}

void TfrmOption::Button3Click() {
    if (DeleteFilter(filters_, ListBoxFilter->currentRow())) ShowFilters(-1);
}

void TfrmOption::btnFileSelectClick() {
    if (auto chosen = ChooseProgram(main_.Prompts(), false, &openDialogFolder_)) {
        edtUseEditor->setText(FromCp932(*chosen));
    }
}

void TfrmOption::btnSearchStringAppClick() {
    // A fresh chooser each time: it starts in the default folder.
    if (auto chosen = ChooseProgram(main_.Prompts(), true, nullptr)) {
        edtSearchStringApp->setText(FromCp932(*chosen));
    }
}

void TfrmOption::ShowFilters(int selected) {
    const QSignalBlocker quiet(ListBoxFilter); // refilling is not a click
    ListBoxFilter->clear();
    for (const std::string& filter : filters_)
        ListBoxFilter->addItem(FromCp932(filter));
    ListBoxFilter->setCurrentRow(selected < ListBoxFilter->count() ? selected : -1);
}

} // namespace tamble
