#include "textlib/cclinifile.h"

#include "textlib/strbasic.h"
#include "textlib/strcompare.h"
#include "textlib/stredit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Copies text[0, n) trimmed of blanks and tabs into out (size bytes, cut).
void CopyTrimmed(const char* text, size_t n, char* out, size_t size) {
    if (n > size - 1) n = size - 1;
    std::memcpy(out, text, n);
    out[n] = '\0';
    StrTrim(out, " \t", 0, 0);
}

// Key of an entry line text into key (kIniKeyMax bytes); false when the
// line has no "=" and so can never be looked up.
bool EntryKey(const char* lineText, char* key) {
    const char* equals = std::strchr(lineText, '=');
    if (!equals) return false;
    CopyTrimmed(lineText, equals - lineText, key, textlib::kIniKeyMax);
    return true;
}

// Offset of the comment of a line (its length when it has none): a "#" at
// the start or after a blank or tab. A "#" inside a word ("C:\C#\ed.exe")
// belongs to the value, so such paths survive a save and a load.
size_t CommentOffset(const char* text) {
    const char* p = text;
    while ((p = std::strchr(p, '#')) != nullptr) {
        if (p == text || IsBlank(p[-1])) return p - text;
        ++p;
    }
    return std::strlen(text);
}

// Length of the quoted value that starts at open (a double quote), both
// quotes included, or 0 when the value is not in quoted form. The closing
// quote is the first one that ends the value (only blanks, or blanks and a
// comment, follow) and whose inner text could not have been written bare:
// it starts or ends with a blank or tab, holds a comment start, or itself
// starts and ends with a double quote. Any other quoted text is an ordinary
// value, quotes included, as files written before quoting existed hold it.
// Double quotes, blanks and "#" are never the second byte of a double-byte
// character, so the byte-wise scan is safe. Linear in the text's length.
size_t QuotedLength(const char* open) {
    const char* inner = open + 1;
    bool holdsComment = false;
    for (const char* p = inner; *p; ++p) {
        if (*p == '#' && p > inner && IsBlank(p[-1])) holdsComment = true;
        if (*p != '"' || p == inner) continue;
        const char* after = p + 1;
        while (IsBlank(*after))
            ++after;
        const bool endsValue = *after == '\0' || (*after == '#' && after > p + 1);
        const bool needed = IsBlank(inner[0]) || IsBlank(p[-1]) || holdsComment ||
                            (p - inner >= 2 && inner[0] == '"' && p[-1] == '"');
        if (endsValue && needed) return p - open + 1;
    }
    return 0;
}

// Offset of the comment of a line whose value may be quoted: a comment start
// inside the quotes of a quoted value belongs to the value.
size_t EntryCommentOffset(const char* text) {
    const size_t plain = CommentOffset(text);
    const char* equals = std::strchr(text, '=');
    if (!equals || static_cast<size_t>(equals - text) >= plain) return plain;
    const char* value = equals + 1;
    while (IsBlank(*value))
        ++value;
    const size_t quoted = *value == '"' ? QuotedLength(value) : 0;
    if (quoted == 0) return plain;
    const char* after = value + quoted;
    while (IsBlank(*after))
        ++after;
    return after - text;
}

// The line text of raw (comment cut, trimmed) in scratch (kLineScratch bytes).
const char* LineTextOf(const char* raw, char* scratch) {
    StrCopyN(scratch, raw, textlib::kLineScratch - 1);
    scratch[EntryCommentOffset(scratch)] = '\0';
    StrTrim(scratch, " \t", 0, 0);
    return scratch;
}

// Value of an entry line text: after the first "=", trimmed, one pair of
// quotes taken off a quoted value.
std::string EntryValue(const char* lineText) {
    const char* equals = std::strchr(lineText, '=');
    char value[textlib::kLineScratch];
    CopyTrimmed(equals + 1, std::strlen(equals + 1), value, sizeof value);
    const size_t length = std::strlen(value);
    if (value[0] == '"' && QuotedLength(value) == length) return std::string(value + 1, length - 2);
    return value;
}

// True when line, an entry line as WriteString builds it, reads back as an
// entry of exactly key and value.
bool ReadsBack(const std::string& line, const char* key, const char* value) {
    char scratch[textlib::kLineScratch];
    const char* text = LineTextOf(line.c_str(), scratch);
    char name[textlib::kIniKeyMax];
    return text[0] != '[' && EntryKey(text, name) && std::strcmp(name, key) == 0 &&
           EntryValue(text) == value;
}

bool HoldsLineBreak(const char* text) {
    return std::strpbrk(text, "\r\n") != nullptr;
}

// A comment is never read back, so a line break in it becomes a blank
// rather than refusing the write.
std::string OneLine(const char* text) {
    std::string line = text;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

// The entry line for key and value: bare when that reads back, else with the
// value between double quotes when that does; comment (may be null) follows
// as " #comment". False when neither form reads back or key or value holds a
// line break: the line would not give back what was written.
bool BuildEntryLine(const char* key, const char* value, const char* comment, std::string& line) {
    if (!key[0] || HoldsLineBreak(key) || HoldsLineBreak(value)) return false;
    const std::string tail = comment ? " #" + OneLine(comment) : std::string();
    for (const bool quoted : {false, true}) {
        line = key;
        line += '=';
        if (quoted) line += '"';
        line += value;
        if (quoted) line += '"';
        line += tail;
        if (ReadsBack(line, key, value)) return true;
    }
    return false;
}

// "[name]". Built by appending: gcc 12 warns falsely on "[" + std::string.
std::string HeaderLine(const std::string& name) {
    std::string line = "[";
    line += name;
    line += ']';
    return line;
}

// What orders an entry line text on a save: its key as lookups see it, and
// "=" (the whole text when it has no "="). Entries of different keys order
// as their texts would if written "key=value"; entries of one key compare
// equal, so a stable sort keeps the first of them, the one lookups find, first.
std::string SortKey(const char* lineText) {
    char key[textlib::kIniKeyMax];
    if (!EntryKey(lineText, key)) return lineText;
    return std::string(key) + '=';
}

} // namespace

CCLIniFile::CCLIniFile(const char* path, uint32_t mode) {
    Open(path, mode);
}

CCLIniFile::~CCLIniFile() {
    Close();
}

void CCLIniFile::Open(const char* path, uint32_t mode) {
    if (!lines_) lines_ = new CCLStringList;
    lines_->Clear();
    if (!path) return;
    path_.Set(path);
    mode_ = mode;
    if (mode & CCLINI_LOAD) lines_->LoadFromFile(path, CCLSL_RELOAD);
}

void CCLIniFile::Close() {
    if (!lines_) return;
    if (mode_ & CCLINI_SAVE) Save(path_.Text(), true);
    delete lines_;
    lines_ = nullptr;
}

const char* CCLIniFile::LineText(int32_t index) {
    return LineTextOf(lines_->Text(index), lineText_);
}

bool CCLIniFile::HeaderName(const char* lineText, char* name) const {
    if (lineText[0] != '[') return false;
    const char* close = std::strchr(lineText, ']');
    if (!close) return false;
    CopyTrimmed(lineText + 1, close - lineText - 1, name, textlib::kIniSectionMax);
    return true;
}

int32_t CCLIniFile::NextHeader(int32_t after) {
    for (int32_t i = after + 1; i < lines_->Count(); ++i)
        if (LineText(i)[0] == '[') return i;
    return -1;
}

int32_t CCLIniFile::FindSection(const char* section) {
    if (!lines_ || StrLen(section) == 0) return -1;
    char name[textlib::kIniSectionMax];
    for (int32_t i = 0; i < lines_->Count(); ++i)
        if (HeaderName(LineText(i), name) && StrCompareNoCase(name, section) == 0) return i;
    return -1;
}

int32_t CCLIniFile::FindKey(const char* section, const char* key) {
    if (StrLen(key) == 0) return -1;
    const int32_t header = FindSection(section);
    if (header < 0) return -1;
    char name[textlib::kIniKeyMax];
    for (int32_t i = header + 1; i < lines_->Count(); ++i) {
        const char* text = LineText(i);
        if (text[0] == '[') break;
        if (EntryKey(text, name) && StrCompareNoCase(name, key) == 0) return i;
    }
    return -1;
}

CCLStringList* CCLIniFile::GetSection(const char* section) {
    const int32_t header = FindSection(section);
    if (header < 0) return nullptr;
    auto* entries = new CCLStringList;
    for (int32_t i = header + 1; i < lines_->Count(); ++i) {
        const char* text = LineText(i);
        if (text[0] == '[') break;
        if (text[0]) entries->Add(text);
    }
    if (entries->Count() > 0) return entries;
    delete entries;
    return nullptr;
}

CCLString CCLIniFile::ReadString(const char* section, const char* key, const char* defaultText) {
    const int32_t line = FindKey(section, key);
    if (line < 0) return CCLString(defaultText);
    return CCLString(EntryValue(LineText(line)).c_str());
}

int32_t CCLIniFile::ReadInt(const char* section, const char* key, int32_t defaultValue) {
    const CCLString value = ReadString(section, key, nullptr);
    return value.Text() ? value.ToInt() : defaultValue;
}

bool CCLIniFile::ReadBool(const char* section, const char* key, bool defaultValue) {
    return ReadInt(section, key, defaultValue ? 1 : 0) != 0;
}

bool CCLIniFile::WritableSection(const char* section) const {
    if (!section || !section[0] || HoldsLineBreak(section)) return false;
    char scratch[textlib::kLineScratch];
    char name[textlib::kIniSectionMax];
    return HeaderName(LineTextOf(HeaderLine(section).c_str(), scratch), name) &&
           std::strcmp(name, section) == 0;
}

void CCLIniFile::WriteString(const char* section, const char* key, const char* value,
                             const char* comment) {
    if (!lines_ || !key || !WritableSection(section)) return;
    if (!value) value = "";
    std::string line;
    if (!BuildEntryLine(key, value, comment, line)) return;

    const int32_t header = FindSection(section);
    if (header < 0) {
        lines_->Add(HeaderLine(section).c_str());
        lines_->Add(line.c_str());
        return;
    }
    const int32_t existing = FindKey(section, key);
    if (existing < 0) {
        const int32_t next = NextHeader(header);
        if (next < 0) {
            lines_->Add(line.c_str());
        } else {
            lines_->Insert(next, line.c_str());
        }
        return;
    }
    CCLString& raw = lines_->Items.Item(existing)->text;
    const char* rawText = raw.Text() ? raw.Text() : "";
    const char* oldComment = rawText + EntryCommentOffset(rawText);
    std::string withOldComment;
    if (!comment && oldComment[0] && oldComment[1] &&
        BuildEntryLine(key, value, oldComment + 1, withOldComment))
        line = withOldComment;
    raw.Set(line.c_str());
}

void CCLIniFile::WriteInt(const char* section, const char* key, int32_t value,
                          const char* comment) {
    WriteString(section, key, std::to_string(value).c_str(), comment);
}

void CCLIniFile::WriteBool(const char* section, const char* key, bool value, const char* comment) {
    WriteInt(section, key, value ? 1 : 0, comment);
}

int CCLIniFile::DeleteKey(const char* section, const char* key) {
    const int32_t line = FindKey(section, key);
    if (line < 0) return 1;
    lines_->Delete(line);
    std::unique_ptr<CCLStringList> rest(GetSection(section));
    if (!rest) lines_->Delete(FindSection(section));
    return 0;
}

int CCLIniFile::Save(const char* path, bool sort) {
    if (!lines_) return 0;
    CCLStringListBase output;
    char name[textlib::kIniSectionMax];
    for (int32_t i = 0; i < lines_->Count(); ++i) {
        if (!HeaderName(LineText(i), name)) continue;
        output.Add(HeaderLine(name).c_str());
        std::unique_ptr<CCLStringList> entries(GetSection(name));
        if (entries) {
            // Sorted by text, with the entries of one key kept in file order
            // so that the one lookups find stays the first.
            std::vector<std::pair<std::string, const char*>> order;
            for (int32_t e = 0; e < entries->Count(); ++e)
                order.emplace_back(SortKey(entries->Text(e)), entries->Text(e));
            if (sort)
                std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
                    return StrCompareNoCase(a.first.c_str(), b.first.c_str()) < 0;
                });
            for (const auto& entry : order)
                output.Add(entry.second);
        }
        output.Add(nullptr);
    }
    return output.SaveToFile(path, 0);
}
