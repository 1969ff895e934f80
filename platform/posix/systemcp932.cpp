#include "platform/systemcp932.h"

#include <iconv.h>

namespace platform {

bool WithSystemCp932Reader(const std::function<void(const SystemCp932Reader&)>& use) {
    const iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    use([converter](std::string_view code) -> std::string {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        char buffer[8];
        char* in = const_cast<char*>(code.data());
        size_t inLeft = code.size();
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) ||
            inLeft != 0)
            return "";
        return std::string(buffer, static_cast<size_t>(out - buffer));
    });
    iconv_close(converter);
    return true;
}

} // namespace platform
