// File names between the program's CP932 text and the UTF-16 of Windows.
//
// Windows names are sequences of 16-bit units that need not be valid
// UTF-16: a lone surrogate is a legal name character. Such names are
// carried through the UTF-8 text of codepage.h as generalized UTF-8 (a
// lone surrogate as its own three-byte sequence, 0xED 0xA0..0xBF xx), whose
// bytes codepage.h escapes one by one, so every Windows name has a CP932
// text and comes back from it unit for unit:
//   WideToCp932Name(w) always succeeds, and
//   Cp932NameToWide(WideToCp932Name(w)) == w for every sequence w.
// The other way, a CP932 text whose UTF-8 is not generalized UTF-8 (an
// escaped byte that begins no sequence, or a surrogate pair written as two
// three-byte sequences, which would read back as one four-byte character)
// names nothing Windows can hold and is refused.
//
// The conversion is plain code, the same on every system, so that Linux
// tests prove what the Windows build relies on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The UTF-16 units of the CP932 name or path cp932; nullopt when no Windows
// name reads back as cp932 (see above), or when cp932 holds a byte that
// starts no CP932 character (FileSystemName in codepage.h). "" -> u"".
[[nodiscard]] std::optional<std::u16string> Cp932NameToWide(std::string_view cp932);

// The CP932 text of the UTF-16 units wide. Never fails.
[[nodiscard]] std::string WideToCp932Name(std::u16string_view wide);

// The same two conversions between generalized UTF-8 and UTF-16 units.
[[nodiscard]] std::optional<std::u16string> GeneralizedUtf8ToWide(std::string_view utf8);
[[nodiscard]] std::string WideToGeneralizedUtf8(std::u16string_view wide);

} // namespace platform
