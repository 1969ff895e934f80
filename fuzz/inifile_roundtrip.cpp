// The INI store: what it reads is what it reads again after a save, and
// every key and value it accepts is read back exactly, in memory and after
// a save. The store is loaded from a file, edited, saved, and loaded again;
// a model remembers what each (section, key) must read.
//
// Input: the file's bytes, then NUL-separated edits. An edit is an op byte
// (bits 0-1: 0 write, 1 write with a comment, 2 delete, 3 write; bits 2-4:
// the section) and key 0x01 value.
//
// Keys the store must accept: not empty, without "=", line breaks, blanks
// or tabs at either end, a leading "[", or a "#" that starts a comment.
// Keys with "=", a line break or a leading "[" must be refused (or at least
// leave every other entry as it was). Other keys are left alone.
#include "fuzz/fuzzsupport.h"
#include "textlib/cclinifile.h"
#include "textlib/strcompare.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kSections[] = {"Main", "MAIN", "Other", "Sub Section", "\x93\xfa\x96\x7b",
                                     "x",    "Main", "Other"};
constexpr size_t kLongestKey = 100;
// Room on a store line (kLineScratch - 1) for the key, "=", the value and
// whatever the store adds to write the value back exactly.
constexpr size_t kLongestEntry = 1000;
constexpr char kKeyValueSeparator = '\x01';

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

// What each (section, key) must read; sections and keys compare as the
// store compares them.
class Model {
public:
    void Set(const std::string& section, const std::string& key, const std::string& value) {
        if (Entry* entry = Find(section, key)) {
            entry->value = value;
        } else {
            entries_.push_back({section, key, value});
        }
    }
    void Forget(const std::string& section, const std::string& key) {
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (Same(entries_[i], section, key)) {
                entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
                return;
            }
        }
    }
    [[nodiscard]] bool Has(const std::string& section, const std::string& key) {
        return Find(section, key) != nullptr;
    }
    [[nodiscard]] const std::vector<Entry>& Entries() const { return entries_; }

private:
    static bool Same(const Entry& e, const std::string& section, const std::string& key) {
        return StrCompareNoCase(e.section.c_str(), section.c_str()) == 0 &&
               StrCompareNoCase(e.key.c_str(), key.c_str()) == 0;
    }
    Entry* Find(const std::string& section, const std::string& key) {
        for (Entry& e : entries_)
            if (Same(e, section, key)) return &e;
        return nullptr;
    }

    std::vector<Entry> entries_;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

bool StartsComment(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '#' && (i == 0 || IsBlank(text[i - 1]))) return true;
    return false;
}

enum class KeyKind { Accepted, Refused, Other };

KeyKind Classify(const std::string& key) {
    if (key.find_first_of("=\r\n") != std::string::npos || Trimmed(key).rfind('[', 0) == 0)
        return KeyKind::Refused;
    if (key.empty() || key.size() > kLongestKey || IsBlank(key.front()) || IsBlank(key.back()) ||
        StartsComment(key))
        return KeyKind::Other;
    return KeyKind::Accepted;
}

bool ValueFits(const std::string& key, const std::string& value) {
    return value.find_first_of("\r\n") == std::string::npos &&
           key.size() + 1 + value.size() <= kLongestEntry;
}

std::string Read(CCLIniFile& store, const Entry& e) {
    if (store.FindKey(e.section.c_str(), e.key.c_str()) < 0) return "<missing>";
    const CCLString value = store.ReadString(e.section.c_str(), e.key.c_str(), nullptr);
    return value.Text() ? value.Text() : "";
}

// The model starts with what the loaded store reads for the keys of its
// entry lines in the sections the edits use.
void LearnLoadedEntries(CCLIniFile& store, Model& model) {
    for (const char* section : kSections) {
        std::unique_ptr<CCLStringList> lines(store.GetSection(section));
        for (int32_t i = 0; lines && i < lines->Count(); ++i) {
            const std::string_view line = lines->Text(i) ? lines->Text(i) : "";
            const size_t equals = line.find('=');
            if (equals == std::string_view::npos) continue;
            const std::string key = Trimmed(line.substr(0, equals));
            if (key.empty() || model.Has(section, key)) continue;
            Entry entry{section, key, {}};
            entry.value = Read(store, entry);
            if (entry.value != "<missing>") model.Set(section, key, entry.value);
        }
    }
}

void Edit(CCLIniFile& store, Model& model, const std::string& edit) {
    if (edit.empty()) return;
    const auto op = static_cast<unsigned char>(edit[0]);
    const std::string section = kSections[(op >> 2) % std::size(kSections)];
    const std::string body = edit.substr(1);
    const size_t separator = body.find(kKeyValueSeparator);
    const std::string key = body.substr(0, separator);
    const std::string value = separator == std::string::npos ? "" : body.substr(separator + 1);
    const KeyKind kind = Classify(key);
    if (kind == KeyKind::Other) return;

    if ((op & 3) == 2) {
        store.DeleteKey(section.c_str(), key.c_str());
        model.Forget(section, key);
        return;
    }
    store.WriteString(section.c_str(), key.c_str(), value.c_str(),
                      (op & 3) == 1 ? "note" : nullptr);
    if (kind != KeyKind::Accepted) return;
    if (ValueFits(key, value)) {
        model.Set(section, key, value);
    } else {
        model.Forget(section, key);
    }
}

void CheckReads(CCLIniFile& store, const Model& model, const char* when, const std::string& file) {
    for (const Entry& e : model.Entries()) {
        const std::string read = Read(store, e);
        fuzz::Check(read == e.value, std::string(when) + ": [" + fuzz::Shown(e.section) + "] " +
                                         fuzz::Shown(e.key) + " reads [" + fuzz::Shown(read) +
                                         "], not [" + fuzz::Shown(e.value) + "]; file [" +
                                         fuzz::Shown(file) + "]");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = fuzz::SplitAtNul(fuzz::AsText(data, size));
    const std::string path = fuzz::WriteScratchFile("settings.ini", parts[0]);
    const std::string savedPath = fuzz::ScratchFolder() + "/saved.ini";
    const std::string resavedPath = fuzz::ScratchFolder() + "/resaved.ini";

    Model model;
    CCLIniFile store(path.c_str(), CCLINI_LOAD);
    LearnLoadedEntries(store, model);
    for (size_t i = 1; i < parts.size(); ++i)
        Edit(store, model, parts[i]);
    CheckReads(store, model, "in memory", parts[0]);

    fuzz::Check(store.Save(savedPath.c_str(), true) == 1, "cannot save " + savedPath);
    const std::string saved = fuzz::ReadWholeFile(savedPath);
    CCLIniFile reloaded(savedPath.c_str(), CCLINI_LOAD);
    CheckReads(reloaded, model, "after a save", saved);

    // A saved file is in normal form: saving what it reads changes no byte.
    fuzz::Check(reloaded.Save(resavedPath.c_str(), true) == 1, "cannot save " + resavedPath);
    const std::string resaved = fuzz::ReadWholeFile(resavedPath);
    fuzz::Check(resaved == saved, "saving a saved file again changed [" + fuzz::Shown(saved) +
                                      "] into [" + fuzz::Shown(resaved) + "]");
    return 0;
}
