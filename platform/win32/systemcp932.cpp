#include "systemcp932.h"

#include <windows.h>

namespace platform {
namespace {

// Code page 932 by number: the ANSI code page of the machine may be another.
constexpr UINT kCodePage932 = 932;

} // namespace

bool WithSystemCp932Reader(const std::function<void(const SystemCp932Reader&)>& use) {
    if (!IsValidCodePage(kCodePage932)) return false;
    use([](std::string_view code) -> std::string {
        // A code is at most one character, which may come as two UTF-16
        // units; anything longer is refused by the buffer sizes.
        wchar_t wide[4];
        const int units = MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, code.data(),
                                              static_cast<int>(code.size()), wide, 4);
        if (units <= 0) return "";
        char utf8[8];
        const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, units, utf8,
                                              static_cast<int>(sizeof utf8), nullptr, nullptr);
        if (bytes <= 0) return "";
        return std::string(utf8, static_cast<size_t>(bytes));
    });
    return true;
}

} // namespace platform
