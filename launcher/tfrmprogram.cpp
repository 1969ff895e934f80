#include "launcher/tfrmprogram.h"

#include "launcher/launcherpage.h"
#include "platform/codepage.h"
#include "widgets/formnames.h"
#include "widgets/qtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>

namespace tamble {
namespace {

using platform::Cp932;

constexpr int kClientWidth = 321;
constexpr int kClientHeight = 137;
constexpr int kEditLeft = 72;
constexpr int kEditWidth = 233;
constexpr int kFileEditWidth = 213;
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 25;

QLabel* Label(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* label = Named(new QLabel(caption, parent), name);
    label->move(12, top + 3);
    label->adjustSize();
    return label;
}

QLineEdit* Edit(QWidget* parent, const char* name, int top, int width) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setGeometry(kEditLeft, top, width, kEditHeight);
    return edit;
}

} // namespace

TfrmProgram::TfrmProgram(LauncherPage& page, QWidget* parent) : QDialog(parent), page_(page) {
    setObjectName(QStringLiteral("frmProgram"));
    CreateControls();
    connect(edtName, &QLineEdit::textChanged, this, &TfrmProgram::edtNameChange);
    connect(edtFileName, &QLineEdit::textChanged, this, &TfrmProgram::edtFileNameChange);
    connect(btnFileName, &QToolButton::clicked, this, &TfrmProgram::btnFileNameClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmProgram::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Filling the edits runs their change handlers, which set OK's state.
    edtName->setText(platform::FromCp932(page_.PendingItemName));
    edtFileName->setText(platform::FromCp932(page_.PendingItemFileName));
    edtPara->setText(platform::FromCp932(page_.PendingItemPara));
    UpdateOkButton();
}

void TfrmProgram::CreateControls() {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    Label2 = Label(this, "Label2", QStringLiteral("名前"), 12);
    edtName = Edit(this, "edtName", 12, kEditWidth);
    Label1 = Label(this, "Label1", QStringLiteral("ファイル名"), 40);
    edtFileName = Edit(this, "edtFileName", 40, kFileEditWidth);
    btnFileName = Named(new QToolButton(this), "btnFileName");
    btnFileName->setText(QStringLiteral("..."));
    btnFileName->setGeometry(kEditLeft + kFileEditWidth + 2, 40, 18, kEditHeight);
    Label3 = Label(this, "Label3", QStringLiteral("パラメータ"), 68);
    edtPara = Edit(this, "edtPara", 68, kEditWidth);
    btnOK = Named(new QPushButton(QStringLiteral("OK(&O)"), this), "btnOK");
    btnOK->setGeometry(kClientWidth - 2 * kButtonWidth - 22, 102, kButtonWidth, kButtonHeight);
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    btnCancel = Named(new QPushButton(QStringLiteral("キャンセル(&C)"), this), "btnCancel");
    btnCancel->setGeometry(kClientWidth - kButtonWidth - 16, 102, kButtonWidth, kButtonHeight);
    setTabOrder(edtName, edtFileName);
    setTabOrder(edtFileName, edtPara);
}

void TfrmProgram::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TfrmProgram::FormShow() {
    setWindowTitle(page_.ItemEditMode == kItemDialogChange
                       ? QStringLiteral("アイテムの設定を変更してください")
                       : QStringLiteral("追加するアイテムの設定をしてください"));
    if (const QScreen* screen = this->screen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TfrmProgram::edtNameChange() {
    UpdateOkButton();
}

void TfrmProgram::edtFileNameChange() {
    UpdateOkButton();
}

void TfrmProgram::UpdateOkButton() {
    btnOK->setEnabled(ItemDialogCanAccept(platform::ToCp932(edtName->text()),
                                          platform::ToCp932(edtFileName->text())));
}

void TfrmProgram::btnFileNameClick() {
    platform::FileBoxOptions box;
    box.title = Cp932("登録するファイルを選択してください");
    box.filters = {{Cp932("すべてのファイル (*.*)"), "*.*"}};
    const std::optional<std::string> chosen = page_.Prompts().OpenFile(box);
    if (chosen && !chosen->empty()) edtFileName->setText(platform::FromCp932(*chosen));
}

void TfrmProgram::btnOKClick() {
    const std::string name = platform::ToCp932(edtName->text());
    const std::string fileName = platform::ToCp932(edtFileName->text());
    const std::string parameters = platform::ToCp932(edtPara->text());
    // A text item.lst cannot hold as it is keeps the dialog open to mend it.
    if (const std::string refusal = ItemFaultMessage({name, fileName, parameters});
        !refusal.empty()) {
        page_.ShowError(refusal);
        return;
    }
    if (page_.ItemEditMode == kItemDialogChange) {
        page_.ChangeLauncherItem(page_.SelectedRow(), {name, fileName, parameters});
    } else {
        page_.AddLauncherItem(name, fileName, parameters);
    }
    accept();
}

} // namespace tamble
