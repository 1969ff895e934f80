// Wildcard masks for file names.
//
// Grammar, letters compared without regard to case (ASCII only):
//   *   any run of characters, also none ("*.txt" matches "a.txt.txt")
//   ?   exactly one character, single- or double-byte, but not the end of the
//       name; as the LAST character of a mask it matches whatever remains,
//       also nothing or several characters ("abc?" matches "abc" and "abcdef")
//   any other character matches itself; double-byte characters only the
//       identical double-byte character.
// Examples: "*.txt" matches "README.TXT"; "*.*" does not match "Makefile";
// "?.c" matches "a.c" but not "ab.c".
#pragma once

// 1 when name matches mask, else 0. Null counts as the empty text.
int MaskMatch(const char* name, const char* mask);

// 1 when name matches any of the masks separated by ";" ("*.c;*.h"), else 0.
// The mask list is cut at kMaskScratch - 1 bytes. An empty list matches
// nothing; an empty part matches only an empty name.
int MaskMatchList(const char* name, const char* masks);
