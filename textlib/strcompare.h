// Shift-JIS-aware comparison of NUL-terminated byte strings.
//
// Rules: null sorts before any text, two nulls are equal. Walking both texts,
// a text that ends first is the GREATER one (a proper prefix sorts after the
// longer text: "abc" < "ab"); a double-byte character is greater than any
// single byte; two double-byte characters compare by first * 256 + second;
// single bytes compare unsigned, after CharToLower when folding.
#pragma once

// Compares at most n bytes; fold != 0 compares ASCII letters without regard
// to case. Returns -1, 0 or 1.
int StrCompareN(const char* a, const char* b, int n, int fold);

// Compares the whole texts, case-sensitive. Returns -1, 0 or 1.
int StrCompare(const char* a, const char* b);

// Compares the whole texts with ASCII letters folded. Returns -1, 0 or 1.
int StrCompareNoCase(const char* a, const char* b);
