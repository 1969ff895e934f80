#include "fileicons.h"

#include <QDir>

namespace platform {

QIcon FileIcons::ForFile(const QString& path) {
    const QMimeType type = mimeTypes_.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    const QString name = type.iconName();
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
