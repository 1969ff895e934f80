// The code page conversion must carry every byte string through
// UTF-8 -> CP932 -> UTF-8 unchanged (file names are arbitrary bytes), never
// turn a name into an empty text or add or remove a path separator, and
// settle after one round when the input is CP932.
#include "fuzz/fuzzsupport.h"
#include "platform/codepage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// How many of the single-byte characters of CP932 text are c (the second
// byte of a double-byte character may be "\" without being one).
size_t CountCp932Chars(std::string_view cp932, char c) {
    size_t count = 0;
    for (size_t i = 0; i < cp932.size(); ++i) {
        if (IsCp932Lead(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size()) {
            ++i;
        } else if (cp932[i] == c) {
            ++count;
        }
    }
    return count;
}

size_t CountBytes(std::string_view text, char c) {
    size_t count = 0;
    for (const char b : text)
        count += b == c;
    return count;
}

void CheckUtf8RoundTrip(std::string_view utf8) {
    const std::string cp932 = platform::Utf8ToCp932(utf8);
    const std::string back = platform::Cp932ToUtf8(cp932);
    fuzz::Check(back == utf8, "UTF-8 -> CP932 -> UTF-8 changed [" + fuzz::Shown(utf8) + "] into [" +
                                  fuzz::Shown(back) + "] via [" + fuzz::Shown(cp932) + "]");
    fuzz::Check(utf8.empty() || !cp932.empty(),
                "[" + fuzz::Shown(utf8) + "] became an empty CP932 text");
    for (const char separator : {'/', '\\', '\0'}) {
        fuzz::Check(CountCp932Chars(cp932, separator) == CountBytes(utf8, separator),
                    "[" + fuzz::Shown(utf8) + "] gained or lost a [" +
                        fuzz::Shown(std::string_view(&separator, 1)) + "] in CP932 [" +
                        fuzz::Shown(cp932) + "]");
    }
}

void CheckCp932Settles(std::string_view cp932) {
    const std::string utf8 = platform::Cp932ToUtf8(cp932);
    const std::string again = platform::Cp932ToUtf8(platform::Utf8ToCp932(utf8));
    fuzz::Check(again == utf8, "CP932 [" + fuzz::Shown(cp932) + "] read as [" + fuzz::Shown(utf8) +
                                   "] but after one more round as [" + fuzz::Shown(again) + "]");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    CheckUtf8RoundTrip(bytes);
    CheckCp932Settles(bytes);
    return 0;
}
