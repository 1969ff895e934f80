// Conversion between code page 932 (Shift-JIS) bytes, the text of every
// layer below the forms, and UTF-8, the text of Qt and of POSIX file names.
//
// The contract, for every byte string u (valid UTF-8 or not):
//   Cp932ToUtf8(Utf8ToCp932(u)) == u.
// Since Cp932ToUtf8 is a function, two different names never convert to
// the same CP932 text, and a name that is not empty never converts to an
// empty text. A character is written as a CP932 character only when that
// character reads back as exactly the same UTF-8 bytes; every other byte of
// the text is carried by an escape: one double-byte character of the
// user-defined area, lead byte 0xF0 and a trail byte for the byte's value.
// Escaped are:
//   - characters CP932 cannot hold ("✓", emoji, tag characters U+E0000..
//     U+E007F, every character beyond U+FFFF);
//   - characters that the system's CP932 converter turns into another one
//     on the way ("¥" -> "\", "‾" -> "~", "¬" -> "￢", "—" -> "―", "¢", "£",
//     "‖", "−", "〜"), so "¬.txt" and "￢.txt" stay two names;
//   - private-use characters U+E000..U+F8FF, so that lead byte 0xF0 always
//     means an escape;
//   - every byte of an invalid UTF-8 sequence, one escape per bad byte.
// Every double-byte character written has a lead byte that the text library
// takes for one (0x81-0x9F, 0xE0-0xF5), so no second byte is ever read as a
// '\' or '/' of its own, and the only '/' or '\' bytes written are those of
// the text itself. The IBM extension characters, which CP932 holds twice,
// are therefore written with their NEC-selected codes (0xED/0xEE, "髙" as
// 0xEE 0xE0) rather than 0xFA-0xFC; both read back as the same character.
//
// The other way, a CP932 text b need not come back byte for byte: codes that
// name the same character as another (NEC row 13 and IBM duplicates, 0xFA-
// 0xFC) come back as the code written above, user-defined characters
// (0xF0-0xF9 not being escapes) as escapes of their private-use character,
// and bad bytes as escapes of U+FFFD. One round settles it: with
// b' = Utf8ToCp932(Cp932ToUtf8(b)), Utf8ToCp932(Cp932ToUtf8(b')) == b'.
// Texts that Utf8ToCp932 wrote are always settled: they come back as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Lead byte of the escapes described above.
inline constexpr unsigned char kEscapeLead = 0xF0;

// UTF-8 text (or any bytes) as CP932 bytes. Never fails.
[[nodiscard]] std::string Utf8ToCp932(std::string_view utf8);
// The same into result, whose room is reused: a loop over many names then
// allocates for none of them.
void Utf8ToCp932(std::string_view utf8, std::string& result);

// CP932 bytes as UTF-8. Escapes give their original bytes back (which need
// not be valid UTF-8); a byte that starts no CP932 character, or a lead byte
// whose pair is no character, gives U+FFFD for that one byte. Never fails.
[[nodiscard]] std::string Cp932ToUtf8(std::string_view cp932);

// The file system name (UTF-8) of a CP932 path or name: Cp932ToUtf8 of it,
// or nullopt when a byte of it starts no CP932 character, since every such
// byte reads as the same U+FFFD and the text could name another entry than
// the one meant. Two codes of one character (0xFB 0xFC, as Windows writes
// "髙", and 0xEE 0xE0, as Utf8ToCp932 does) name the same entry. "" -> "".
[[nodiscard]] std::optional<std::string> FileSystemName(std::string_view cp932);

// Length of the valid UTF-8 sequence that starts at text[pos] (1 for
// ASCII, up to 4), or 0 when the bytes there are no valid UTF-8: a stray
// continuation byte, a truncated, overlong or surrogate sequence, or a code
// point past U+10FFFF. pos must be less than text.size().
[[nodiscard]] size_t ValidUtf8Length(std::string_view text, size_t pos);

// The same, with the code point of the sequence in codePoint (left as it
// was when the length is 0).
[[nodiscard]] size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& codePoint);

// Writes codePoint (up to U+10FFFF; a surrogate as its own three bytes) as
// UTF-8 at out, which has room for four bytes; returns the end of what it
// wrote.
char* WriteUtf8(char32_t codePoint, char* out);

// A text written in this UTF-8 source, such as a caption or a message, as
// the CP932 bytes the layers below the forms work with.
[[nodiscard]] inline std::string Cp932(const char* utf8) {
    return Utf8ToCp932(utf8);
}

} // namespace platform
