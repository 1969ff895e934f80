#include "fileview/filelistmodel.h"

#include "fileview/filelist.h"
#include "widgets/qtext.h"

namespace tamble {
namespace {

constexpr int kNameColumn = 0;
constexpr int kSizeColumn = 1;
constexpr int kColumns = 2;
constexpr int kRightAligned = Qt::AlignRight | Qt::AlignVCenter;

} // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

void FileListModel::Show(FileListing listing, ExtensionIcons& cacheIcons,
                         std::vector<QIcon> ownIcons) {
    beginResetModel();
    listing_ = std::move(listing);
    cacheIcons_ = &cacheIcons;
    ownIcons_ = std::move(ownIcons);
    endResetModel();
}

bool FileListModel::Narrow(const std::string& filter, const std::string& narrow) {
    if (!listing_.CanNarrow(filter, narrow)) return false;
    beginResetModel();
    listing_.Narrow(narrow);
    endResetModel();
    return true;
}

std::string FileListModel::NameAt(int row) const {
    return listing_.Rows().Name(listing_.Shown()[static_cast<size_t>(row)]);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(listing_.Shown().size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const size_t row = listing_.Shown()[static_cast<size_t>(index.row())];
    const bool name = index.column() == kNameColumn;
    switch (role) {
    case Qt::DisplayRole:
        return name ? platform::FromCp932(listing_.Rows().Name(row)) : SizeText(row);
    case Qt::DecorationRole:
        return name ? Icon(row) : QVariant();
    case Qt::TextAlignmentRole:
        return name ? QVariant() : QVariant(kRightAligned);
    default:
        return {};
    }
}

QString FileListModel::SizeText(size_t row) const {
    const std::optional<uint64_t> size = listing_.FileSize(row);
    return size ? QString::fromStdString(FileSizeText(*size)) : QString();
}

QVariant FileListModel::Icon(size_t row) const {
    const int32_t icon = listing_.Rows().Icon(row);
    if (icon == kNoIcon) return {};
    if (icon >= 0) {
        const auto at = static_cast<size_t>(icon);
        return cacheIcons_ != nullptr && at < cacheIcons_->Size() ? QVariant(cacheIcons_->At(at))
                                                                  : QVariant();
    }
    const auto at = static_cast<size_t>(PerFileIndex(icon));
    return at < ownIcons_.size() ? QVariant(ownIcons_[at]) : QVariant();
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole)
        return section == kNameColumn ? QStringLiteral("ファイル名") : QStringLiteral("サイズ");
    if (role == Qt::TextAlignmentRole && section == kSizeColumn) return QVariant(kRightAligned);
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

} // namespace tamble
