// Searching in NUL-terminated Shift-JIS byte strings.
#pragma once

// Index of the first occurrence of pattern in text, or -1 (also for an empty
// or null pattern). A one-byte pattern is searched Shift-JIS-aware
// (StrFindChar), so "\\" never matches the second byte of a double-byte
// character; a longer pattern is searched byte by byte (StrFindBM) and may
// start inside a double-byte character.
int StrFind(const char* text, const char* pattern);

// Index of the first single-byte character of text equal to pattern[0],
// stepping over double-byte characters whole; -1 when absent.
int StrFindChar(const char* text, const char* pattern);

// Index of the first occurrence of a pattern of two or more bytes, by
// Boyer-Moore-Horspool over bytes; -1 when absent or longer than text.
int StrFindBM(const char* text, const char* pattern);

// Index just after the last occurrence of byte c in text; 0 when absent.
int StrRScanAfter(const char* text, int c);

// 1 when text holds a byte that is not in set; 0 otherwise and for an empty text.
int StrHasOther(const char* text, const char* set);
