#include "launcher/launcheritems.h"

#include "platform/codepage.h"
#include "textlib/strbasic.h"
#include "textlib/textfile.h"

#include <filesystem>
#include <map>

namespace tamble {
namespace {

constexpr const char* kCountKey = "ItemNum";
constexpr const char* kNameKey = "ItemName";
constexpr const char* kFileNameKey = "ItemFileName";
constexpr const char* kParametersKey = "ItemPara";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(CharToLower(c));
    return lower;
}

// A value as written: taken verbatim, so that blanks and quotes that are
// part of a parameter text survive; only cut to kItemValueMax bytes, without
// leaving half a double-byte character.
std::string ProfileValue(std::string_view value) {
    if (value.size() <= kItemValueMax) return std::string(value);
    size_t cut = 0;
    while (cut < kItemValueMax) {
        const size_t step = IsLeadByte(value[cut]) ? 2 : 1;
        if (cut + step > kItemValueMax) break;
        cut += step;
    }
    return std::string(value.substr(0, cut));
}

// The entries of the section, keys in lower case; the first of equal keys wins.
std::map<std::string, std::string> SectionEntries(std::string_view text) {
    std::map<std::string, std::string> entries;
    bool inSection = false;
    const std::string section = Lower(kItemSection);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const size_t close = trimmed.find(']');
            inSection = close != std::string_view::npos &&
                        Lower(Trim(trimmed.substr(1, close - 1))) == section;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        entries.try_emplace(Lower(Trim(line.substr(0, equals))),
                            ProfileValue(line.substr(equals + 1)));
    }
    return entries;
}

std::string Lookup(const std::map<std::string, std::string>& entries, const char* key, int n) {
    const auto found = entries.find(Lower(key + std::to_string(n)));
    return found == entries.end() ? std::string() : found->second;
}

// Line breaks would split a value into lines the reader takes for keys.
std::string OneLine(std::string value) {
    for (char& c : value) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return value;
}

} // namespace

int32_t ReadProfileInt(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    uint32_t base = 10;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint32_t value = 0; // wraps like the reader it replaces
    for (const char c : text) {
        uint32_t digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (base == 16 && CharToLower(c) >= 'a' && CharToLower(c) <= 'f') {
            digit = static_cast<uint32_t>(CharToLower(c) - 'a' + 10);
        } else {
            break;
        }
        value = value * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

LauncherItemList ParseItemFile(std::string_view text) {
    const std::map<std::string, std::string> entries = SectionEntries(text);
    const auto countEntry = entries.find(Lower(kCountKey));
    int32_t count = countEntry == entries.end() ? 0 : ReadProfileInt(countEntry->second);
    if (count < 0) count = 0;
    if (count > kItemCountLimit) count = kItemCountLimit;
    LauncherItemList items;
    items.reserve(static_cast<size_t>(count));
    for (int n = 0; n < count; ++n) {
        items.push_back({Lookup(entries, kNameKey, n), Lookup(entries, kFileNameKey, n),
                         Lookup(entries, kParametersKey, n)});
    }
    return items;
}

std::string FormatItemFile(const LauncherItemList& items) {
    std::string text = "[" + std::string(kItemSection) + "]\n";
    text += std::string(kCountKey) + "=" + std::to_string(items.size()) + "\n";
    for (size_t n = 0; n < items.size(); ++n) {
        const std::string number = std::to_string(n);
        text += kNameKey + number + "=" + OneLine(items[n].name) + "\n";
        text += kFileNameKey + number + "=" + OneLine(items[n].fileName) + "\n";
        text += kParametersKey + number + "=" + OneLine(items[n].parameters) + "\n";
    }
    return text;
}

LauncherItemList LoadItemFile(const char* path) {
    return ReadItemFile(path).items;
}

ItemFileContents ReadItemFile(const char* path) {
    using Source = ItemFileContents::Source;
    std::string text;
    if (path == nullptr) return {{}, Source::Failed};
    if (ReadTextFile(path, text)) return {ParseItemFile(text), Source::File};
    // Only a file that is surely not there is no list; an error in asking
    // (a folder that cannot be searched) may hide a good one.
    std::error_code error;
    const bool exists = std::filesystem::exists(TextFileNativePath(path), error);
    return {{}, !exists && !error ? Source::Missing : Source::Failed};
}

bool SaveItemFile(const char* path, const LauncherItemList& items) {
    return WriteTextFileAtomically(path, FormatItemFile(items));
}

ItemTextFault FindItemTextFault(std::string_view text) {
    if (!IsOneLineText(text)) return ItemTextFault::LineBreak;
    return text.size() > kItemValueMax ? ItemTextFault::TooLong : ItemTextFault::None;
}

std::string ItemFaultMessage(const LauncherItem& item) {
    using platform::Cp932;
    const std::pair<const char*, const std::string*> fields[] = {
        {"名前", &item.name}, {"ファイル名", &item.fileName}, {"パラメータ", &item.parameters}};
    for (const auto& [label, text] : fields) {
        const ItemTextFault fault = FindItemTextFault(*text);
        if (fault == ItemTextFault::None) continue;
        const std::string field = Cp932("「") + Cp932(label) + Cp932("」");
        if (fault == ItemTextFault::LineBreak) return field + Cp932("に改行は使えません");
        return field + Cp932("が長すぎます (") + std::to_string(kItemValueMax) +
               Cp932(" バイトまで)");
    }
    return {};
}

bool ItemDialogCanAccept(const std::string& name, const std::string& fileName) {
    return !name.empty() && !fileName.empty();
}

} // namespace tamble
