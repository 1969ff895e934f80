#include "tools/tfrmdeletefilesfrommask.h"

#include "platform/codepage.h"
#include "tools/maskedfiles.h"
#include "widgets/appstyle.h"
#include "widgets/comboitems.h"
#include "widgets/formcontrols.h"
#include "widgets/formnames.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tamble {
namespace {

using platform::Cp932;
using platform::FromCp932;
using platform::ToCp932;

constexpr int kClientWidth = 369;
constexpr int kClientHeight = 257;
constexpr int kComboWidth = 353;
constexpr int kPanelComboWidth = 337;

// The combo box's entries with ones moved or added by PushComboHistory for
// its current text; entry 0 becomes the text shown.
void PushHistory(QComboBox& combo) {
    HistoryList items = ComboItems(combo);
    if (!PushComboHistory(items, ToCp932(combo.currentText()))) return;
    SetComboItems(combo, items);
    combo.setCurrentIndex(0);
}

void TakeHistory(QComboBox& combo, const HistoryList& history) {
    SetComboItems(combo, history);
    combo.setEditText(history.empty() ? QString() : FromCp932(history.front()));
}

// Enabled combo boxes have the edit background, disabled ones the face of
// the buttons, so that a switched-off exclusion reads as off at a glance.
void PaintEnabled(QComboBox& combo, bool enabled) {
    combo.setEnabled(enabled);
    QPalette palette = combo.palette();
    const QPalette standard = QApplication::palette();
    const QColor colour =
        enabled ? standard.color(QPalette::Base) : standard.color(QPalette::Button);
    palette.setColor(QPalette::Active, QPalette::Base, colour);
    palette.setColor(QPalette::Inactive, QPalette::Base, colour);
    palette.setColor(QPalette::Disabled, QPalette::Base, colour);
    combo.setPalette(palette);
}

// Keys with which a closed combo box steps to another entry.
bool IsChoosingKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
           key == Qt::Key_Home || key == Qt::Key_End;
}

// Longest list of folders the warning shows before "ほか n 個".
constexpr size_t kFoldersShown = 10;

// The warning that names the folders the search could not look into.
std::string UnreadableFoldersText(const std::vector<std::string>& folders) {
    std::string text = Cp932("次のフォルダは読み取れなかったため、中のファイルを検索できません"
                             "でした。これらのフォルダのファイルは削除していません。\n");
    for (size_t i = 0; i < folders.size() && i < kFoldersShown; ++i)
        text += "\n" + folders[i];
    if (folders.size() > kFoldersShown)
        text +=
            "\n" + Cp932("ほか ") + std::to_string(folders.size() - kFoldersShown) + Cp932(" 個");
    return text;
}

} // namespace

TfrmDeleteFilesFromMask::TfrmDeleteFilesFromMask(QWidget* owner, std::string folder,
                                                 AppOptions& options, ToolState& tools,
                                                 const platform::ShellOwner& shell)
    : QDialog(owner), folder_(std::move(folder)), options_(options), tools_(tools), shell_(shell) {
    setObjectName(QStringLiteral("frmDeleteFilesFromMask"));
    setWindowTitle(QStringLiteral("マスク指定削除"));
    setFont(MainFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kClientWidth, kClientHeight);
    CreateControls();
    SetTabOrder();
    CentreOnScreen(*this);
    FormCreate();
}

TfrmDeleteFilesFromMask::~TfrmDeleteFilesFromMask() {
    FormDestroy();
}

void TfrmDeleteFilesFromMask::CreateControls() {
    Label2 = PlaceLabel(this, "Label2", QStringLiteral("削除対象フォルダ"), 8, 8);
    edtFilePath = PlaceEdit(this, "edtFilePath", 8, 24, kComboWidth);
    edtFilePath->setReadOnly(true);
    Label1 = PlaceLabel(this, "Label1", QStringLiteral("削除の対象にするマスクパターン"), 8, 52);
    cmbDeleteFilesMask = PlaceCombo(this, "cmbDeleteFilesMask", 8, 68, kComboWidth);
    chkFindSubFolders =
        PlaceCheck(this, "chkFindSubFolders", QStringLiteral("サブフォルダも対象にする"), 8, 96);
    chkDeleteEraseBox =
        PlaceCheck(this, "chkDeleteEraseBox", QStringLiteral("ごみ箱に削除"), 200, 96);

    Panel1 = Named(new QFrame(this), "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setGeometry(8, 120, kComboWidth, 96);
    chkOutOfFilePattern = PlaceCheck(Panel1, "chkOutOfFilePattern",
                                     QStringLiteral("対象外ファイルパターンの指定"), 8, 4);
    cmbOutOfFilePattern = PlaceCombo(Panel1, "cmbOutOfFilePattern", 8, 24, kPanelComboWidth);
    chkOutOfFolderPattern = PlaceCheck(Panel1, "chkOutOfFolderPattern",
                                       QStringLiteral("対象外フォルダパターンの指定"), 8, 50);
    cmbOutOfFolderPattern = PlaceCombo(Panel1, "cmbOutOfFolderPattern", 8, 70, kPanelComboWidth);

    Button1 = PlaceButton(this, "Button1", QStringLiteral("削除(&D)"), 206, 226);
    Button1->setDefault(true);
    Button2 = PlaceButton(this, "Button2", QStringLiteral("キャンセル(&C)"), 286, 226);

    connect(Button1, &QPushButton::clicked, this, &TfrmDeleteFilesFromMask::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    for (QCheckBox* check : {chkFindSubFolders, chkOutOfFilePattern, chkOutOfFolderPattern})
        connect(check, &QCheckBox::clicked, this, &TfrmDeleteFilesFromMask::UpdateDeleteControls);
    for (QComboBox* combo : {cmbDeleteFilesMask, cmbOutOfFilePattern, cmbOutOfFolderPattern}) {
        combo->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, [this, combo] { ComboActivated(combo); });
    }
}

void TfrmDeleteFilesFromMask::SetTabOrder() {
    QWidget* const order[] = {cmbDeleteFilesMask,
                              chkFindSubFolders,
                              Button1,
                              Button2,
                              cmbOutOfFilePattern,
                              cmbOutOfFolderPattern,
                              chkOutOfFilePattern,
                              chkOutOfFolderPattern,
                              edtFilePath,
                              chkDeleteEraseBox};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void TfrmDeleteFilesFromMask::FormCreate() {
    edtFilePath->setText(FromCp932(folder_));
    const AppOptions& o = options_;
    chkFindSubFolders->setChecked(o.DeleteFilesFindSubFolders);
    chkOutOfFilePattern->setChecked(o.DeleteFilesOutOfFilePattern);
    chkOutOfFolderPattern->setChecked(o.DeleteFilesOutOfFolderPattern);
    chkDeleteEraseBox->setChecked(o.DeleteFilesDeleteEraseBox);
    TakeHistory(*cmbDeleteFilesMask, tools_.cmbDeleteFilesFromMask);
    TakeHistory(*cmbOutOfFilePattern, tools_.cmbOutOfFilePattern);
    TakeHistory(*cmbOutOfFolderPattern, tools_.cmbOutOfFolderPattern);
    UpdateDeleteControls();
}

void TfrmDeleteFilesFromMask::FormDestroy() {
    AppOptions& o = options_;
    o.DeleteFilesFindSubFolders = chkFindSubFolders->isChecked();
    o.DeleteFilesOutOfFilePattern = chkOutOfFilePattern->isChecked();
    o.DeleteFilesOutOfFolderPattern = chkOutOfFolderPattern->isChecked();
    o.DeleteFilesDeleteEraseBox = chkDeleteEraseBox->isChecked();
    tools_.cmbDeleteFilesFromMask = ComboItems(*cmbDeleteFilesMask);
    tools_.cmbOutOfFilePattern = ComboItems(*cmbOutOfFilePattern);
    tools_.cmbOutOfFolderPattern = ComboItems(*cmbOutOfFolderPattern);
}

void TfrmDeleteFilesFromMask::UpdateDeleteControls() {
    if (!chkFindSubFolders->isChecked()) {
        // Ticks and colours stay: the exclusions still apply to the top folder.
        for (QWidget* control : {static_cast<QWidget*>(chkOutOfFilePattern),
                                 static_cast<QWidget*>(chkOutOfFolderPattern),
                                 static_cast<QWidget*>(cmbOutOfFilePattern),
                                 static_cast<QWidget*>(cmbOutOfFolderPattern)})
            control->setEnabled(false);
        return;
    }
    chkOutOfFilePattern->setEnabled(true);
    chkOutOfFolderPattern->setEnabled(true);
    PaintEnabled(*cmbOutOfFilePattern, chkOutOfFilePattern->isChecked());
    PaintEnabled(*cmbOutOfFolderPattern, chkOutOfFolderPattern->isChecked());
}

void TfrmDeleteFilesFromMask::Button1Click() {
    const std::string masks = ToCp932(cmbDeleteFilesMask->currentText());
    if (masks.empty()) {
        shell_.prompts->Message(Cp932("マスクパターンを入力してください"), Cp932("警告"),
                                platform::PromptIcon::Warning);
        return;
    }
    MaskedFileOptions options;
    options.findSubFolders = chkFindSubFolders->isChecked();
    options.outOfFilePattern = chkOutOfFilePattern->isChecked();
    options.filePattern = ToCp932(cmbOutOfFilePattern->currentText());
    options.outOfFolderPattern = chkOutOfFolderPattern->isChecked();
    options.folderPattern = ToCp932(cmbOutOfFolderPattern->currentText());
    options.entryFound = shell_.calls.entryFound;
    MaskedFiles found;
    CollectMaskedFiles(folder_, masks, options, found);
    if (!found.found.files.empty()) {
        // Asks before deleting for good (naming how many files go and their
        // paths) and reports its own errors. Each file goes only while it is
        // still the one found, reached through the folders found on the way.
        (void)platform::DeleteFound(shell_, found.found, chkDeleteEraseBox->isChecked());
    } else {
        shell_.prompts->Message(Cp932("削除するファイルが見つかりませんでした"), Cp932("結果"),
                                platform::PromptIcon::Information);
    }
    if (!found.unreadableFolders.empty())
        shell_.prompts->Message(UnreadableFoldersText(found.unreadableFolders), Cp932("警告"),
                                platform::PromptIcon::Warning);
    PushHistory(*cmbDeleteFilesMask);
    PushHistory(*cmbOutOfFilePattern);
    PushHistory(*cmbOutOfFolderPattern);
    accept();
}

bool TfrmDeleteFilesFromMask::eventFilter(QObject* watched, QEvent* event) {
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (combo == nullptr) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier) {
            keyChoice_ = nullptr;
            combo->showPopup();
            return true;
        }
        // A choice the combo box makes while handling this key (its list
        // is closed, or the key would have gone to the list) is a keyboard
        // choice; the combo box emits it before the next event arrives.
        keyChoice_ = IsChoosingKey(key->key()) ? combo : nullptr;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        keyChoice_ = nullptr;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmDeleteFilesFromMask::ComboActivated(QComboBox* combo) {
    if (combo != keyChoice_) return;
    keyChoice_ = nullptr;
    PushHistory(*combo);
}

void ShowDeleteFilesFromMask(QWidget* owner, const std::string& folder, AppOptions& options,
                             ToolState& tools, const platform::ShellOwner& shell) {
    TfrmDeleteFilesFromMask dialog(owner, folder, options, tools, shell);
    dialog.exec();
}

} // namespace tamble
