#include "textlib/strcompare.h"

#include "textlib/strbasic.h"

int StrCompareN(const char* a, const char* b, int n, int fold) {
    if (!a || !b) return a ? 1 : (b ? -1 : 0);
    const auto* p = reinterpret_cast<const unsigned char*>(a);
    const auto* q = reinterpret_cast<const unsigned char*>(b);
    int i = 0;
    while (i < n) {
        if (!p[i] || !q[i]) {
            if (!p[i] && !q[i]) return 0;
            return p[i] ? -1 : 1; // the text that ended is the greater
        }
        const bool wideP = IsLeadByte(p[i]) && p[i + 1];
        const bool wideQ = IsLeadByte(q[i]) && q[i + 1];
        if (wideP != wideQ) return wideP ? 1 : -1;
        if (wideP) {
            const int u = p[i] * 256 + p[i + 1];
            const int v = q[i] * 256 + q[i + 1];
            if (u != v) return u < v ? -1 : 1;
            i += 2;
            continue;
        }
        const int u = fold ? CharToLower(p[i]) : p[i];
        const int v = fold ? CharToLower(q[i]) : q[i];
        if (u != v) return u < v ? -1 : 1;
        ++i;
    }
    return 0;
}

static int LongerLength(const char* a, const char* b) {
    const int la = StrLen(a);
    const int lb = StrLen(b);
    return la > lb ? la : lb;
}

int StrCompare(const char* a, const char* b) {
    return StrCompareN(a, b, LongerLength(a, b), 0);
}

int StrCompareNoCase(const char* a, const char* b) {
    return StrCompareN(a, b, LongerLength(a, b), 1);
}
