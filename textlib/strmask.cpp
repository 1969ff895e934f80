#include "textlib/strmask.h"

#include "textlib/strbasic.h"
#include "textlib/strsplit.h"
#include "textlib/textlimits.h"

namespace {

using Byte = unsigned char;

int CharWidth(const Byte* p) {
    return (IsLeadByte(*p) && p[1]) ? 2 : 1;
}

// ASCII folding as a table: this runs once per character of every name listed.
struct FoldTable {
    Byte to[256];
    constexpr FoldTable() : to() {
        for (int c = 0; c < 256; ++c)
            to[c] = static_cast<Byte>(CharToLower(c));
    }
};
constexpr FoldTable kFold;

// Whether the mask character at m (not "*") matches the name character at n
// (not the end). A "?" takes any one character.
bool CharMatches(const Byte* n, const Byte* m) {
    if (*m == '?') return true;
    if (IsLeadByte(*m) && m[1]) return n[0] == m[0] && n[1] == m[1];
    return !IsLeadByte(*n) && kFold.to[*n] == kFold.to[*m];
}

// The first character at or after n that may start a match of the mask
// character at m: for a plain single-byte letter, the next equal character
// (double-byte characters skipped whole); otherwise n itself. May return the
// end of the name.
const Byte* NextCandidate(const Byte* n, const Byte* m) {
    if (*m == '?' || IsLeadByte(*m)) return n;
    const Byte wanted = kFold.to[*m];
    while (*n) {
        if (IsLeadByte(*n) && n[1]) {
            n += 2;
        } else if (kFold.to[*n] == wanted) {
            return n;
        } else {
            ++n;
        }
    }
    return n;
}

} // namespace

// Walks name and mask once; on a mismatch after a star, the star takes one
// more character and the rest of the mask is tried again from there. Only
// the latest star is ever revisited: an earlier star's text matched at its
// earliest place leaves the most room for what follows, so this is exact and
// costs at most (name length x mask length) steps, even for masks with many
// stars.
int MaskMatch(const char* name, const char* mask) {
    const Byte* n = reinterpret_cast<const Byte*>(name ? name : "");
    const Byte* m = reinterpret_cast<const Byte*>(mask ? mask : "");
    const Byte* starMask = nullptr;
    const Byte* starName = nullptr;

    for (;;) {
        if (*m == '*') {
            while (*m == '*')
                ++m;
            if (!*m) return 1;
            starMask = m;
            starName = n = NextCandidate(n, m);
            continue;
        }
        if (*m == '?' && !m[1]) return 1;
        if (!*n) break;
        if (*m && CharMatches(n, m)) {
            n += CharWidth(n);
            m += CharWidth(m);
            continue;
        }
        if (!starMask) return 0;
        starName += CharWidth(starName);
        starName = NextCandidate(starName, starMask);
        if (!*starName) return 0;
        n = starName;
        m = starMask;
    }
    return *m == '\0';
}

int MaskMatchList(const char* name, const char* masks) {
    char parts[textlib::kMaskScratch];
    const int count = StrSplit(masks, ";", parts, sizeof parts);
    for (int i = 0; i < count; ++i)
        if (MaskMatch(name, StrNth(parts, i))) return 1;
    return 0;
}
