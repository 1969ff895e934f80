#include "launcher/launcherpage.h"

#include "core/errortext.h"
#include "external/externalprograms.h"
#include "launcher/tfrmprogram.h"
#include "platform/codepage.h"
#include "widgets/formcontrols.h"
#include "widgets/formnames.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tamble {
namespace {

using platform::Cp932;

// Image index of a row: the position of its icon in ImageListItem, -1 for none.
constexpr int kImageIndexRole = Qt::UserRole;

} // namespace

LauncherPage::LauncherPage(platform::UserPrompts& prompts, std::string itemFilePath,
                           QWidget* parent)
    : QWidget(parent), prompts_(prompts), itemFilePath_(std::move(itemFilePath)) {
    setObjectName(QStringLiteral("TabSheet1"));
    QVBoxLayout* column = FlatColumn(this);
    ListViewItem1 = ReportList<QTreeWidget>(this, "ListViewItem1");
    ListViewItem1->setHeaderLabels({QStringLiteral("アイテム")});
    ListViewItem1->setHeaderHidden(true);
    ListViewItem1->header()->setSectionResizeMode(QHeaderView::Stretch);
    column->addWidget(ListViewItem1);
    ListViewItem1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewItem1->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::SelectedClicked);
    ListViewItem1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListViewItem1->setMouseTracking(true);
    ListViewItem1->installEventFilter(this);
    viewport_ = ListViewItem1->viewport();
    viewport_->installEventFilter(this);

    PopupMenu3 = Named(new QMenu(ListViewItem1), "PopupMenu3");
    popItemReg = Named(PopupMenu3->addAction(QStringLiteral("アイテムの登録(&R)")), "popItemReg");
    PopupMenu3->addSeparator();
    popConfig = Named(PopupMenu3->addAction(QStringLiteral("設定(&C)")), "popConfig");
    popDel = Named(PopupMenu3->addAction(QStringLiteral("削除(&D)")), "popDel");

    connect(ListViewItem1, &QTreeWidget::itemDoubleClicked, this,
            &LauncherPage::ListViewItem1DblClick);
    connect(ListViewItem1, &QTreeWidget::itemChanged, this, &LauncherPage::ListViewItem1Change);
    connect(ListViewItem1, &QWidget::customContextMenuRequested, this,
            &LauncherPage::ShowPopupMenu);
    connect(PopupMenu3, &QMenu::aboutToShow, this, &LauncherPage::PopupMenu3Popup);
    connect(popItemReg, &QAction::triggered, this, &LauncherPage::popItemRegClick);
    connect(popConfig, &QAction::triggered, this, &LauncherPage::popConfigClick);
    connect(popDel, &QAction::triggered, this, &LauncherPage::popDelClick);
}

void LauncherPage::AddLauncherItem(const std::string& name, const std::string& fileName,
                                   const std::string& parameters) {
    int image = -1;
    if (!fileName.empty()) {
        ImageListItem.append(icons_.ForFile(platform::FromCp932(fileName)));
        image = static_cast<int>(ImageListItem.size()) - 1;
    }
    // ListViewItem2 first: adding the visible row reports a change that
    // must find its data row in place.
    ListViewItem2.push_back({name, fileName, parameters});
    auto* row = new QTreeWidgetItem({platform::FromCp932(name)});
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    row->setData(0, kImageIndexRole, image);
    if (image >= 0) row->setIcon(0, ImageListItem[image]);
    ListViewItem1->addTopLevelItem(row);
}

void LauncherPage::LoadLauncherItems() {
    const ItemFileContents read = ReadItemFile(itemFilePath_.c_str());
    ListViewItem1->clear();
    ListViewItem2.clear();
    for (const LauncherItem& item : read.items)
        AddLauncherItem(item.name, item.fileName, item.parameters);
    keepItemFile_ = read.source == ItemFileContents::Source::Failed;
    if (keepItemFile_) {
        // Said once the window is up: the page may be built while the
        // window is still being made.
        const std::string message =
            itemFilePath_ + Cp932(" を読み込めません (アイテムの変更は保存されません)");
        QTimer::singleShot(0, this, [this, message] { ShowError(message); });
    }
}

void LauncherPage::SaveLauncherItems() {
    if (keepItemFile_) return;
    if (SaveItemFile(itemFilePath_.c_str(), ListViewItem2)) return;
    ShowError(itemFilePath_ + Cp932(" に書き込めません"));
}

void LauncherPage::ChangeLauncherItem(int row, const LauncherItem& item) {
    if (row < 0 || row >= static_cast<int>(ListViewItem2.size())) return;
    ListViewItem2[static_cast<size_t>(row)] = item;
    ListViewItem1->topLevelItem(row)->setText(0, platform::FromCp932(item.name));
}

void LauncherPage::ShowError(const std::string& message) {
    prompts_.Message(ErrorBoxText(message), kApplicationTitle, platform::PromptIcon::Error);
}

void LauncherPage::DropOnLauncher(const std::vector<std::string>& files, const QPoint& at) {
    if (files.empty()) return;
    lastMouse_ = viewport_->mapFrom(this, at);
    // Only the first file of a drop counts.
    const std::string& path = files.front();
    QTreeWidgetItem* row = ListViewItem1->itemAt(lastMouse_);
    const int index = row != nullptr ? ListViewItem1->indexOfTopLevelItem(row) : -1;
    if (index >= 0 && index < static_cast<int>(ListViewItem2.size())) {
        LaunchItemWithFile(ListViewItem2[index].fileName, path);
        return;
    }
    PendingItemName = path;
    PendingItemFileName = path;
    PendingItemPara.clear();
    ShowItemDialog(kItemDialogAdd);
}

void LauncherPage::ShowItemDialog(int mode) {
    ItemEditMode = mode;
    window()->raise();
    window()->activateWindow();
    TfrmProgram dialog(*this, window());
    dialog.exec();
}

int LauncherPage::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListViewItem1->selectedItems();
    return selected.isEmpty() ? -1 : ListViewItem1->indexOfTopLevelItem(selected.front());
}

void LauncherPage::ListViewItem1DblClick() {
    LaunchRow(SelectedRow());
}

void LauncherPage::ListViewItem1KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        LaunchRow(SelectedRow());
    } else if (key == Qt::Key_Delete) {
        DeleteSelectedItem();
    }
}

void LauncherPage::ListViewItem1MouseMove(int x, int y) {
    lastMouse_ = QPoint(x, y);
}

void LauncherPage::ListViewItem1Change(QTreeWidgetItem* item) {
    // Names edited in place reach the data that is saved.
    const int row = ListViewItem1->indexOfTopLevelItem(item);
    if (SelectedRow() < 0 || row < 0 || row >= static_cast<int>(ListViewItem2.size())) return;
    const std::string name = platform::ToCp932(item->text(0));
    if (const std::string refusal = ItemFaultMessage({name, {}, {}}); !refusal.empty()) {
        // The row takes its stored name back; that change passes this check.
        item->setText(0, platform::FromCp932(ListViewItem2[row].name));
        ShowError(refusal);
        return;
    }
    ListViewItem2[row].name = name;
}

void LauncherPage::popItemRegClick() {
    PendingItemName.clear();
    PendingItemFileName.clear();
    PendingItemPara.clear();
    ShowItemDialog(kItemDialogAdd);
}

void LauncherPage::popConfigClick() {
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(ListViewItem2.size())) return;
    PendingItemName = ListViewItem2[row].name;
    PendingItemFileName = ListViewItem2[row].fileName;
    PendingItemPara = ListViewItem2[row].parameters;
    ShowItemDialog(kItemDialogChange);
}

void LauncherPage::popDelClick() {
    DeleteSelectedItem();
}

void LauncherPage::PopupMenu3Popup() {
    const bool selected = SelectedRow() >= 0;
    popItemReg->setEnabled(true);
    popConfig->setEnabled(selected);
    popDel->setEnabled(selected);
}

bool LauncherPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListViewItem1 && event->type() == QEvent::KeyPress &&
        ListViewItem1->indexWidget(ListViewItem1->currentIndex()) == nullptr) {
        // The in-place editor lets Enter pass on to the list once it has
        // taken the name; that Enter ends the edit and must not launch.
        const int key = static_cast<QKeyEvent*>(event)->key();
        ListViewItem1KeyDown(key);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    } else if (watched == viewport_ && event->type() == QEvent::MouseMove) {
        const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
        ListViewItem1MouseMove(point.x(), point.y());
    }
    return QObject::eventFilter(watched, event);
}

void LauncherPage::LaunchRow(int row) {
    if (row < 0 || row >= static_cast<int>(ListViewItem2.size())) return;
    LaunchItem(ListViewItem2[row].fileName, ListViewItem2[row].parameters);
}

void LauncherPage::DeleteSelectedItem() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (!prompts_.YesNo(Cp932("アイテムを削除してもよろしいですか？"), Cp932("確認"),
                        platform::PromptIcon::Question)) {
        return;
    }
    delete ListViewItem1->takeTopLevelItem(row);
    if (row < static_cast<int>(ListViewItem2.size()))
        ListViewItem2.erase(ListViewItem2.begin() + row);
}

void LauncherPage::ShowPopupMenu(const QPoint& position) {
    PopupMenu3->popup(ListViewItem1->viewport()->mapToGlobal(position));
}

} // namespace tamble
