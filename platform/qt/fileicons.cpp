#include "fileicons.h"

#include <QDir>
#include <QMimeDatabase>

#include <utility>

namespace platform {
namespace {

// The database's answer by name only; its fallback type for names it does
// not know ("application/octet-stream") means no type here, so such names
// get the plain file icon.
QMimeType TypeFromDatabase(const QString& name) {
    QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QMimeType() : type;
}

} // namespace

FileIcons::FileIcons() : FileIcons(&TypeFromDatabase) {}

FileIcons::FileIcons(TypeLookup lookup) : lookup_(std::move(lookup)) {}

QIcon FileIcons::ForFile(const QString& path) {
    return IconOf(TypeOf(path));
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

} // namespace platform
