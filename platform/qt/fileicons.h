// Small icons for files, folders and drives from the desktop's icon theme.
// A file's icon is chosen by its name alone: the file is never opened or
// read, so listing a folder of many files asks the disk for nothing.
#pragma once

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

namespace platform {

class FileIcons {
public:
    // The icon of the file named path (native UTF-8), by its extension.
    [[nodiscard]] QIcon ForFile(const QString& path);
    [[nodiscard]] QIcon ClosedFolder() const;
    [[nodiscard]] QIcon OpenFolder() const;
    // The icon of a drive root: the home folder's own icon for it, else a drive.
    [[nodiscard]] QIcon ForDrive(const QString& root) const;

private:
    [[nodiscard]] QMimeType TypeOf(const QString& name);
    [[nodiscard]] QIcon IconOf(const QMimeType& type);

    QFileIconProvider provider_;
    QMimeDatabase mimeTypes_;
    // Every known file name extension (lower case) and its type, read once:
    // asking the type database per unknown extension costs far more.
    QHash<QString, QMimeType> typesBySuffix_;
    QHash<QString, QIcon> byIconName_; // theme lookups are dear; many types share an icon
};

} // namespace platform
