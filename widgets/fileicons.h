// Small icons for files, folders and drives: from the desktop's icon theme,
// on Windows from the shell. A file's icon is chosen by its name alone: the
// file is never opened or read, so listing a folder of many files asks the
// disk for nothing.
#pragma once

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeType>

#include <functional>

namespace platform {

class FileIcons {
public:
    // The type a file name's patterns give ("*.txt", "Makefile"), found by
    // the name alone; an invalid type when no pattern matches.
    using TypeLookup = std::function<QMimeType(const QString& name)>;

    // Types from the system's type database.
    FileIcons();
    // Types from lookup (a stand-in that counts the asks, in tests).
    explicit FileIcons(TypeLookup lookup);

    // The icon of the file named path (native), by its extension: the
    // theme's icon of TypeOf(path), else its generic icon, else the plain
    // file icon (also for a name no type claims). On Windows the shell's
    // icon for the extension.
    [[nodiscard]] QIcon ForFile(const QString& path);
    // The type path's icon is drawn from. Found by the extension (case
    // ignored; "a.tar.gz" by "gz"), asking the lookup once per extension
    // on first use; a name without one ("Makefile", ".profile") is matched
    // whole, asking every time. Invalid when nothing matches.
    [[nodiscard]] QMimeType TypeOf(const QString& path);
    // The file's own icon, for the files the user wants one for (programs,
    // shortcuts): on Windows the shell's icon read from the file itself,
    // else ForFile(path); elsewhere ForFile(path).
    [[nodiscard]] QIcon OwnIcon(const QString& path);
    [[nodiscard]] QIcon ClosedFolder() const;
    [[nodiscard]] QIcon OpenFolder() const;
    // The icon of a drive root: the home folder's own icon for it, else a
    // drive; on Windows the shell's icon of that drive.
    [[nodiscard]] QIcon ForDrive(const QString& root) const;

private:
    [[nodiscard]] QIcon IconOf(const QMimeType& type);

    QFileIconProvider provider_;
    TypeLookup lookup_;
    // Reading every type's patterns up front would read the whole type
    // database before the first row shows; a folder needs a few extensions.
    QHash<QString, QMimeType> typesByExtension_; // lower case, without the dot
    QHash<QString, QIcon> byIconName_;           // theme lookups are dear; many types share an icon
};

} // namespace platform
