#include "platform/widename.h"

#include "platform/codepage.h"

namespace platform {
namespace {

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// The lone surrogate written at text[pos] as three bytes, or 0.
char32_t SurrogateAt(std::string_view text, size_t pos) {
    if (pos + 3 > text.size()) return 0;
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    const auto third = static_cast<unsigned char>(text[pos + 2]);
    if (lead != 0xED || second < 0xA0 || second > 0xBF || !IsContinuation(third)) return 0;
    return 0xD000 | static_cast<char32_t>((second & 0x3F) << 6) | (third & 0x3F);
}

} // namespace

std::optional<std::u16string> GeneralizedUtf8ToWide(std::string_view utf8) {
    std::u16string wide;
    wide.reserve(utf8.size());
    bool afterHighSurrogate = false;
    for (size_t pos = 0; pos < utf8.size();) {
        if (const char32_t surrogate = SurrogateAt(utf8, pos)) {
            // A pair spelled as two lone halves would come back as one
            // four-byte character, another text than this one.
            if (afterHighSurrogate && IsLowSurrogate(surrogate)) return std::nullopt;
            wide += static_cast<char16_t>(surrogate);
            afterHighSurrogate = IsHighSurrogate(surrogate);
            pos += 3;
            continue;
        }
        char32_t codePoint = 0;
        const size_t length = DecodeUtf8(utf8, pos, codePoint);
        if (length == 0) return std::nullopt;
        AppendUtf16(wide, codePoint);
        afterHighSurrogate = false;
        pos += length;
    }
    return wide;
}

std::string WideToGeneralizedUtf8(std::u16string_view wide) {
    // At most three bytes per unit: a pair of units takes four.
    std::string utf8(wide.size() * 3, '\0');
    char* out = utf8.data();
    for (size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = wide[i];
        if (IsHighSurrogate(unit) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
            out = WriteUtf8(0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00), out);
            ++i;
        } else {
            out = WriteUtf8(unit, out); // a lone surrogate as its own three bytes
        }
    }
    utf8.resize(static_cast<size_t>(out - utf8.data()));
    return utf8;
}

std::optional<std::u16string> Cp932NameToWide(std::string_view cp932) {
    const std::optional<std::string> utf8 = FileSystemName(cp932);
    if (!utf8) return std::nullopt;
    return GeneralizedUtf8ToWide(*utf8);
}

std::string WideToCp932Name(std::u16string_view wide) {
    return Utf8ToCp932(WideToGeneralizedUtf8(wide));
}

} // namespace platform
