// TfrmDeleteFilesFromMask: deletes, in one shell operation, the files of the
// file view's current folder (and on request its subfolders) that match a
// mask list, sparing excluded files and folders. Its four check boxes come
// from the options and its three histories from the tools' state when it
// opens, and go back there when it goes, whichever way it closes.
#pragma once

#include "core/settings.h"
#include "platform/fileops/shellcommon.h"
#include "tools/toolstate.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tamble {

class TfrmDeleteFilesFromMask : public QDialog {
    Q_OBJECT

public:
    // Deletes in folder (CP932); shell answers the questions and performs
    // the deletion; options and tools must outlive the dialog.
    TfrmDeleteFilesFromMask(QWidget* owner, std::string folder, AppOptions& options,
                            ToolState& tools, const platform::ShellOwner& shell);
    ~TfrmDeleteFilesFromMask() override;

    QLabel* Label2 = nullptr;
    QLineEdit* edtFilePath = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbDeleteFilesMask = nullptr;
    QCheckBox* chkDeleteEraseBox = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QCheckBox* chkFindSubFolders = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* chkOutOfFilePattern = nullptr;
    QComboBox* cmbOutOfFilePattern = nullptr;
    QCheckBox* chkOutOfFolderPattern = nullptr;
    QComboBox* cmbOutOfFolderPattern = nullptr;

public slots:
    void FormCreate();
    // Gives the check boxes and histories back to the options and the tools.
    void FormDestroy();
    // Exclusion controls follow chkFindSubFolders and their own check boxes.
    void UpdateDeleteControls();
    // Runs the search and the deletion, then closes the dialog.
    void Button1Click();

protected:
    // Down opens a combo box's list; a choice made with the keys while the
    // list is closed moves that entry to the top of the history.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void ComboActivated(QComboBox* combo);

    std::string folder_;
    AppOptions& options_;
    ToolState& tools_;
    platform::ShellOwner shell_;
    QComboBox* keyChoice_ = nullptr; // the combo box whose last key may choose an entry
};

// Opens the dialog modally over owner and returns when it has closed; the
// caller then refreshes the file list, whatever the user did.
void ShowDeleteFilesFromMask(QWidget* owner, const std::string& folder, AppOptions& options,
                             ToolState& tools, const platform::ShellOwner& shell);

} // namespace tamble
