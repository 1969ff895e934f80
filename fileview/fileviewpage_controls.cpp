// The file page's controls, built as designed (names, captions, fixed
// sizes), their layout rule, and what the window keeps of them.
#include "fileview/fileviewpage.h"

#include "fileview/filelistmodel.h"
#include "fileview/fileviewlayout.h"
#include "widgets/appstyle.h"
#include "widgets/comboitems.h"
#include "widgets/formcontrols.h"
#include "widgets/formnames.h"
#include "widgets/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tamble {
namespace {

constexpr int kPathPanelHeight = 22;
constexpr int kSplitterWidth = 3;
constexpr int kFilterPanelHeight = 50;
constexpr int kFileNameColumnWidth = 200;
constexpr int kSizeColumnWidth = 80;

} // namespace

void FileViewPage::CreateControls() {
    QVBoxLayout* column = FlatColumn(this);

    Panel1 = Strip(this, "Panel1", kPathPanelHeight);
    cmbPathAddress = NewHistoryCombo(Panel1, "cmbPathAddress");
    cmbPathAddress->setGeometry(0, 0, 100, kPathPanelHeight);
    column->addWidget(Panel1);

    Splitter1 = Named(new QSplitter(Qt::Vertical, this), "Splitter1");
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    TreeViewDirectory = Named(new QTreeWidget(Splitter1), "TreeViewDirectory");
    TreeViewDirectory->setHeaderHidden(true);
    ListViewFile = ReportList<QTreeView>(Splitter1, "ListViewFile");
    listModel_ = new FileListModel(ListViewFile);
    ListViewFile->setModel(listModel_);
    ListViewFile->setColumnWidth(0, kFileNameColumnWidth);
    ListViewFile->setColumnWidth(1, kSizeColumnWidth);
    ListViewFile->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Rows come in display order; a click on the header does not sort.
    ListViewFile->setSortingEnabled(false);
    // The folder tree keeps its height when the window is resized; the
    // file list takes up the difference.
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->installEventFilter(this);
    column->addWidget(Splitter1, 1);

    Panel = Strip(this, "Panel", kFilterPanelHeight);
    edtNarrow = Named(new QLineEdit(Panel), "edtNarrow");
    edtNarrow->setGeometry(34, 3, 100, kEditHeight);
    chkNarrowKeep = Named(new QCheckBox(QStringLiteral("keep"), Panel), "chkNarrowKeep");
    // A narrow gap between box and caption, as on Windows: the style's
    // wider default would cut "keep" short in its 45 pixels.
    MakeCompact(*chkNarrowKeep);
    chkNarrowKeep->setGeometry(150, 4, kNarrowKeepWidth, 17);
    Label1 = Named(new QLabel(QStringLiteral("Filter"), Panel), "Label1");
    Label1->move(3, 32);
    cmbFilter = NewHistoryCombo(Panel, "cmbFilter");
    cmbFilter->setGeometry(34, 27, 100, kEditHeight);
    Panel->installEventFilter(this);
    column->addWidget(Panel);
}

void FileViewPage::LayOutPanels() {
    const FileViewLayout layout =
        ComputeFileViewLayout(Panel->width(), chkNarrowKeep->sizeHint().width());
    cmbPathAddress->resize(layout.pathAddressWidth, cmbPathAddress->height());
    cmbFilter->resize(layout.filterWidth, cmbFilter->height());
    edtNarrow->resize(layout.narrowWidth, edtNarrow->height());
    chkNarrowKeep->setGeometry(layout.narrowKeepLeft, chkNarrowKeep->y(), layout.narrowKeepWidth,
                               chkNarrowKeep->height());
}

int FileViewPage::TreeHeight() const {
    return treeHeightApplied_ ? TreeViewDirectory->height() : treeHeight_;
}

void FileViewPage::SetTreeHeight(int height) {
    treeHeight_ = height;
    treeHeightApplied_ = false;
    ApplyTreeHeight();
}

void FileViewPage::ApplyTreeHeight() {
    // The splitter shares out only the height it has; until it is laid out
    // the wanted tree height waits in treeHeight_.
    const int total = Splitter1->height() - Splitter1->handleWidth();
    if (!Splitter1->isVisible() || total <= 0) return;
    Splitter1->setSizes({treeHeight_, std::max(0, total - treeHeight_)});
    treeHeightApplied_ = true;
}

bool FileViewPage::NarrowKeep() const {
    return chkNarrowKeep->isChecked();
}

void FileViewPage::SetNarrowKeep(bool keep) {
    chkNarrowKeep->setChecked(keep);
}

void FileViewPage::SetRowSelectMode(bool byCell) {
    ListViewFile->setSelectionBehavior(byCell ? QAbstractItemView::SelectItems
                                              : QAbstractItemView::SelectRows);
    if (byCell) DropSizeCells(ListViewFile->selectionModel()->selection());
}

void FileViewPage::DropSizeCells(const QItemSelection& selected) {
    // Cell by cell only a row's name can be selected: a size alone would
    // show as selected while the status text and the commands, which go by
    // the names, ignore it.
    if (ListViewFile->selectionBehavior() != QAbstractItemView::SelectItems) return;
    QItemSelection sizes;
    for (const QItemSelectionRange& range : selected) {
        if (range.right() < 1) continue;
        const QAbstractItemModel* model = range.model();
        sizes.select(model->index(range.top(), std::max(range.left(), 1), range.parent()),
                     model->index(range.bottom(), range.right(), range.parent()));
    }
    if (!sizes.isEmpty())
        ListViewFile->selectionModel()->select(sizes, QItemSelectionModel::Deselect);
}

HistoryList FileViewPage::FilterItems() const {
    return ComboItems(*cmbFilter);
}

void FileViewPage::SetFilterItems(const HistoryList& items) {
    SetComboItems(*cmbFilter, items);
    const QSignalBlocker quiet(cmbFilter);
    if (cmbFilter->count() > 0) {
        cmbFilter->setCurrentIndex(0);
    } else {
        cmbFilter->setEditText(QString());
    }
}

HistoryList FileViewPage::AddressItems() const {
    return ComboItems(*cmbPathAddress);
}

std::string FileViewPage::AddressText() const {
    return platform::ToCp932(cmbPathAddress->currentText());
}

void FileViewPage::SetAddress(const HistoryList& items, const std::string& text) {
    SetComboItems(*cmbPathAddress, items);
    const QSignalBlocker quiet(cmbPathAddress);
    cmbPathAddress->setEditText(platform::FromCp932(text));
}

} // namespace tamble
