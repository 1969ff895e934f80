#include "textlib/strnumber.h"

#include "textlib/strbasic.h"
#include "textlib/textlimits.h"

#include <cstring>

namespace {

constexpr char kNarrowSet[] = "0123456789ABCDEFabcdef+-,.xX ";
constexpr int kSetSize = sizeof kNarrowSet - 1; // 29

// The full-width forms in code page 932, index for index with kNarrowSet.
constexpr unsigned char kWideSet[kSetSize][2] = {
    {0x82, 0x4F}, {0x82, 0x50}, {0x82, 0x51}, {0x82, 0x52}, {0x82, 0x53}, {0x82, 0x54},
    {0x82, 0x55}, {0x82, 0x56}, {0x82, 0x57}, {0x82, 0x58},                             // ０-９
    {0x82, 0x60}, {0x82, 0x61}, {0x82, 0x62}, {0x82, 0x63}, {0x82, 0x64}, {0x82, 0x65}, // Ａ-Ｆ
    {0x82, 0x81}, {0x82, 0x82}, {0x82, 0x83}, {0x82, 0x84}, {0x82, 0x85}, {0x82, 0x86}, // ａ-ｆ
    {0x81, 0x7B}, {0x81, 0x7C}, {0x81, 0x43}, {0x81, 0x44}, // ＋ － ， ．
    {0x82, 0x98}, {0x82, 0x77}, {0x81, 0x40},               // ｘ Ｘ and the ideographic space
};

int NarrowIndex(unsigned char c) {
    if (c == '\0') return -1;
    const char* at = std::strchr(kNarrowSet, c);
    return at ? static_cast<int>(at - kNarrowSet) : -1;
}

int WideIndex(const unsigned char* p) {
    if (!IsLeadByte(p[0]) || !p[1]) return -1;
    for (int i = 0; i < kSetSize; ++i)
        if (kWideSet[i][0] == p[0] && kWideSet[i][1] == p[1]) return i;
    return -1;
}

// Index of the numeric-set member at in, in either width, stepping in past
// it; -1 (in unchanged) at the end or at a character outside the set.
int TakeSetMember(const unsigned char*& in) {
    int index = WideIndex(in);
    if (index >= 0) {
        in += 2;
    } else if ((index = NarrowIndex(*in)) >= 0) {
        in += 1;
    }
    return index;
}

// Pads or cuts digits (length n, in out) to width as the formatter does.
int PadToWidth(char* out, int n, int width, uint32_t flags) {
    if (width <= 0) return n;
    if (n > width) {
        std::memmove(out, out + n - width, width);
        return width;
    }
    const char fill = (flags & kIntZeroFill) ? '0' : ' ';
    if (flags & kIntLeftJustify) {
        std::memset(out + n, fill, width - n);
    } else {
        std::memmove(out + width - n, out, n);
        std::memset(out, fill, width - n);
    }
    return width;
}

int WriteDigits(char* out, uint32_t magnitude, uint32_t flags) {
    char reversed[16];
    int n = 0;
    if (flags & kIntHex) {
        const char* digits = (flags & kIntHexUpper) ? "0123456789ABCDEF" : "0123456789abcdef";
        do {
            reversed[n++] = digits[magnitude & 15];
            magnitude >>= 4;
        } while (magnitude);
    } else {
        int run = 0;
        do {
            if (run == 3) {
                reversed[n++] = ',';
                run = 0;
            }
            reversed[n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
            if (flags & kIntThousands) ++run;
        } while (magnitude);
    }
    for (int i = 0; i < n; ++i)
        out[i] = reversed[n - 1 - i];
    return n;
}

} // namespace

int HexDigitValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c == ',' ? -1 : 0;
}

char* StrFromInt(int32_t value, char* out, int width, uint32_t flags) {
    // Room for the sign and for doubling to full width.
    constexpr int kWidthCap = textlib::kNumberScratch / 2 - 8;
    if (width > kWidthCap) width = kWidthCap;

    const bool hex = (flags & kIntHex) != 0;
    const bool negative = value < 0;
    const uint32_t magnitude =
        (hex || !negative) ? static_cast<uint32_t>(value) : 0u - static_cast<uint32_t>(value);
    char text[textlib::kNumberScratch];
    int n = 1; // text[0] is kept for the sign
    n += PadToWidth(text + 1, WriteDigits(text + 1, magnitude, flags), width, flags);
    text[n] = '\0';

    char sign = '\0';
    if (!hex) {
        if (flags & kIntAlwaysSign)
            sign = negative ? '-' : '+';
        else if (negative && !(flags & kIntNoMinus))
            sign = '-';
    }
    const char* result = text + 1;
    if (sign) {
        text[0] = sign;
        result = text;
    }
    if (flags & kIntFullWidth) return StrToWideNumber(result, out, textlib::kNumberScratch);
    return StrCopy(out, result);
}

int32_t StrToInt(const char* text) {
    if (!text || !*text) return 0;
    char copy[textlib::kNumberScratch];
    StrCopyN(copy, text, sizeof copy - 1);
    StrToNarrowNumber(copy);

    const char* p = copy;
    uint32_t value = 0;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        while (*p == '0')
            ++p;
        for (; *p; ++p)
            value = value * 16 + static_cast<uint32_t>(HexDigitValue(*p));
        return static_cast<int32_t>(value);
    }
    bool negative = false;
    if (*p == '+') {
        ++p;
    } else if (*p == '-') {
        negative = true;
        ++p;
    }
    for (; *p; ++p) {
        if (*p == ',') continue;
        value = value * 10 + static_cast<uint32_t>(HexDigitValue(*p));
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

char* StrToNarrowNumber(char* text) {
    if (!text) return text;
    const auto* in = reinterpret_cast<const unsigned char*>(text);
    char* out = text;
    for (int index; (index = TakeSetMember(in)) >= 0;)
        *out++ = kNarrowSet[index];
    *out = '\0';
    return text;
}

char* StrToWideNumber(const char* text, char* out, size_t outSize) {
    if (!out || outSize == 0) return out;
    const auto* in = reinterpret_cast<const unsigned char*>(text ? text : "");
    size_t n = 0;
    for (int index; n + 2 < outSize && (index = TakeSetMember(in)) >= 0;) {
        out[n++] = static_cast<char>(kWideSet[index][0]);
        out[n++] = static_cast<char>(kWideSet[index][1]);
    }
    out[n] = '\0';
    return out;
}
