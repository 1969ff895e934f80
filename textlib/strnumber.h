// Conversion between 32-bit integers and text, half-width and full-width.
//
// The numeric set has 29 characters, "0123456789ABCDEFabcdef+-,.xX" and a
// blank, each also in its full-width (double-byte) form.
#pragma once

#include <cstddef>
#include <cstdint>

// StrFromInt flags.
inline constexpr uint32_t kIntZeroFill = 0x80000000;    // pad with "0" instead of blanks
inline constexpr uint32_t kIntFullWidth = 0x20000000;   // convert the result to full width
inline constexpr uint32_t kIntLeftJustify = 0x10000000; // pad on the right
inline constexpr uint32_t kIntHex = 0x00800000;         // hexadecimal, lower-case digits
inline constexpr uint32_t kIntHexUpper = 0x00008000;    // with kIntHex: upper-case digits
inline constexpr uint32_t kIntAlwaysSign = 0x80;        // "+" or "-" always
inline constexpr uint32_t kIntNoMinus = 0x40;           // no "-" for negative values
inline constexpr uint32_t kIntThousands = 0x20;         // "," every three decimal digits

// Value of a digit character: "0"-"9" 0-9, "A"-"F" and "a"-"f" 10-15,
// "," -1, any other byte 0.
int HexDigitValue(int c);

// Writes value into out, which must hold kNumberScratch bytes. Decimal by
// default (1234567 with kIntThousands gives "1,234,567"); hexadecimal with
// kIntHex (negative values as 8-digit two's complement). A width > 0 pads
// to exactly width characters (a longer number keeps its last width
// characters); width is capped so that the result always fits. The sign
// comes after padding, outside the width: (-5, 3, kIntZeroFill) gives "-005".
// Returns out.
char* StrFromInt(int32_t value, char* out, int width, uint32_t flags);

// Text to integer: null or empty gives 0. Full-width members of the numeric
// set are narrowed first and the text is cut at the first character outside
// it ("12z" gives 12). "0x"/"0X" selects hexadecimal; otherwise a leading
// "+" or "-" and decimal, where "," in the middle is skipped ("1,234" gives
// 1234) and other set members count by their digit value ("abc" gives 1122).
// Only the first kNumberScratch - 1 bytes are read. Overflow wraps.
int32_t StrToInt(const char* text);

// Replaces in place every full-width member of the numeric set by its
// half-width form and cuts text at the first character in neither form.
// Returns text.
char* StrToNarrowNumber(char* text);

// Writes into out (outSize bytes) the full-width form of every member of the
// numeric set in text, stopping at the first character in neither form and
// before a character that would not fit. Returns out.
char* StrToWideNumber(const char* text, char* out, size_t outSize);
