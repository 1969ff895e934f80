// FileListModel: the file list's two columns, name and size, read straight
// from a FileListing. A row's texts, and the size where the listing did not
// give it, are made only when a view asks for them, so a folder of a million
// files costs no Qt object and no string per row, and only the rows on
// screen are ever converted or looked up, icons included.
#pragma once

#include "fileview/extensionicons.h"
#include "fileview/filelisting.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <string>
#include <vector>

namespace tamble {

class FileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FileListModel(QObject* parent = nullptr);

    // Shows listing, whose rows' icons index cacheIcons (0 and up; kept by
    // the caller for as long as the model shows rows) and ownIcons
    // (PerFileIcon(k)). What was shown before is let go of at once.
    void Show(FileListing listing, ExtensionIcons& cacheIcons, std::vector<QIcon> ownIcons);
    // Shows the rows listed that narrow keeps, when the listing can tell
    // without reading its folder again (FileListing::CanNarrow); false,
    // changing nothing, when it cannot.
    [[nodiscard]] bool Narrow(const std::string& filter, const std::string& narrow);

    // The CP932 name of the row shown at row.
    [[nodiscard]] std::string NameAt(int row) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    [[nodiscard]] QVariant Icon(size_t row) const;
    // "" for a file gone since it was listed.
    [[nodiscard]] QString SizeText(size_t row) const;

    // Sizes are looked up as the view first asks for them.
    mutable FileListing listing_;
    ExtensionIcons* cacheIcons_ = nullptr;
    std::vector<QIcon> ownIcons_;
};

} // namespace tamble
