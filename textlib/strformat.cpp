#include "strformat.h"

#include "strbasic.h"
#include "strnumber.h"
#include "textlimits.h"

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

struct Spec {
    int width = 0;
    bool left = false;
    bool right = false;
    bool zero = false;
};

void PutNumber(Output& out, int32_t value, bool hex, bool upper, const Spec& spec) {
    uint32_t flags = 0;
    if (hex) flags |= kIntHex | (upper ? kIntHexUpper : 0);
    if (spec.zero) flags |= kIntZeroFill;
    if (spec.left) flags |= kIntLeftJustify;
    char text[textlib::kNumberScratch];
    StrFromInt(value, text, spec.width, flags);
    out.Put(text, std::strlen(text));
}

void PutText(Output& out, const char* text, const Spec& spec) {
    const int n = StrLen(text);
    const int pad = spec.width > n ? spec.width - n : 0;
    if (spec.right) out.Repeat(' ', pad);
    out.Put(text, n);
    if (!spec.right) out.Repeat(' ', pad);
}

void PutFixed(Output& out, double value, const Spec& spec) {
    int digits = spec.width == 0 ? 6 : spec.width;
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
        Spec spec;
        for (++p; *p; ++p) {
            const char c = *p;
            if (c == '-') {
                spec.left = true;
            } else if (c == '+') {
                spec.right = true;
            } else if (c == '.') {
                spec.zero = true;
            } else if (c == '0' && spec.width == 0) {
                spec.zero = true;
            } else if (c >= '0' && c <= '9') {
                spec.width = spec.width * 10 + (c - '0');
                if (spec.width > textlib::kFormatScratch) spec.width = textlib::kFormatScratch;
            } else if (c == '*') {
                spec.width = va_arg(args, int);
                if (spec.width < 0) spec.width = 0;
            } else {
                break;
            }
        }
        const char conversion = *p;
        if (conversion == 'd' || conversion == 'i' || conversion == 'u') {
            PutNumber(output, va_arg(args, int32_t), false, false, spec);
        } else if (conversion == 'x' || conversion == 'X') {
            PutNumber(output, va_arg(args, int32_t), true, conversion == 'X', spec);
        } else if (conversion == 's' || conversion == 'c') {
            const char* text = va_arg(args, const char*);
            if (text) PutText(output, text, spec);
        } else if (conversion == 'f') {
            PutFixed(output, va_arg(args, double), spec);
        } else {
            PutText(output, "%", spec);
        }
        if (!conversion) break; // a "%" at the very end
    }
    return output.Finish();
}
