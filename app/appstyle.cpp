#include "appstyle.h"

namespace tamble {

QFont MainFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    return font;
}

QIcon ProgramIcon() {
    // The PNGs rendered from the SVG that is installed into the icon theme.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/tamble.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tamble
