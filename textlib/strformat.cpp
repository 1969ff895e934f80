#include "textlib/strformat.h"

#include "textlib/strbasic.h"
#include "textlib/strnumber.h"
#include "textlib/textlimits.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Appends to a bounded output and silently drops what does not fit.
class Output {
public:
    Output(char* out, size_t size) : out_(out), size_(size) {}
    void Put(char c) {
        if (length_ + 1 < size_) out_[length_++] = c;
    }
    void Put(const char* text, size_t n) {
        for (size_t i = 0; i < n; ++i)
            Put(text[i]);
    }
    void Repeat(char c, int n) {
        for (int i = 0; i < n; ++i)
            Put(c);
    }
    int Finish() {
        if (size_ > 0) out_[length_] = '\0';
        return static_cast<int>(length_);
    }

private:
    char* out_;
    size_t size_;
    size_t length_ = 0;
};

// Flags and width of one % conversion.
struct Conversion {
    int width = 0;
    bool left = false;
    bool right = false;
    bool zero = false;
};

void PutNumber(Output& out, int32_t value, bool hex, bool upper, const Conversion& conversion) {
    uint32_t flags = 0;
    if (hex) flags |= kIntHex | (upper ? kIntHexUpper : 0);
    if (conversion.zero) flags |= kIntZeroFill;
    if (conversion.left) flags |= kIntLeftJustify;
    char text[textlib::kNumberScratch];
    StrFromInt(value, text, conversion.width, flags);
    out.Put(text, std::strlen(text));
}

void PutText(Output& out, const char* text, const Conversion& conversion) {
    const int n = StrLen(text);
    const int pad = conversion.width > n ? conversion.width - n : 0;
    if (conversion.right) out.Repeat(' ', pad);
    out.Put(text, n);
    if (!conversion.right) out.Repeat(' ', pad);
}

void PutFixed(Output& out, double value, const Conversion& conversion) {
    int digits = conversion.width == 0 ? 6 : conversion.width;
    if (digits > 64) digits = 64;
    char text[textlib::kNumberScratch];
    // A double's integer part can need over 300 digits; such values are cut.
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    out.Put(text, std::strlen(text));
}

} // namespace

int StrFormatV(char* out, size_t outSize, const char* format, va_list args) {
    Output output(out, outSize);
    for (const char* p = format; p && *p; ++p) {
        if (*p != '%') {
            output.Put(*p);
            continue;
        }
        Conversion conversion;
        for (++p; *p; ++p) {
            const char c = *p;
            if (c == '-') {
                conversion.left = true;
            } else if (c == '+') {
                conversion.right = true;
            } else if (c == '.') {
                conversion.zero = true;
            } else if (c == '0' && conversion.width == 0) {
                conversion.zero = true;
            } else if (c >= '0' && c <= '9') {
                conversion.width = conversion.width * 10 + (c - '0');
                if (conversion.width > textlib::kFormatScratch)
                    conversion.width = textlib::kFormatScratch;
            } else if (c == '*') {
                // Capped like written digits: a huge width would pad for seconds.
                conversion.width = std::clamp(va_arg(args, int), 0, textlib::kFormatScratch);
            } else {
                break;
            }
        }
        const char kind = *p;
        if (kind == 'd' || kind == 'i' || kind == 'u') {
            PutNumber(output, va_arg(args, int32_t), false, false, conversion);
        } else if (kind == 'x' || kind == 'X') {
            PutNumber(output, va_arg(args, int32_t), true, kind == 'X', conversion);
        } else if (kind == 's' || kind == 'c') {
            const char* text = va_arg(args, const char*);
            if (text) PutText(output, text, conversion);
        } else if (kind == 'f') {
            PutFixed(output, va_arg(args, double), conversion);
        } else {
            PutText(output, "%", conversion);
        }
        if (!kind) break; // a "%" at the very end
    }
    return output.Finish();
}
