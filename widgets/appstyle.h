// The look shared by the program's windows.
#pragma once

#include <QFont>
#include <QIcon>

namespace tamble {

// The Windows UI font "ＭＳ Ｐゴシック", 12 pixels; IPAPGothic stands in
// where it is not installed, with close enough metrics for fixed layouts,
// and any installed Japanese font where neither is (UiFontFamilies).
[[nodiscard]] QFont MainFont();

// The program's icon: window, notification area.
[[nodiscard]] QIcon ProgramIcon();

} // namespace tamble
