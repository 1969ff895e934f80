// The order the folder tree and the file list show names in: letters
// without regard to ASCII case, then byte order, so "b.c" < "B.h" < "c" and
// equal names stay adjacent. CP932 bytes.
#pragma once

#include <string>

namespace tamble {

// A text whose byte order is the display order's first criterion; computed
// once per name so that sorting many names compares plain bytes.
[[nodiscard]] std::string NameSortKey(const std::string& name);

// True when a comes before b in display order.
[[nodiscard]] bool NameLess(const std::string& a, const std::string& b);

} // namespace tamble
