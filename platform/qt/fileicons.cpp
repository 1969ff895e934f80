#include "fileicons.h"

#include <QDir>

namespace platform {

QIcon FileIcons::ForFile(const QString& path) {
    return IconOf(TypeOf(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)));
}

QMimeType FileIcons::TypeOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // Names without an extension ("Makefile") are matched whole.
    if (dot <= 0) return mimeTypes_.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    if (typesBySuffix_.isEmpty()) {
        for (const QMimeType& type : mimeTypes_.allMimeTypes()) {
            for (const QString& suffix : type.suffixes())
                typesBySuffix_.insert(suffix.toLower(), type);
        }
    }
    return typesBySuffix_.value(name.mid(dot + 1).toLower());
}

QIcon FileIcons::IconOf(const QMimeType& type) {
    // An unknown extension gets the plain file icon without asking the
    // type database again, which locks and searches for every call.
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
