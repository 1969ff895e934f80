#include "widgets/appstyle.h"

#include "core/uifont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <string>
#include <vector>

namespace tamble {

QFont MainFont() {
    // The installed fonts do not change while the program runs.
    static const QStringList families = [] {
        std::vector<std::string> japanese;
        for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese))
            japanese.push_back(family.toStdString());
        QStringList list;
        for (const std::string& family : UiFontFamilies(japanese))
            list.append(QString::fromStdString(family));
        return list;
    }();
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(12);
    return font;
}

QIcon ProgramIcon() {
    // Adding a file decodes it at once, so every size is read only once: the
    // application's icon, once set, is this one.
    const QIcon set = QGuiApplication::windowIcon();
    if (!set.isNull()) return set;
    // The PNGs rendered from the SVG that is installed into the icon theme.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/tamble.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tamble
