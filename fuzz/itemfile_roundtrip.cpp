// item.lst: the items written are the items read back, in memory and
// through a saved file (CR LF on disk). Values lose only what the file
// cannot hold: a line break becomes a blank, and a value is cut to
// kItemValueMax bytes.
// Input: a first byte whose lowest bit picks the source of the items: the
// items that the rest, read as an item.lst, gives; or items built from the
// rest, three NUL-separated texts (name, file, parameters) per item.
#include "fuzz/fuzzsupport.h"
#include "launcher/launcheritems.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tamble::LauncherItem;
using tamble::LauncherItemList;

// More items than this make a slow input without reaching new code.
constexpr size_t kMostItems = 512;

std::string Shown(const LauncherItemList& items) {
    std::string shown = std::to_string(items.size()) + " items:";
    for (const LauncherItem& item : items) {
        shown += " [" + fuzz::Shown(item.name) + "|" + fuzz::Shown(item.fileName) + "|" +
                 fuzz::Shown(item.parameters) + "]";
    }
    return shown;
}

std::string OneLine(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    return value;
}

// Whether read is what written becomes: the same with line breaks as
// blanks; a value longer than the file holds only needs to keep its start
// (the cut may stop one byte early, before half a double-byte character).
bool ReadsAs(const std::string& written, const std::string& read) {
    const std::string expected = OneLine(written);
    if (expected.size() <= tamble::kItemValueMax) return read == expected;
    return read.size() + 1 >= tamble::kItemValueMax && read.size() <= tamble::kItemValueMax &&
           expected.compare(0, read.size(), read) == 0;
}

bool ReadsAs(const LauncherItemList& written, const LauncherItemList& read) {
    if (written.size() != read.size()) return false;
    for (size_t i = 0; i < written.size(); ++i) {
        if (!ReadsAs(written[i].name, read[i].name) ||
            !ReadsAs(written[i].fileName, read[i].fileName) ||
            !ReadsAs(written[i].parameters, read[i].parameters))
            return false;
    }
    return true;
}

void CheckRoundTrip(const LauncherItemList& items) {
    const std::string text = tamble::FormatItemFile(items);
    const LauncherItemList again = tamble::ParseItemFile(text);
    fuzz::Check(ReadsAs(items, again), Shown(items) + " written as [" + fuzz::Shown(text) +
                                           "] read back as " + Shown(again));

    const std::string path = fuzz::ScratchFolder() + "/" + tamble::kItemFileName;
    fuzz::Check(tamble::SaveItemFile(path.c_str(), items), "cannot save " + path);
    const LauncherItemList loaded = tamble::LoadItemFile(path.c_str());
    fuzz::Check(ReadsAs(items, loaded),
                Shown(items) + " saved to a file loaded back as " + Shown(loaded));
}

LauncherItemList BuildItems(const std::vector<std::string>& texts) {
    LauncherItemList items;
    for (size_t i = 0; i + 2 < texts.size() && items.size() < kMostItems; i += 3)
        items.push_back({texts[i], texts[i + 1], texts[i + 2]});
    return items;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string_view rest = fuzz::AsText(data + 1, size - 1);
    const LauncherItemList items =
        (data[0] & 1) ? BuildItems(fuzz::SplitAtNul(rest)) : tamble::ParseItemFile(rest);
    if (items.size() > kMostItems) return 0;
    CheckRoundTrip(items);
    return 0;
}
