// Splitting a Shift-JIS text into NUL-separated parts in one buffer.
#pragma once

#include <cstddef>

// Copies text into buffer (size bytes; a longer text is cut, never inside a
// double-byte character) and replaces every single-byte character that
// occurs in separators by NUL. Returns the number of parts: separators
// replaced plus one, or 0 for an empty text. Parts may be empty: "a;;b"
// at ";" gives 3 parts, "a;" gives 2. A CR or LF separator after a stray
// lead byte still splits (see CharWidth). buffer may be text itself.
int StrSplit(const char* text, const char* separators, char* buffer, size_t size);

// Part n (0-based) of a buffer filled by StrSplit; n must be below the count.
const char* StrNth(const char* buffer, int n);
