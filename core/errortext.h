// Texts of the program's own boxes.
#pragma once

#include <string>

namespace tamble {

// Title of the program and of the box that reports unhandled errors.
inline constexpr const char* kApplicationTitle = "Tamble";
// Caption of the main window and first line of the about box.
inline constexpr const char* kVersionCaption = "Tamble Ver.1.21";

// message as the error box shows it: a "." is added when the last
// character sorts after "." (so "Disk full" ends in a dot, "Disk full!"
// and "Disk full." stay as they are).
[[nodiscard]] std::string ErrorBoxText(const std::string& message);

} // namespace tamble
