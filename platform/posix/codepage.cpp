// CP932 <-> UTF-8 through glibc iconv, one character at a time, so that a
// character iconv refuses is escaped on its own instead of failing the text.
#include "codepage.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

constexpr unsigned char kFirstEscapedByte = 0x80;    // only non-ASCII bytes need carrying
constexpr int kLowTrailCount = 0x7F - 0x40;          // trail bytes 0x40..0x7E
constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One converter per direction, opened on first use and kept: opening is
// far dearer than converting a short text.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of in and appends it to out; false when iconv refuses it.
    bool Convert(std::string_view in, std::string& out) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
            inLeft != 0) {
            return false;
        }
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        return true;
    }

private:
    iconv_t handle_;
};

Converter& ToCp932() {
    static Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& ToUtf8() {
    static Converter converter("UTF-8", "CP932");
    return converter;
}

void AppendEscape(unsigned char byte, std::string& out) {
    const int index = byte - kFirstEscapedByte;
    const int trail = index < kLowTrailCount ? 0x40 + index : 0x80 + (index - kLowTrailCount);
    out.push_back(static_cast<char>(kEscapeLead));
    out.push_back(static_cast<char>(trail));
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

// Length of the valid UTF-8 sequence at text[pos], or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view text, size_t pos, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[pos]);
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
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF) return 0;
    return length;
}

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < kFirstEscapedByte) {
            out.push_back(static_cast<char>(byte));
            ++pos;
            continue;
        }
        char32_t codePoint = 0;
        const size_t length = Utf8SequenceLength(utf8, pos, codePoint);
        const bool privateUse = codePoint >= 0xE000 && codePoint <= 0xF8FF;
        if (length != 0 && !privateUse && ToCp932().Convert(utf8.substr(pos, length), out)) {
            pos += length;
            continue;
        }
        // Not representable: carry the bytes themselves, the whole sequence
        // when it was valid UTF-8, else the one bad byte.
        const size_t carried = length != 0 ? length : 1;
        for (size_t i = 0; i < carried; ++i) {
            AppendEscape(static_cast<unsigned char>(utf8[pos + i]), out);
        }
        pos += carried;
    }
    return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    size_t pos = 0;
    while (pos < cp932.size()) {
        const auto byte = static_cast<unsigned char>(cp932[pos]);
        if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
            ++pos;
            continue;
        }
        if (IsCp932LeadByte(byte) && pos + 1 < cp932.size()) {
            const auto trail = static_cast<unsigned char>(cp932[pos + 1]);
            const int escaped = byte == kEscapeLead ? EscapedByte(trail) : -1;
            if (escaped >= 0) {
                out.push_back(static_cast<char>(escaped));
                pos += 2;
                continue;
            }
            if (ToUtf8().Convert(cp932.substr(pos, 2), out)) {
                pos += 2;
                continue;
            }
        } else if (!IsCp932LeadByte(byte) && ToUtf8().Convert(cp932.substr(pos, 1), out)) {
            ++pos; // half-width katakana
            continue;
        }
        out += kReplacement;
        ++pos;
    }
    return out;
}

} // namespace platform
