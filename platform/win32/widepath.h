// The one bridge between the program's texts and the UTF-16 of the Win32
// calls. On Windows wchar_t is a 16-bit unit, so a std::u16string is the
// same sequence of units as a wide string; widename.h does the conversion.
//
// Two kinds of text cross here: CP932 texts (what the logic passes) and
// "native" texts, which on Windows are generalized UTF-8 (what
// FileSystemName in codepage.h gives and what locations.h returns), so
// that the code shared with POSIX reads them as it reads UTF-8 names.
#pragma once

#include "platform/widename.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

[[nodiscard]] inline const wchar_t* WideChars(const std::u16string& wide) {
    return reinterpret_cast<const wchar_t*>(wide.c_str());
}

[[nodiscard]] inline std::u16string_view UnitsOf(const wchar_t* wide) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(wide));
}

[[nodiscard]] inline std::u16string_view UnitsOf(const wchar_t* wide, size_t length) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(wide), length);
}

// The UTF-16 name of a CP932 path; nullopt when no Windows name reads
// back as it (Cp932NameToWide), so nothing is done on another file than
// the one the user sees.
[[nodiscard]] inline std::optional<std::u16string> WidePath(std::string_view cp932) {
    return Cp932NameToWide(cp932);
}

// The UTF-16 name of a native (generalized UTF-8) path; nullopt as above.
[[nodiscard]] inline std::optional<std::u16string> WideNativePath(std::string_view native) {
    return GeneralizedUtf8ToWide(native);
}

// The CP932 text of a wide name. Never fails.
[[nodiscard]] inline std::string Cp932Path(const wchar_t* wide) {
    return WideToCp932Name(UnitsOf(wide));
}

// The native text of a wide name. Never fails.
[[nodiscard]] inline std::string NativePath(const wchar_t* wide) {
    return WideToGeneralizedUtf8(UnitsOf(wide));
}

} // namespace platform
