#include "platform/nativepath.h"

#include "platform/codepage.h"
#include "platform/widename.h"

#include <optional>

namespace platform {

#ifdef _WIN32

namespace {

std::filesystem::path FromUnits(const std::optional<std::u16string>& wide) {
    if (!wide) return {};
    return std::filesystem::path(std::wstring(wide->begin(), wide->end()));
}

} // namespace

std::filesystem::path NativePath(std::string_view cp932) {
    return FromUnits(Cp932NameToWide(cp932));
}

std::filesystem::path PathOfText(std::string_view native) {
    return FromUnits(GeneralizedUtf8ToWide(native));
}

std::string TextOfPath(const std::filesystem::path& path) {
    const std::wstring& units = path.native();
    return WideToGeneralizedUtf8(std::u16string(units.begin(), units.end()));
}

#else

std::filesystem::path NativePath(std::string_view cp932) {
    const std::optional<std::string> name = FileSystemName(cp932);
    return name ? std::filesystem::path(*name) : std::filesystem::path();
}

std::filesystem::path PathOfText(std::string_view native) {
    return std::filesystem::path(native);
}

std::string TextOfPath(const std::filesystem::path& path) {
    return path.native();
}

#endif

} // namespace platform
