#include "cclinifile.h"

#include "strbasic.h"
#include "strcompare.h"
#include "stredit.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

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
        if (p == text || p[-1] == ' ' || p[-1] == '\t') return p - text;
        ++p;
    }
    return std::strlen(text);
}

// A value is stored on one line: line breaks would start new entries.
std::string OneLine(const char* text) {
    std::string line = text ? text : "";
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

// "[name]". Built by appending: gcc 12 warns falsely on "[" + std::string.
std::string HeaderLine(const std::string& name) {
    std::string line = "[";
    line += name;
    line += ']';
    return line;
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
    StrCopyN(lineText_, lines_->Text(index), sizeof lineText_ - 1);
    lineText_[CommentOffset(lineText_)] = '\0';
    StrTrim(lineText_, " \t", 0, 0);
    return lineText_;
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
    const char* text = LineText(line);
    const char* equals = std::strchr(text, '=');
    char value[textlib::kLineScratch];
    CopyTrimmed(equals + 1, std::strlen(equals + 1), value, sizeof value);
    return CCLString(value);
}

int32_t CCLIniFile::ReadInt(const char* section, const char* key, int32_t defaultValue) {
    const CCLString value = ReadString(section, key, nullptr);
    return value.Text() ? value.ToInt() : defaultValue;
}

bool CCLIniFile::ReadBool(const char* section, const char* key, bool defaultValue) {
    return ReadInt(section, key, defaultValue ? 1 : 0) != 0;
}

void CCLIniFile::WriteString(const char* section, const char* key, const char* value,
                             const char* comment) {
    std::string line = OneLine(key) + "=" + OneLine(value);
    if (comment) line += " #" + OneLine(comment);

    const int32_t header = FindSection(section);
    if (header < 0) {
        lines_->Add(HeaderLine(OneLine(section)).c_str());
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
    const char* oldComment = rawText + CommentOffset(rawText);
    if (!comment && oldComment[0] && oldComment[1]) line += std::string(" #") + (oldComment + 1);
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
            if (sort) entries->SortByText(0);
            for (int32_t e = 0; e < entries->Count(); ++e)
                output.Add(entries->Text(e));
        }
        output.Add(nullptr);
    }
    return output.SaveToFile(path, 0);
}
