// Shift-JIS (code page 932) character classes, ASCII case mapping, length,
// copying and reversing of NUL-terminated byte strings.
//
// A lead byte (0x81-0x9F, 0xE0-0xF5) and the byte after it form one
// double-byte character. Case mapping touches ASCII letters only.
#pragma once

// 1 when c starts a double-byte character (0x81-0x9F or 0xE0-0xF5), else 0.
constexpr int IsLeadByte(int c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xF5);
}

// 1 when c may be the second byte of a double-byte character (0x40-0x7E, 0x80-0xFC).
constexpr int IsTrailByte(int c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes (1 or 2) of the character that starts at p, which must not be at the
// terminator. A lead byte takes the next byte along unless that byte is NUL,
// CR or LF: those are never the second byte of a character, so a stray lead
// byte at the end of a line can never swallow the line break.
constexpr int CharWidth(const char* p) {
    return (IsLeadByte(p[0]) && p[1] != '\0' && p[1] != '\r' && p[1] != '\n') ? 2 : 1;
}

// "A"-"Z" to "a"-"z"; every other byte unchanged.
constexpr int CharToLower(int c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

// "a"-"z" to "A"-"Z"; every other byte unchanged.
constexpr int CharToUpper(int c) {
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// Byte length; 0 for null.
int StrLen(const char* text);

// Copies source with its terminator into destination (null source gives "").
// Returns destination. The caller provides room for StrLen(source) + 1 bytes.
char* StrCopy(char* destination, const char* source);

// Copies at most n bytes of source, stopping after a NUL; when the last byte
// copied was not NUL a terminator is added after it (so destination needs
// n + 1 bytes). Returns destination.
char* StrCopyN(char* destination, const char* source, int n);

// Maps every byte of text in place with CharToLower / CharToUpper, second
// bytes of double-byte characters included. Return text (null stays null).
char* StrLower(char* text);
char* StrUpper(char* text);

// Reverse text, or its first n bytes, in place, byte by byte. Return text.
char* StrReverse(char* text);
char* StrReverseN(char* text, int n);
