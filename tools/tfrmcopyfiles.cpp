#include "tools/tfrmcopyfiles.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "tools/copybylist.h"
#include "widgets/appstyle.h"
#include "widgets/formcontrols.h"
#include "widgets/formnames.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace tamble {
namespace {

using platform::Cp932;
using platform::FromCp932;
using platform::ToCp932;

constexpr int kClientWidth = 361;
constexpr int kClientHeight = 273;
constexpr int kGroupWidth = 345;
constexpr int kEditWidth = 301;
constexpr int kSmallButtonSize = 21;
constexpr int kInitialProgressMax = 100;

} // namespace

TfrmCopyFiles::TfrmCopyFiles(QWidget* owner, std::string folder, const ToolState& tools,
                             const platform::ShellOwner& shell, FramePacer::Clock now)
    : QDialog(owner), folder_(std::move(folder)), tools_(tools), shell_(shell),
      now_(std::move(now)) {
    setObjectName(QStringLiteral("frmCopyFiles"));
    setWindowTitle(QStringLiteral("ファイルの複製"));
    setFont(MainFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kClientWidth, kClientHeight);
    CreateControls();
    CentreOnScreen(*this);
    FormCreate();
}

TfrmCopyFiles::~TfrmCopyFiles() = default;

void TfrmCopyFiles::CreateControls() {
    GroupBox1 = Named(new QGroupBox(QStringLiteral("複製するファイル"), this), "GroupBox1");
    GroupBox1->setGeometry(8, 4, kGroupWidth, 52);
    EditFromFile = PlaceEdit(GroupBox1, "EditFromFile", 8, 22, kGroupWidth - 16);
    EditFromFile->setReadOnly(true);
    EditFromFile->setFocusPolicy(Qt::NoFocus);
    QPalette face = EditFromFile->palette();
    face.setColor(QPalette::Base, QApplication::palette().color(QPalette::Button));
    EditFromFile->setPalette(face);

    GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
    GroupBox2->setGeometry(8, 60, kGroupWidth, 128);
    Label1 = PlaceLabel(GroupBox2, "Label1", QStringLiteral("複製先フォルダ"), 8, 10);
    EditToFolder = PlaceEdit(GroupBox2, "EditToFolder", 8, 26, kEditWidth);
    SpeedButton1 = PlaceBrowseButton(GroupBox2, "SpeedButton1", 314, 25, kSmallButtonSize);
    Label2 = PlaceLabel(GroupBox2, "Label2", QStringLiteral("ファイルリスト"), 8, 52);
    EditFileList = PlaceEdit(GroupBox2, "EditFileList", 8, 68, kEditWidth);
    SpeedButton2 = PlaceBrowseButton(GroupBox2, "SpeedButton2", 314, 67, kSmallButtonSize);
    CheckBoxExtKeep =
        PlaceCheck(GroupBox2, "CheckBoxExtKeep", QStringLiteral("複製元の拡張子を保持する"), 8, 98);

    ProgressBar1 = Named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setGeometry(8, 196, kGroupWidth, 16);
    ProgressBar1->setTextVisible(false);
    Label3 = PlaceLabel(this, "Label3", QString(), 8, 218);
    Label3->setFixedWidth(kGroupWidth);

    Button1 = PlaceButton(this, "Button1", QStringLiteral("作成(&S)"), 198, 240);
    Button1->setDefault(true);
    Button2 = PlaceButton(this, "Button2", QStringLiteral("閉じる(&C)"), 278, 240);

    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmCopyFiles::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmCopyFiles::SpeedButton2Click);
    connect(Button1, &QPushButton::clicked, this, &TfrmCopyFiles::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCopyFiles::FormCreate() {
    EditFromFile->setText(FromCp932(tools_.DuplicateFilePath));
    EditFromFile->setCursorPosition(0);
    position_ = 0;
    maximum_ = kInitialProgressMax;
    ShowProgress();
}

void TfrmCopyFiles::ShowProgress() {
    // Qt shows a busy animation for an empty range; an empty bar is what a
    // run without names has to show.
    ProgressBar1->setRange(0, std::max(maximum_, 1));
    ProgressBar1->setValue(std::min(position_, maximum_));
}

void TfrmCopyFiles::PaintRunState() {
    ShowProgress();
    Label3->setText(lastTarget_);
    // The run blocks the event loop, so nothing is painted unless asked.
    ProgressBar1->repaint();
    Label3->repaint();
}

void TfrmCopyFiles::SpeedButton1Click() {
    char folder[platform::kMaxPath];
    platform::BrowseForFolder(shell_, folder, Cp932("検索するフォルダを選択してください").c_str(),
                              folder_.c_str());
    EditToFolder->setText(FromCp932(folder));
}

void TfrmCopyFiles::SpeedButton2Click() {
    platform::FileBoxOptions options;
    options.filters.push_back({Cp932("テキストファイル (*.txt)"), "*.txt"});
    options.defaultExtension = "txt";
    const std::optional<std::string> chosen = shell_.prompts->OpenFile(options);
    if (chosen && !chosen->empty()) EditFileList->setText(FromCp932(*chosen));
}

void TfrmCopyFiles::Button1Click() {
    CopyByListRequest request;
    request.source = ToCp932(EditFromFile->text());
    request.targetFolder = ToCp932(EditToFolder->text());
    request.listFile = ToCp932(EditFileList->text());
    request.keepExtension = CheckBoxExtKeep->isChecked();

    CopyByListEvents events;
    FramePacer pacer(now_);
    bool unshown = false; // a step not painted yet
    events.begin = [this](int count) {
        // The position is kept from an earlier run, within the new range.
        maximum_ = count;
        position_ = std::min(position_, maximum_);
        ShowProgress();
    };
    events.failed = [this, &unshown](const std::string& target, const std::string& source) {
        // The box lets the event loop paint; it should show where the run is.
        if (unshown) PaintRunState();
        unshown = false;
        shell_.prompts->Message(target, source, platform::PromptIcon::None);
    };
    events.step = [this, &pacer, &unshown](const std::string& target) {
        position_ = std::min(position_ + 1, maximum_);
        lastTarget_ = FromCp932(target);
        // Painting every step would cost more than a small copy; a copy that
        // took a frame or longer is always painted, so a slow run shows
        // each name.
        unshown = !pacer.Due();
        if (!unshown) PaintRunState();
    };
    RunCopyByList(request, events);
    ShowProgress();
    Label3->setText(QStringLiteral("作成が終了しました"));
}

std::string DuplicateSourcePath(const std::string& folder, const std::string& caption) {
    return platform::JoinPath(platform::NativePathStyle(), folder, caption);
}

void ShowCopyFiles(QWidget* owner, const std::string& folder, ToolState& tools,
                   const std::optional<std::string>& firstSelectedCaption,
                   const platform::ShellOwner& shell) {
    if (!firstSelectedCaption) return;
    tools.DuplicateFilePath = DuplicateSourcePath(folder, *firstSelectedCaption);
    TfrmCopyFiles dialog(owner, folder, tools, shell);
    dialog.exec();
}

} // namespace tamble
