// CP932 <-> UTF-8 through two tables: what every CP932 code reads as, taken
// from the system's own converter (systemcp932.h), and its inverse, the code
// written for a character. The encoder never asks the system which code a
// character has; it takes a code only from the inverse table, so a character
// is written as CP932 only when that code reads back as the same character,
// which is the whole guarantee.
#include "platform/codepage.h"

#include "platform/systemcp932.h"
#include "textlib/strbasic.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace platform {
namespace {

constexpr unsigned char kFirstEscapedByte = 0x80;    // only non-ASCII bytes need carrying
constexpr int kLowTrailCount = 0x7F - 0x40;          // trail bytes 0x40..0x7E
constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr char32_t kLastBmpCodePoint = 0xFFFF;

// Table index of a CP932 code: the byte itself for a single-byte character,
// lead << 8 | trail for a double-byte one. 0 in a table means "none".
using Code = uint16_t;

bool IsCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsPrivateUse(char32_t codePoint) {
    return codePoint >= 0xE000 && codePoint <= 0xF8FF;
}

// Length of the valid UTF-8 sequence at text[pos], or 0 when it is not one.
// (Raw pointers: this runs for every non-ASCII character of every name.)
size_t Utf8SequenceLength(std::string_view text, size_t pos, char32_t& codePoint) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    const unsigned char lead = bytes[0];
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else
        return 0;
    if (pos + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (bytes[i] & 0x3F);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF) return 0;
    return length;
}

struct Tables {
    std::array<char16_t, 0x10000> decoded{}; // by Code: the character, 0 when none
    std::array<Code, 0x10000> encoded{};     // by BMP code point: its Code, 0 when escaped
};

// The character the system reads the CP932 bytes in as, 0 when they are
// not one non-ASCII BMP character.
char16_t DecodeWithSystem(const SystemCp932Reader& read, std::string_view code) {
    const std::string utf8 = read(code);
    char32_t codePoint = 0;
    if (utf8.empty() || Utf8SequenceLength(utf8, 0, codePoint) != utf8.size()) return 0;
    return codePoint > 0x7F && codePoint <= kLastBmpCodePoint ? static_cast<char16_t>(codePoint)
                                                              : 0;
}

// Reads every CP932 code once (about ten thousand, a millisecond).
void ReadEveryCode(const SystemCp932Reader& read, Tables& tables) {
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        const char single = static_cast<char>(byte);
        if (!IsCp932Lead(static_cast<unsigned char>(byte)))
            tables.decoded[byte] = DecodeWithSystem(read, std::string_view(&single, 1));
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsCp932Lead(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            tables.decoded[lead << 8 | trail] = DecodeWithSystem(read, std::string_view(pair, 2));
        }
    }
}

// Reads every code, then inverts: going through the codes in ascending
// order, a character takes the first code that reads as it, which is the
// code the system itself would write, except that codes the text library
// would split (leads 0xF6-0xFC) and the escape lead are never taken. Without
// a CP932 converter both tables stay empty: every non-ASCII character is
// escaped and nothing is lost.
std::unique_ptr<const Tables> BuildTables() {
    auto tables = std::make_unique<Tables>();
    if (!WithSystemCp932Reader(
            [&](const SystemCp932Reader& read) { ReadEveryCode(read, *tables); }))
        return tables;
    for (unsigned code = 0; code < tables->decoded.size(); ++code) {
        const char16_t codePoint = tables->decoded[code];
        const unsigned lead = code >> 8;
        const bool writable =
            lead == 0 || (IsLeadByte(static_cast<int>(lead)) != 0 && lead != kEscapeLead);
        if (codePoint != 0 && writable && !IsPrivateUse(codePoint) &&
            tables->encoded[codePoint] == 0) {
            tables->encoded[codePoint] = static_cast<Code>(code);
        }
    }
    return tables;
}

// Built on the first non-ASCII text, so a program that never meets one
// never pays for it.
const Tables& CodeTables() {
    static const std::unique_ptr<const Tables> tables = BuildTables();
    return *tables;
}

// Writes the escape of byte at out; returns the end of what it wrote.
char* WriteEscape(unsigned char byte, char* out) {
    const int index = byte - kFirstEscapedByte;
    const int trail = index < kLowTrailCount ? 0x40 + index : 0x80 + (index - kLowTrailCount);
    *out++ = static_cast<char>(kEscapeLead);
    *out++ = static_cast<char>(trail);
    return out;
}

// The original byte of an escape's trail byte, or -1 when trail is not one.
int EscapedByte(unsigned char trail) {
    int index = -1;
    if (trail >= 0x40 && trail <= 0x7E)
        index = trail - 0x40;
    else if (trail >= 0x80)
        index = kLowTrailCount + (trail - 0x80);
    return index >= 0 && index < 0x80 ? kFirstEscapedByte + index : -1;
}

// Both conversions write into a buffer sized for the longest result and
// cut it to length once: the file page converts every name it lists.

// Cp932ToUtf8, also telling whether a byte was bad.
std::string Decode(std::string_view cp932, bool& sawBadByte) {
    // At most three bytes per byte: U+FFFD for a bad one.
    std::string result(cp932.size() * 3, '\0');
    char* out = result.data();
    const auto* in = reinterpret_cast<const unsigned char*>(cp932.data());
    size_t pos = 0;
    while (pos < cp932.size()) {
        const unsigned char byte = in[pos];
        if (byte < 0x80) {
            *out++ = static_cast<char>(byte);
            ++pos;
            continue;
        }
        const bool pair = IsCp932Lead(byte) && pos + 1 < cp932.size();
        const unsigned char trail = pair ? in[pos + 1] : 0;
        const int escaped = pair && byte == kEscapeLead ? EscapedByte(trail) : -1;
        if (escaped >= 0) {
            *out++ = static_cast<char>(escaped);
            pos += 2;
            continue;
        }
        const char16_t codePoint =
            IsCp932Lead(byte) ? (pair ? CodeTables().decoded[byte << 8 | trail] : char16_t{0})
                              : CodeTables().decoded[byte];
        if (codePoint != 0) {
            out = WriteUtf8(codePoint, out);
            pos += pair ? 2 : 1;
            continue;
        }
        for (const char* r = kReplacement; *r != '\0'; ++r)
            *out++ = *r;
        sawBadByte = true;
        ++pos;
    }
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}

} // namespace

size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead >= 0x80) return Utf8SequenceLength(text, pos, codePoint);
    codePoint = lead;
    return 1;
}

size_t ValidUtf8Length(std::string_view text, size_t pos) {
    char32_t codePoint = 0;
    return DecodeUtf8(text, pos, codePoint);
}

char* WriteUtf8(char32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
        return out;
    }
    if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
    std::string result;
    Utf8ToCp932(utf8, result);
    return result;
}

void Utf8ToCp932(std::string_view utf8, std::string& result) {
    // At most two bytes per byte: an escape, or a CP932 code for two or more.
    result.resize(utf8.size() * 2);
    char* out = result.data();
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const unsigned char byte = in[pos];
        if (byte < kFirstEscapedByte) {
            *out++ = static_cast<char>(byte);
            ++pos;
            continue;
        }
        char32_t codePoint = 0;
        const size_t length = Utf8SequenceLength(utf8, pos, codePoint);
        const Code code = length != 0 && codePoint <= kLastBmpCodePoint
                              ? CodeTables().encoded[codePoint]
                              : Code{0};
        if (code != 0) {
            if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
            *out++ = static_cast<char>(code & 0xFF);
            pos += length;
            continue;
        }
        // Not written as CP932: carry the bytes themselves, the whole
        // sequence when it was valid UTF-8, else the one bad byte.
        const size_t carried = length != 0 ? length : 1;
        for (size_t i = 0; i < carried; ++i)
            out = WriteEscape(in[pos + i], out);
        pos += carried;
    }
    result.resize(static_cast<size_t>(out - result.data()));
}

std::string Cp932ToUtf8(std::string_view cp932) {
    bool sawBadByte = false;
    return Decode(cp932, sawBadByte);
}

std::optional<std::string> FileSystemName(std::string_view cp932) {
    bool sawBadByte = false;
    std::string name = Decode(cp932, sawBadByte);
    if (sawBadByte) return std::nullopt;
    return name;
}

} // namespace platform
