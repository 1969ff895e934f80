#include "widgets/appstyle.h"

#include "core/uifont.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QProxyStyle>
#include <QStringList>
#include <QTabBar>

#include <string>
#include <vector>

namespace tamble {
namespace {

// Room around a tab's caption, across and along, and between a check
// box and its caption, in pixels.
constexpr int kTabSideSpace = 6;
constexpr int kTabEndSpace = 4;
constexpr int kCheckBoxCaptionGap = 1;
// What the common style adds after a check box's caption; nothing follows
// the caption in a compact box.
constexpr int kCheckBoxTrailingMargin = 4;

// The program's style with the few measures MakeCompact changes. A style
// sheet would do the same, but brings Qt's style-sheet engine into the
// first frame: the start took 9 ms longer with it.
class CompactStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (qobject_cast<const QTabBar*>(widget) != nullptr) {
            if (metric == PM_TabBarTabHSpace) return kTabSideSpace;
            if (metric == PM_TabBarTabVSpace) return kTabEndSpace;
        }
        if (metric == PM_CheckBoxLabelSpacing && qobject_cast<const QCheckBox*>(widget) != nullptr)
            return kCheckBoxCaptionGap;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_CheckBox && qobject_cast<const QCheckBox*>(widget) != nullptr)
            result.rwidth() -= kCheckBoxTrailingMargin;
        return result;
    }
};

} // namespace

void MakeCompact(QWidget& widget) {
    // One for the program, gone with the application after its windows.
    static CompactStyle* const style = [] {
        auto* compact = new CompactStyle;
        compact->setParent(qApp);
        return compact;
    }();
    widget.setStyle(style);
}

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
