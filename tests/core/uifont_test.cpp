#include "core/uifont.h"

#include <gtest/gtest.h>

namespace {

using Families = std::vector<std::string>;

TEST(UiFont, JapaneseFallbackOrder) {
    const struct {
        const char* name;
        Families installed;
        Families expected;
    } cases[] = {
        {"no Japanese font", {}, {"ＭＳ Ｐゴシック", "IPAPGothic"}},
        {"IPA fonts", {"IPAGothic", "IPAPGothic"}, {"ＭＳ Ｐゴシック", "IPAPGothic", "IPAGothic"}},
        {"only Noto and a serif face",
         {"Noto Serif CJK JP", "Noto Sans CJK JP"},
         {"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP", "Noto Serif CJK JP"}},
        {"preferred order whatever the given order",
         {"VL PGothic", "Some Font", "TakaoPGothic"},
         {"ＭＳ Ｐゴシック", "IPAPGothic", "TakaoPGothic", "VL PGothic", "Some Font"}},
        {"duplicates and empty names",
         {"Some Font", "", "Some Font", "ＭＳ Ｐゴシック"},
         {"ＭＳ Ｐゴシック", "IPAPGothic", "Some Font"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tamble::UiFontFamilies(c.installed), c.expected);
    }
}

} // namespace
