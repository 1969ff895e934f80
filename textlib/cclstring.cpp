#include "textlib/cclstring.h"

#include "textlib/strbasic.h"
#include "textlib/strcompare.h"
#include "textlib/stredit.h"
#include "textlib/strformat.h"
#include "textlib/strnumber.h"
#include "textlib/strsearch.h"
#include "textlib/textlimits.h"

#include <cstdarg>
#include <cstring>

CCLString::CCLString(const char* text) {
    Set(text);
}

CCLString::CCLString(const CCLString& other) {
    Set(other.text_);
}

CCLString& CCLString::operator=(const CCLString& other) {
    Set(other.text_);
    return *this;
}

CCLString::~CCLString() {
    Free();
}

void CCLString::Set(const char* text) {
    const int32_t n = StrLen(text);
    if (n == 0) {
        Free();
        return;
    }
    if (capacity_ < n) {
        char* storage = new char[n + 1];
        storage[0] = '\0';
        std::memcpy(storage, text, n + 1); // copy before release: text may be our own
        delete[] text_;
        text_ = storage;
        capacity_ = n;
    } else {
        std::memmove(text_, text, n + 1);
    }
    length_ = n;
}

void CCLString::Cat(const char* text) {
    const int32_t n = StrLen(text);
    if (n == 0) return;
    const int32_t total = length_ + n;
    char* storage = new char[total + 1];
    storage[0] = '\0';
    if (text_) std::memcpy(storage, text_, length_);
    std::memcpy(storage + length_, text, n + 1);
    delete[] text_;
    text_ = storage;
    capacity_ = length_ = total;
}

void CCLString::Free() {
    delete[] text_;
    text_ = nullptr;
    capacity_ = 0;
    length_ = 0;
}

const char* CCLString::Format(const char* format, ...) {
    const bool append = format && format[0] == '%' && format[1] == '&';
    char scratch[textlib::kFormatScratch];
    va_list args;
    va_start(args, format);
    StrFormatV(scratch, sizeof scratch, append ? format + 2 : format, args);
    va_end(args);
    if (append) {
        Cat(scratch);
    } else {
        Set(scratch);
    }
    return text_;
}

int CCLString::Replace(const char* search, const char* replacement, int count) {
    char scratch[textlib::kFormatScratch];
    StrCopyN(scratch, text_, sizeof scratch - 1);
    StrReplace(scratch, sizeof scratch, search, replacement, count);
    Set(scratch);
    return 1;
}

int32_t CCLString::Find(const char* pattern, int32_t start) const {
    if (start < 0 || start >= length_) return -1;
    return StrFind(text_ + start, pattern);
}

// An empty string holds no text, so it compares as the null it is: that
// keeps s.Compare(x) equal to StrCompare(s.Text(), x), which callers that
// mix the two rely on. It sorts before every text, "" included.
int CCLString::Compare(const char* other) const {
    return StrCompare(text_, other);
}

int CCLString::CompareNoCase(const char* other) const {
    return StrCompareNoCase(text_, other);
}

int32_t CCLString::ToInt() const {
    return StrToInt(text_);
}
