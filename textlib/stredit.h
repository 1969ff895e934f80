// In-place editing of NUL-terminated Shift-JIS byte strings. Every function
// that can lengthen a text takes the size of the caller's buffer and cuts
// the result so that it always fits, terminator included.
#pragma once

#include <cstddef>

// Replaces the first occurrence of search in buffer by replacement (null
// removes it). Returns the position just after the inserted text, or null
// when search does not occur (or is empty).
char* StrReplaceOnce(char* buffer, size_t size, const char* search, const char* replacement);

// Replaces the first occurrence (count >= 0) or every occurrence (count < 0)
// of search by replacement. Searching resumes after each inserted text, so a
// replacement that contains search does not loop: "aXbXc", X -> YY, gives
// "aYYbYYc".
void StrReplace(char* buffer, size_t size, const char* search, const char* replacement, int count);

// Removes characters of set from the start and from the end of text. Per side
// a count: 0 removes without limit, n > 0 at most n characters, negative
// leaves that side alone. Double-byte characters are never taken apart.
// Returns text, or null when text is null or empty.
char* StrTrim(char* text, const char* set, int leftCount, int rightCount);

// Removes every single-byte character of text that occurs in set; double-byte
// characters stay whole. Returns text.
char* StrRemoveChars(char* text, const char* set);

// Copies into out (outSize bytes) the text between an opening marker (or the
// beginning, when open is null or empty) and a closing marker (or the end,
// when close is null or empty). With mode < 0 the closing marker is the one
// that balances the opening marker, counting nested pairs. Returns 1 when a
// result was copied; 0 when a marker is missing, leaving out untouched.
int StrExtract(const char* text, const char* open, const char* close, char* out, size_t outSize,
               int mode);
