// The library formatter: never writes past its buffer, always terminates,
// returns the length it wrote, cuts a long result to a prefix of the whole
// result, and prints what snprintf prints wherever its documented rules
// agree with printf's.
//
// Input: 2 bytes output size, 4 int arguments (4 bytes each), 2 double
// arguments (8 bytes each), then format NUL text NUL text ... (a text of
// the single byte 0x01 is passed as a null pointer). Each conversion takes
// the next argument of its type, round robin.
#include "fuzz/fuzzsupport.h"
#include "textlib/strformat.h"
#include "textlib/textlimits.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 2 + 4 * 4 + 2 * 8;
constexpr size_t kMostArguments = 5;   // each needs its own instantiation below
constexpr int kWidthCap = 2048;        // any width stops growing here
constexpr size_t kWholeSize = 1 << 16; // the "whole result" buffer
constexpr int kMostFractionDigits = 64;
constexpr int kWidestNumber = textlib::kNumberScratch / 2 - 8;

using Argument = std::variant<int32_t, const char*, double>;

struct Arguments {
    int32_t ints[4] = {};
    double doubles[2] = {};
    std::vector<std::string> texts;
    size_t nextInt = 0, nextDouble = 0, nextText = 0;

    int32_t Int() { return ints[nextInt++ % 4]; }
    double Double() { return doubles[nextDouble++ % 2]; }
    const char* Text() {
        if (texts.empty()) return "";
        const std::string& text = texts[nextText++ % texts.size()];
        return text == "\x01" ? nullptr : text.c_str();
    }
};

int Format(char* out, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = StrFormatV(out, size, format, args);
    va_end(args);
    return length;
}

// Calls the formatter with the arguments as their own C types.
template <typename... Passed>
int FormatWith(char* out, size_t size, const char* format, const std::vector<Argument>& arguments,
               size_t next, Passed... passed) {
    if constexpr (sizeof...(Passed) >= kMostArguments) {
        return Format(out, size, format, passed...);
    } else {
        if (next == arguments.size()) return Format(out, size, format, passed...);
        const Argument& a = arguments[next];
        if (const auto* i = std::get_if<int32_t>(&a))
            return FormatWith(out, size, format, arguments, next + 1, passed..., *i);
        if (const auto* t = std::get_if<const char*>(&a))
            return FormatWith(out, size, format, arguments, next + 1, passed..., *t);
        return FormatWith(out, size, format, arguments, next + 1, passed..., std::get<double>(a));
    }
}

std::string Printf(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

size_t DigitCount(uint32_t value, uint32_t base) {
    size_t digits = 1;
    while (value >= base) {
        value /= base;
        ++digits;
    }
    return digits;
}

struct Flags {
    int width = 0;
    bool left = false, right = false, zero = false;
};

// What snprintf prints for a number where the rules agree; false where
// they differ (a negative number in a width, a number longer than its
// width, left and zero together).
bool ExpectNumber(int32_t value, bool hex, bool upper, const Flags& f, std::string& piece) {
    if (f.width == 0) {
        piece =
            hex ? Printf(upper ? "%X" : "%x", static_cast<uint32_t>(value)) : Printf("%d", value);
        return true;
    }
    // Numbers go through StrFromInt, which caps widths (textlib::kNumberScratch
    // / 2 - 8) so that a number fits its scratch; wider ones print narrower.
    if (value < 0 || (f.left && f.zero) || f.width > kWidestNumber) return false;
    if (DigitCount(static_cast<uint32_t>(value), hex ? 16 : 10) > static_cast<size_t>(f.width))
        return false;
    const char* pattern = f.zero   ? (hex ? (upper ? "%0*X" : "%0*x") : "%0*d")
                          : f.left ? (hex ? (upper ? "%-*X" : "%-*x") : "%-*d")
                                   : (hex ? (upper ? "%*X" : "%*x") : "%*d");
    piece = Printf(pattern, f.width, value);
    return true;
}

// Texts are padded after them, before them with "+", never cut; null prints nothing.
std::string ExpectText(const char* text, const Flags& f) {
    if (!text) return "";
    const int length = static_cast<int>(std::strlen(text));
    if (f.width <= length) return text;
    std::string padding(static_cast<size_t>(f.width - length), ' ');
    return f.right ? padding + text : text + padding;
}

bool ExpectFixed(double value, const Flags& f, std::string& piece) {
    if (std::isfinite(value) && std::fabs(value) >= 1e150) return false; // cut by the formatter
    const int digits =
        f.width == 0 ? 6 : (f.width > kMostFractionDigits ? kMostFractionDigits : f.width);
    piece = Printf("%.*f", digits, value);
    return true;
}

// Walks format as the formatter documents it: collects the arguments each
// conversion takes and, while every piece is one printf agrees on, the
// expected result. Returns false when there are too many arguments.
bool Plan(const char* format, Arguments& pool, std::vector<Argument>& arguments,
          std::string& expected, bool& comparable) {
    comparable = true;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            expected += *p;
            continue;
        }
        Flags f;
        for (++p; *p; ++p) {
            const char c = *p;
            if (c == '-') {
                f.left = true;
            } else if (c == '+') {
                f.right = true;
            } else if (c == '.') {
                f.zero = true;
            } else if (c == '0' && f.width == 0) {
                f.zero = true;
            } else if (c >= '0' && c <= '9') {
                f.width = f.width * 10 + (c - '0');
                if (f.width > kWidthCap) f.width = kWidthCap;
            } else if (c == '*') {
                const int32_t width = pool.Int();
                arguments.emplace_back(width);
                f.width = std::clamp(width, 0, kWidthCap);
            } else {
                break;
            }
        }
        const char kind = *p;
        std::string piece;
        if (kind == 'd' || kind == 'i' || kind == 'u' || kind == 'x' || kind == 'X') {
            const int32_t value = pool.Int();
            arguments.emplace_back(value);
            comparable = ExpectNumber(value, kind == 'x' || kind == 'X', kind == 'X', f, piece) &&
                         comparable;
        } else if (kind == 's' || kind == 'c') {
            const char* text = pool.Text();
            arguments.emplace_back(text);
            piece = ExpectText(text, f);
        } else if (kind == 'f') {
            const double value = pool.Double();
            arguments.emplace_back(value);
            comparable = ExpectFixed(value, f, piece) && comparable;
        } else {
            piece = ExpectText("%", f);
        }
        if (comparable) expected += piece;
        if (arguments.size() > kMostArguments) return false;
        if (!kind) break;
    }
    return true;
}

template <typename T> T Take(const uint8_t*& p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t header[kHeaderSize] = {};
    std::memcpy(header, data, size < kHeaderSize ? size : kHeaderSize);
    const uint8_t* p = header;
    const size_t outSize = Take<uint16_t>(p) % 4100;
    Arguments pool;
    for (int32_t& i : pool.ints)
        i = Take<int32_t>(p);
    for (double& d : pool.doubles)
        d = Take<double>(p);
    std::vector<std::string> parts = fuzz::SplitAtNul(
        size > kHeaderSize ? fuzz::AsText(data + kHeaderSize, size - kHeaderSize) : "");
    const std::string format = parts[0];
    pool.texts.assign(parts.begin() + 1, parts.end());

    std::vector<Argument> arguments;
    std::string expected;
    bool comparable = true;
    if (!Plan(format.c_str(), pool, arguments, expected, comparable)) return 0;

    // The whole result, with a guard after the buffer that must stay intact.
    std::vector<char> whole(kWholeSize + 1, '\x7F');
    const int wholeLength = FormatWith(whole.data(), kWholeSize, format.c_str(), arguments, 0);
    const std::string what = "format [" + fuzz::Shown(format) + "]";
    fuzz::Check(whole[kWholeSize] == '\x7F', "wrote past the buffer: " + what);
    fuzz::Check(wholeLength >= 0 && static_cast<size_t>(wholeLength) < kWholeSize &&
                    std::strlen(whole.data()) == static_cast<size_t>(wholeLength),
                "returned a length that is not the text's: " + what);
    const std::string result(whole.data(), static_cast<size_t>(wholeLength));
    if (comparable && expected.size() + 1 < kWholeSize) {
        fuzz::Check(result == expected, "gave [" + fuzz::Shown(result) + "] where printf gives [" +
                                            fuzz::Shown(expected) + "]: " + what);
    }

    // The same into the input's buffer size: a prefix of the whole, terminated, in bounds.
    std::vector<char> small(outSize + 1, '\x7F');
    const int smallLength = FormatWith(small.data(), outSize, format.c_str(), arguments, 0);
    fuzz::Check(small[outSize] == '\x7F',
                "wrote past a buffer of " + std::to_string(outSize) + " bytes: " + what);
    const size_t expectedLength = outSize == 0 ? 0 : std::min(result.size(), outSize - 1);
    fuzz::Check(smallLength >= 0 && static_cast<size_t>(smallLength) == expectedLength,
                "returned " + std::to_string(smallLength) + " into " + std::to_string(outSize) +
                    " bytes: " + what);
    if (outSize > 0) {
        fuzz::Check(std::string(small.data()) == result.substr(0, expectedLength),
                    "a cut result is not the start of the whole one: " + what);
    }
    return 0;
}
