// CCLString: the text library's own growable byte string (Shift-JIS,
// NUL-terminated). Its text is absent (null) exactly when it is empty, so
// callers tell "no text" from "some text" by testing Text().
#pragma once

#include <cstdint>

class CCLString {
public:
    CCLString() = default;
    explicit CCLString(const char* text);
    CCLString(const CCLString& other);
    CCLString& operator=(const CCLString& other);
    virtual ~CCLString();

    // --- Editing
    // Copies text (null or "" releases the storage). Keeps the storage when
    // it is large enough: the capacity never shrinks. text may point into
    // this string.
    void Set(const char* text);
    // Appends text, reallocating to an exact fit. Null or "" changes nothing.
    void Cat(const char* text);
    // Releases the text: absent, capacity 0, length 0.
    void Free();
    // Formats with the library formatter (see strformat.h) into a scratch of
    // kFormatScratch bytes (a longer result is cut), then Set. A format that
    // begins with "%&" appends (Cat) instead, without those two characters.
    // Null format empties the string. Returns Text().
    const char* Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Replaces the first occurrence of search (count >= 0) or every
    // occurrence (count < 0) within a kFormatScratch scratch. Returns 1.
    int Replace(const char* search, const char* replacement, int count);

    // --- Reading
    [[nodiscard]] bool IsEmpty() const { return length_ == 0; }
    [[nodiscard]] int32_t Length() const { return length_; }
    // The characters, or null when empty.
    [[nodiscard]] const char* Text() const { return text_; }
    // Position of pattern at or after start, counted from start; -1 when
    // absent (see StrFind for how one- and multi-byte patterns are searched).
    [[nodiscard]] int32_t Find(const char* pattern, int32_t start) const;
    // StrCompare / StrCompareNoCase against other: -1, 0 or 1. An empty
    // string is null there: -1 against any text ("" too), 0 against null.
    [[nodiscard]] int Compare(const char* other) const;
    [[nodiscard]] int CompareNoCase(const char* other) const;
    // StrToInt of the text; 0 when absent.
    [[nodiscard]] int32_t ToInt() const;

private:
    char* text_ = nullptr;
    int32_t capacity_ = 0;
    int32_t length_ = 0;
};
