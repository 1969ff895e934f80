// Which font families the window text asks for. The Windows UI font comes
// first; where it is missing, a Japanese font that is installed must stand
// in, or Japanese captions would depend on the machine's default font.
#pragma once

#include <string>
#include <vector>

namespace tamble {

// The families, best first: "ＭＳ Ｐゴシック", then "IPAPGothic" (its
// metrics are close, so fixed layouts fit), then the other installed
// Japanese families: the common proportional gothic fonts first in a fixed
// order, then the rest in the order given. installedJapanese lists the
// installed families that can write Japanese (UTF-8 names). No family
// appears twice. The toolkit takes the first one installed and looks for a
// glyph it lacks in the following ones.
[[nodiscard]] std::vector<std::string>
UiFontFamilies(const std::vector<std::string>& installedJapanese);

} // namespace tamble
