#include "textlib/strbasic.h"

#include <cstring>

int StrLen(const char* text) {
    return text ? static_cast<int>(std::strlen(text)) : 0;
}

char* StrCopy(char* destination, const char* source) {
    const int n = StrLen(source);
    std::memmove(destination, source ? source : "", n + 1);
    return destination;
}

char* StrCopyN(char* destination, const char* source, int n) {
    int i = 0;
    for (; i < n; ++i) {
        destination[i] = source ? source[i] : '\0';
        if (destination[i] == '\0') return destination;
    }
    destination[i] = '\0';
    return destination;
}

char* StrLower(char* text) {
    for (char* p = text; p && *p; ++p)
        *p = static_cast<char>(CharToLower(static_cast<unsigned char>(*p)));
    return text;
}

char* StrUpper(char* text) {
    for (char* p = text; p && *p; ++p)
        *p = static_cast<char>(CharToUpper(static_cast<unsigned char>(*p)));
    return text;
}

char* StrReverseN(char* text, int n) {
    if (!text) return text;
    for (int i = 0, j = n - 1; i < j; ++i, --j) {
        const char t = text[i];
        text[i] = text[j];
        text[j] = t;
    }
    return text;
}

char* StrReverse(char* text) {
    return StrReverseN(text, StrLen(text));
}
