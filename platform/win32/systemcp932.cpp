#include "platform/systemcp932.h"

#include <windows.h>

namespace platform {
namespace {

// Code page 932 by number: the ANSI code page of the machine may be another.
constexpr UINT kCodePage932 = 932;

// Windows reads the single bytes that CP932 leaves undefined (0x80, 0xA0,
// 0xFD-0xFF) as U+0080 and U+F8F0-U+F8F3 instead of refusing them; they are
// refused here, so that such a byte is a bad byte as on every other system
// and a name holding one is never taken for a real file name.
bool IsUndefinedSingleByte(std::string_view code, const wchar_t* wide, int units) {
    return code.size() == 1 && units == 1 &&
           (wide[0] == 0x80 || (wide[0] >= 0xF8F0 && wide[0] <= 0xF8F3));
}

} // namespace

bool WithSystemCp932Reader(const std::function<void(const SystemCp932Reader&)>& use) {
    if (!IsValidCodePage(kCodePage932)) return false;
    use([](std::string_view code) -> std::string {
        // A code is at most one character, which may come as two UTF-16
        // units; anything longer is refused by the buffer sizes.
        wchar_t wide[4];
        const int units = MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, code.data(),
                                              static_cast<int>(code.size()), wide, 4);
        if (units <= 0 || IsUndefinedSingleByte(code, wide, units)) return "";
        char utf8[8];
        const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, units, utf8,
                                              static_cast<int>(sizeof utf8), nullptr, nullptr);
        if (bytes <= 0) return "";
        return std::string(utf8, static_cast<size_t>(bytes));
    });
    return true;
}

} // namespace platform
