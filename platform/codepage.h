// Conversion between code page 932 (Shift-JIS) bytes, the text of every
// layer below the forms, and UTF-8, the text of Qt and of POSIX file names.
//
// Characters that CP932 cannot hold still survive a round trip
// UTF-8 -> CP932 -> UTF-8: each byte of such a character (and each byte of
// an invalid UTF-8 sequence) is carried as one double-byte character of the
// user-defined area, lead byte 0xF0 and a trail byte for the byte's value.
// So a file name like "naïve✓.txt" lists, opens and renames as itself and
// never collides with another name. Private-use characters U+E000..U+F8FF
// are carried the same way, so that lead byte 0xF0 always means an escape.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Lead byte of the escapes described above.
inline constexpr unsigned char kEscapeLead = 0xF0;

// UTF-8 text as CP932 bytes. Never fails.
[[nodiscard]] std::string Utf8ToCp932(std::string_view utf8);

// CP932 bytes as UTF-8. Escapes give their original bytes back; a byte
// sequence that is not CP932 gives U+FFFD per bad byte. Never fails.
[[nodiscard]] std::string Cp932ToUtf8(std::string_view cp932);

// A text written in this UTF-8 source, such as a caption or a message, as
// the CP932 bytes the layers below the forms work with.
[[nodiscard]] inline std::string Cp932(const char* utf8) {
    return Utf8ToCp932(utf8);
}

} // namespace platform
