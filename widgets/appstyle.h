// The look shared by the program's windows.
#pragma once

#include <QFont>
#include <QIcon>

class QWidget;

namespace tamble {

// The Windows UI font "ＭＳ Ｐゴシック", 12 pixels; IPAPGothic stands in
// where it is not installed, with close enough metrics for fixed layouts,
// and any installed Japanese font where neither is (UiFontFamilies).
[[nodiscard]] QFont MainFont();

// The program's icon: window, notification area.
[[nodiscard]] QIcon ProgramIcon();

// Draws widget compactly, as Windows does: a tab bar's tabs only as wide as
// their captions (all three pages fit the narrowest window), a check box's
// caption right beside its box. Everything else is the program's style.
void MakeCompact(QWidget& widget);

} // namespace tamble
