// The library's own printf-like formatter, behind CCLString::Format and the
// string list's AddFormat / InsertFormat.
//
// Conversions: %d %i %u (32-bit signed decimal), %x %X (32-bit hexadecimal,
// negative values as 8-digit two's complement, no "0x"), %s and %c (both
// take a text pointer; null prints nothing, not even padding), %f (double:
// integer part, ".", and width fraction digits, 6 when width is 0); "%%" and
// "%" before any other character print one "%" and consume that character.
// Flags: "-" left-justifies numbers, "+" right-justifies texts, "0" (as the
// first width digit) or "." zero-fills numbers; digits give the width; "*"
// takes the width from the next int argument; any width is capped at
// kFormatScratch. Numbers are padded to exactly width characters (at most
// StrFromInt's cap of 120), keeping their last width digits when longer; the "-" of
// a negative decimal comes after padding, outside the width ("%5d" of -42 is
// "-   42"). Texts are padded with blanks after them (before them with "+")
// and never cut.
#pragma once

#include <cstdarg>
#include <cstddef>

// Formats into out (outSize bytes, always terminated when outSize > 0); a
// longer result is cut. Null format gives "". Returns the length written.
int StrFormatV(char* out, size_t outSize, const char* format, va_list args);
