// The order the folder tree and the file list show names in: letters
// without regard to ASCII case, then byte order, so "b.c" < "B.h" < "c" and
// equal names stay adjacent. CP932 bytes.
#pragma once

#include <cstddef>
#include <string>

namespace tamble {

// Folds length bytes of text in place into its sort key (ASCII letters to
// lower case, the trail bytes of double-byte characters left alone). The
// key of several names ended by NULs is the keys of each, end to end.
void FoldForSort(char* text, size_t length);

// A text whose byte order is the display order's first criterion; computed
// once per name so that sorting many names compares plain bytes.
[[nodiscard]] std::string NameSortKey(const std::string& name);

// True when a comes before b in display order.
[[nodiscard]] bool NameLess(const std::string& a, const std::string& b);

} // namespace tamble
