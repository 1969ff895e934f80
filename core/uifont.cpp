#include "core/uifont.h"

#include <algorithm>

namespace tamble {
namespace {

// Always asked for, installed or not.
constexpr const char* kFirstFamilies[] = {"ＭＳ Ｐゴシック", "IPAPGothic"};
// Installed ones come before any other Japanese font: proportional gothic
// faces whose look and width are nearest to the Windows font.
constexpr const char* kPreferredFamilies[] = {
    "IPAGothic",    "Noto Sans CJK JP", "Noto Sans JP",        "Source Han Sans JP",
    "TakaoPGothic", "VL PGothic",       "Droid Sans Japanese",
};

} // namespace

std::vector<std::string> UiFontFamilies(const std::vector<std::string>& installedJapanese) {
    std::vector<std::string> families(std::begin(kFirstFamilies), std::end(kFirstFamilies));
    const auto add = [&families](const std::string& family) {
        if (!family.empty() &&
            std::find(families.begin(), families.end(), family) == families.end())
            families.push_back(family);
    };
    for (const char* preferred : kPreferredFamilies) {
        if (std::find(installedJapanese.begin(), installedJapanese.end(), preferred) !=
            installedJapanese.end())
            add(preferred);
    }
    for (const std::string& family : installedJapanese)
        add(family);
    return families;
}

} // namespace tamble
