// The options dialog's controls at their designed positions.
#include "app/tfrmoption.h"

#include "widgets/formcontrols.h"
#include "widgets/formnames.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace tamble {
namespace {

constexpr int kClientWidth = 417;
constexpr int kClientHeight = 379;
constexpr int kButtonStripHeight = 31;
constexpr int kEditWidth = 369;
constexpr int kMacroColumnWidth = 75;
constexpr int kFunctionColumnWidth = 200;
constexpr int kBrowseButtonSize = 17;

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

} // namespace

void TfrmOption::CreateGeneralPage() {
    TabSheet1 = Named(new QWidget(PageControl1), "TabSheet1");
    chkStayOnTop = PlaceCheck(TabSheet1, "chkStayOnTop", QStringLiteral("常に一番上に表示"), 8, 8);
    Label1 = PlaceLabel(TabSheet1, "Label1", QStringLiteral("使用するエディタ"), 8, 30);
    edtUseEditor = PlaceEdit(TabSheet1, "edtUseEditor", 8, 44, kEditWidth);
    btnFileSelect = PlaceBrowseButton(TabSheet1, "btnFileSelect", 379, 46, kBrowseButtonSize);
    Label3 =
        PlaceLabel(TabSheet1, "Label3", QStringLiteral("エディタを起動したときに渡す引数"), 8, 72);
    Label3->setEnabled(false);
    edtCommandLineToEditor = PlaceEdit(TabSheet1, "edtCommandLineToEditor", 8, 88, kEditWidth);
    edtCommandLineToEditor->setEnabled(false); // shown for reference; the editor gets no arguments

    GroupBox4 = Named(new QGroupBox(QStringLiteral("ProjectView"), TabSheet1), "GroupBox4");
    GroupBox4->setGeometry(8, 112, 273, 41);
    chkTreeState1 = PlaceCheck(GroupBox4, "chkTreeState1",
                               QStringLiteral("選択されていないツリーを自動的に折りたたむ"), 8, 16);

    GroupBox5 = Named(new QGroupBox(QStringLiteral("FileView"), TabSheet1), "GroupBox5");
    GroupBox5->setGeometry(8, 160, 393, 153);
    chkStartFolderIsBefore = PlaceCheck(GroupBox5, "chkStartFolderIsBefore",
                                        QStringLiteral("起動時に前回のフォルダを開く"), 8, 16);
    chkDblClickUpFolder =
        PlaceCheck(GroupBox5, "chkDblClickUpFolder",
                   QStringLiteral("ファイル一覧の空き領域をダブルクリックで上の階層へ"), 8, 32);
    Label13 = PlaceLabel(GroupBox5, "Label13", QStringLiteral("フィルターの編集"), 8, 56);
    edtFilter = PlaceEdit(GroupBox5, "edtFilter", 8, 72, 297);
    ListBoxFilter = Named(new QListWidget(GroupBox5), "ListBoxFilter");
    ListBoxFilter->setGeometry(8, 96, 297, 49);
    ListBoxFilter->setSelectionMode(QAbstractItemView::SingleSelection);
    Button1 = Button(GroupBox5, "Button1", QStringLiteral("追加(&A)"), {312, 81, 75, 19});
    Button2 = Button(GroupBox5, "Button2", QStringLiteral("更新(&U)"), {312, 103, 75, 19});
    Button3 = Button(GroupBox5, "Button3", QStringLiteral("削除(&D)"), {312, 125, 75, 19});

    PageControl1->addTab(TabSheet1, QStringLiteral("全般"));

    connect(btnFileSelect, &QToolButton::clicked, this, &TfrmOption::btnFileSelectClick);
    // A click copies the entry even when it is the selected one already (the
    // edit box may hold something else by now); keys that move copy too.
    connect(ListBoxFilter, &QListWidget::currentRowChanged, this, &TfrmOption::ListBoxFilterClick);
    connect(ListBoxFilter, &QListWidget::itemClicked, this, &TfrmOption::ListBoxFilterClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmOption::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmOption::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmOption::Button3Click);
}

void TfrmOption::CreateSearchPage() {
    TabSheet9 = Named(new QWidget(PageControl1), "TabSheet9");
    Label6 = PlaceLabel(TabSheet9, "Label6", QStringLiteral("文字列検索に使用するアプリケーション"),
                        8, 8);
    edtSearchStringApp = PlaceEdit(TabSheet9, "edtSearchStringApp", 8, 24, kEditWidth);
    btnSearchStringApp =
        PlaceBrowseButton(TabSheet9, "btnSearchStringApp", 379, 25, kBrowseButtonSize);
    Label2 = PlaceLabel(TabSheet9, "Label2", QStringLiteral("実行時引数（フォルダ）"), 8, 48);
    edtSearchStringAppCmdLineA =
        PlaceEdit(TabSheet9, "edtSearchStringAppCmdLineA", 8, 64, kEditWidth);
    Label12 = PlaceLabel(TabSheet9, "Label12", QStringLiteral("実行時引数（ファイル）"), 8, 88);
    edtSearchStringAppCmdLineB =
        PlaceEdit(TabSheet9, "edtSearchStringAppCmdLineB", 8, 104, kEditWidth);

    ListView1 = Named(new QTreeWidget(TabSheet9), "ListView1");
    ListView1->setGeometry(8, 136, 369, 65);
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setHeaderLabels({QStringLiteral("マクロ"), QStringLiteral("機能")});
    ListView1->setColumnWidth(0, kMacroColumnWidth);
    ListView1->setColumnWidth(1, kFunctionColumnWidth);
    new QTreeWidgetItem(ListView1, {QStringLiteral("$PATH"), QStringLiteral("パス名")});
    new QTreeWidgetItem(ListView1, {QStringLiteral("$FILE"), QStringLiteral("ファイル名")});

    PageControl1->addTab(TabSheet9, QStringLiteral("文字列検索"));
    connect(btnSearchStringApp, &QToolButton::clicked, this, &TfrmOption::btnSearchStringAppClick);
}

void TfrmOption::CreateButtons() {
    setFixedSize(kClientWidth, kClientHeight);
    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    PageControl1->setGeometry(0, 0, kClientWidth, kClientHeight - kButtonStripHeight);
    PageControl1->setUsesScrollButtons(false); // tabs wrap rather than scroll

    Panel15 = Named(new QWidget(this), "Panel15");
    Panel15->setGeometry(0, kClientHeight - kButtonStripHeight, kClientWidth, kButtonStripHeight);
    btnOK = Button(Panel15, "btnOK", QStringLiteral("OK(&O)"), {237, 4, 84, 25});
    btnCancel = Button(Panel15, "btnCancel", QStringLiteral("キャンセル(&C)"), {325, 4, 84, 25});
    connect(btnOK, &QPushButton::clicked, this, [this] {
        btnOKClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace tamble
