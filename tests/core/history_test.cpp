#include "core/combohistory.h"
#include "core/filterlist.h"

#include <gtest/gtest.h>

namespace {

using tamble::HistoryList;

TEST(ComboHistory, Push) {
    HistoryList full;
    for (int i = 0; i < tamble::kComboHistoryMax; ++i)
        full.push_back("e" + std::to_string(i));
    HistoryList fullWithNew = full;
    fullWithNew.insert(fullWithNew.begin(), "new");
    fullWithNew.pop_back();
    const struct {
        const char* name;
        HistoryList before;
        std::string text;
        bool result;
        HistoryList after;
    } cases[] = {
        {"empty text changes nothing", {"a", "b"}, "", false, {"a", "b"}},
        {"new text goes on top", {"a", "b"}, "c", true, {"c", "a", "b"}},
        {"known text moves to top", {"a", "b", "c"}, "c", true, {"c", "a", "b"}},
        {"already on top", {"a", "b"}, "a", true, {"a", "b"}},
        {"case differs: new entry", {"a"}, "A", true, {"A", "a"}},
        {"full list drops the oldest", full, "new", true, fullWithNew},
        {"full list, known entry: nothing drops", full, "e31", true, {}},
    };
    for (const auto& c : cases) {
        HistoryList list = c.before;
        EXPECT_EQ(tamble::PushComboHistory(list, c.text), c.result) << c.name;
        if (!c.after.empty()) {
            EXPECT_EQ(list, c.after) << c.name;
        }
        EXPECT_LE(list.size(), 32u) << c.name;
    }
}

TEST(ComboHistory, PushOfAnEntryOfTheListItself) {
    HistoryList list{"a", "b", "c"};
    tamble::PushComboHistory(list, list[2]);
    EXPECT_EQ(list, (HistoryList{"c", "a", "b"}));
}

TEST(ComboHistory, IsNewComboText) {
    const HistoryList list{"*.h", "*.c"};
    EXPECT_FALSE(tamble::IsNewComboText(list, ""));
    EXPECT_FALSE(tamble::IsNewComboText(list, "*.c"));
    EXPECT_TRUE(tamble::IsNewComboText(list, "*.C"));
    EXPECT_TRUE(tamble::IsNewComboText({}, "x"));
}

TEST(FilterList, AddUpdateDelete) {
    using tamble::FilterList;
    const FilterList start{"*.*", "*.c"};
    const struct {
        const char* name;
        bool (*operation)(FilterList&);
        bool result;
        FilterList after;
    } cases[] = {
        {"add new",
         [](FilterList& l) { return tamble::AddFilter(l, "*.h"); },
         true,
         {"*.*", "*.c", "*.h"}},
        {"add duplicate", [](FilterList& l) { return tamble::AddFilter(l, "*.c"); }, false, start},
        {"add differing case",
         [](FilterList& l) { return tamble::AddFilter(l, "*.C"); },
         true,
         {"*.*", "*.c", "*.C"}},
        {"add empty", [](FilterList& l) { return tamble::AddFilter(l, ""); }, false, start},
        {"update to empty",
         [](FilterList& l) { return tamble::UpdateFilter(l, 1, ""); },
         true,
         {"*.*", ""}},
        {"update to duplicate",
         [](FilterList& l) { return tamble::UpdateFilter(l, 1, "*.*"); },
         true,
         {"*.*", "*.*"}},
        {"update without selection", [](FilterList& l) { return tamble::UpdateFilter(l, -1, "x"); },
         false, start},
        {"update past the end", [](FilterList& l) { return tamble::UpdateFilter(l, 2, "x"); },
         false, start},
        {"delete", [](FilterList& l) { return tamble::DeleteFilter(l, 0); }, true, {"*.c"}},
        {"delete without selection", [](FilterList& l) { return tamble::DeleteFilter(l, -1); },
         false, start},
    };
    for (const auto& c : cases) {
        FilterList list = start;
        EXPECT_EQ(c.operation(list), c.result) << c.name;
        EXPECT_EQ(list, c.after) << c.name;
    }
}

} // namespace
