// TfrmCopyFiles: makes one copy of a file in a target folder for every name
// of a list file. Nothing of it is kept between openings; several runs may
// be made in one.
#pragma once

#include "platform/fileops/shellcommon.h"
#include "tools/framepacer.h"
#include "tools/toolstate.h"

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace tamble {

class TfrmCopyFiles : public QDialog {
    Q_OBJECT

public:
    // Copies tools.DuplicateFilePath; the folder picker starts at folder
    // (CP932). shell asks the questions. now paces the progress display of
    // a run (empty: the steady clock).
    TfrmCopyFiles(QWidget* owner, std::string folder, const ToolState& tools,
                  const platform::ShellOwner& shell, FramePacer::Clock now = {});
    ~TfrmCopyFiles() override;

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* EditFromFile = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* EditToFolder = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EditFileList = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QCheckBox* CheckBoxExtKeep = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // The bar's position and maximum as the run counts them (the widget
    // shows an empty bar for a run without names).
    [[nodiscard]] int ProgressPosition() const { return position_; }
    [[nodiscard]] int ProgressMax() const { return maximum_; }

public slots:
    void FormCreate();
    // Folder picker for EditToFolder.
    void SpeedButton1Click();
    // File chooser for EditFileList.
    void SpeedButton2Click();
    // One copy per listed name; the dialog stays open. The bar and the last
    // target are painted at most once a frame while the run blocks the
    // event loop, and the final state always.
    void Button1Click();

private:
    void CreateControls();
    void ShowProgress();
    // Shows the bar and the last target and paints them at once.
    void PaintRunState();

    std::string folder_;
    const ToolState& tools_;
    platform::ShellOwner shell_;
    int position_ = 0;
    int maximum_ = 100;
    QString lastTarget_;
    FramePacer::Clock now_;
};

// The copy source of a file-list row: folder joined with the row's caption.
[[nodiscard]] std::string DuplicateSourcePath(const std::string& folder,
                                              const std::string& caption);

// What the file list's "ファイルの複製" entry does: nothing when
// firstSelectedCaption is nullopt (no row selected); else sets
// tools.DuplicateFilePath for that row of folder and shows the dialog
// modally over owner, returning when it has closed. The file list needs no
// refresh afterwards.
void ShowCopyFiles(QWidget* owner, const std::string& folder, ToolState& tools,
                   const std::optional<std::string>& firstSelectedCaption,
                   const platform::ShellOwner& shell);

} // namespace tamble
