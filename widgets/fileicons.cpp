#include "widgets/fileicons.h"

#include <QDir>
#include <QMimeDatabase>

#include <utility>

#ifdef _WIN32
#include "platform/win32/comforthiscall.h"

#include <QImage>
#include <QPixmap>

#include <shellapi.h>
#endif

namespace platform {
namespace {

// The database's answer by name only; its fallback type for names it does
// not know ("application/octet-stream") means no type here, so such names
// get the plain file icon.
QMimeType TypeFromDatabase(const QString& name) {
    QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QMimeType() : type;
}

#ifdef _WIN32
// The shell's small icon for path; with SHGFI_USEFILEATTRIBUTES in flags
// the path need not exist and is never opened: the icon comes from the
// name's extension and attributes alone. Null when the shell has none.
QIcon ShellIcon(const QString& path, DWORD attributes, UINT flags) {
    const ComForThisCall com;
    SHFILEINFOW info{};
    const std::wstring wide = path.toStdWString();
    if (SHGetFileInfoW(wide.c_str(), attributes, &info, sizeof info,
                       SHGFI_ICON | SHGFI_SMALLICON | flags) == 0 ||
        info.hIcon == nullptr)
        return {};
    QIcon icon(QPixmap::fromImage(QImage::fromHICON(info.hIcon)));
    DestroyIcon(info.hIcon);
    return icon;
}

QIcon ShellFolderIcon(UINT flags) {
    return ShellIcon(QStringLiteral("folder"), FILE_ATTRIBUTE_DIRECTORY,
                     SHGFI_USEFILEATTRIBUTES | flags);
}
#endif

} // namespace

FileIcons::FileIcons() : FileIcons(&TypeFromDatabase) {}

FileIcons::FileIcons(TypeLookup lookup) : lookup_(std::move(lookup)) {}

QIcon FileIcons::ForFile(const QString& path) {
#ifdef _WIN32
    // The shell's icon for the extension, as Explorer shows it; asked once
    // per extension.
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString key = dot < 0 ? QString() : name.mid(dot).toLower();
    const auto known = byIconName_.constFind(key);
    if (known != byIconName_.constEnd()) return *known;
    QIcon icon =
        ShellIcon(QStringLiteral("x") + key, FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES);
    if (icon.isNull()) icon = provider_.icon(QFileIconProvider::File);
    byIconName_.insert(key, icon);
    return icon;
#else
    return IconOf(TypeOf(path));
#endif
}

QMimeType FileIcons::TypeOf(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) return lookup_(name);
    const QString extension = name.mid(dot + 1).toLower();
    const auto known = typesByExtension_.constFind(extension);
    if (known != typesByExtension_.constEnd()) return *known;
    // Any stem does: the type depends on the extension alone.
    QMimeType type = lookup_(QStringLiteral("x.") + extension);
    typesByExtension_.insert(extension, type);
    return type;
}

QIcon FileIcons::IconOf(const QMimeType& type) {
    // An unknown extension gets the plain file icon without asking the
    // theme again.
    const QString name = type.isValid() ? type.iconName() : QString();
    const auto known = byIconName_.constFind(name);
    if (known != byIconName_.constEnd()) return *known;
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull()) icon = provider_.icon(QFileIconProvider::File);
    byIconName_.insert(name, icon);
    return icon;
}

#ifdef _WIN32

QIcon FileIcons::OwnIcon(const QString& path) {
    const QIcon icon = ShellIcon(path, 0, 0);
    return icon.isNull() ? ForFile(path) : icon;
}

QIcon FileIcons::ClosedFolder() const {
    const QIcon icon = ShellFolderIcon(0);
    return icon.isNull() ? provider_.icon(QFileIconProvider::Folder) : icon;
}

QIcon FileIcons::OpenFolder() const {
    const QIcon icon = ShellFolderIcon(SHGFI_OPENICON);
    return icon.isNull() ? ClosedFolder() : icon;
}

QIcon FileIcons::ForDrive(const QString& root) const {
    // Each drive as the shell shows it: a disk, a CD, a network drive.
    QString path = root;
    if (!path.endsWith(QLatin1Char('\\'))) path += QLatin1Char('\\');
    const QIcon icon = ShellIcon(path, 0, 0);
    return icon.isNull() ? provider_.icon(QFileIconProvider::Drive) : icon;
}

#else

QIcon FileIcons::OwnIcon(const QString& path) {
    return ForFile(path);
}

QIcon FileIcons::ClosedFolder() const {
    return provider_.icon(QFileIconProvider::Folder);
}

QIcon FileIcons::OpenFolder() const {
    return QIcon::fromTheme(QStringLiteral("folder-open"), ClosedFolder());
}

QIcon FileIcons::ForDrive(const QString& root) const {
    if (root == QDir::homePath())
        return QIcon::fromTheme(QStringLiteral("user-home"), ClosedFolder());
    return provider_.icon(QFileIconProvider::Drive);
}

#endif

} // namespace platform
