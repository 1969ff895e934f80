// CCLIniFile: an INI-style settings file held as its lines in memory.
//
// Syntax: "[Section]" headers; "key = value" entries; a "#" at the start of
// a line or after a blank or tab starts a comment to the end of the line
// (so "C:\C#" is a value, "10 # x" is 10 and a comment). Keys and values are
// trimmed of blanks and tabs; section names and keys compare without regard
// to ASCII case. Lines before the first header, empty lines and comments
// belong to no entry. Lookups scan the lines from the top; of two entries
// of one key the first counts.
//
// Quoted values: a value between double quotes is read without them when
// the text inside could not stand bare, that is when it starts or ends with
// a blank or tab, holds a comment start, or itself starts and ends with a
// double quote: key=" padded " reads as " padded ", key="C #2" as "C #2".
// Any other quoted value reads as written, quotes included (key="$FILE"
// reads as "$FILE"), as it always has.
//
// Writes change only the lines in memory. Save (or Close with CCLINI_SAVE)
// rewrites the file in normal form: every section as "[name]", its entries
// (sorted, comments and spacing dropped), one empty line; CR LF line ends.
// Whatever WriteString accepts reads back exactly, in memory and after a
// save and a load.
#pragma once

#include "textlib/cclstring.h"
#include "textlib/cclstringlist.h"
#include "textlib/textlimits.h"

#include <cstdint>

inline constexpr uint32_t CCLINI_LOAD = 0x80000000; // load the file on Open
inline constexpr uint32_t CCLINI_SAVE = 0x40000000; // write the file on Close

class CCLIniFile {
public:
    // Opens path with mode (see Open).
    CCLIniFile(const char* path, uint32_t mode);
    CCLIniFile(const CCLIniFile&) = delete;
    CCLIniFile& operator=(const CCLIniFile&) = delete;
    // Close.
    virtual ~CCLIniFile();

    // --- Life cycle
    // Empties the lines (without saving); with a null path stops there. Else
    // remembers path and mode and, with CCLINI_LOAD, loads the file verbatim.
    // A missing or unreadable file leaves the store empty.
    void Open(const char* path, uint32_t mode);
    // With CCLINI_SAVE, Save(path, sorted); then drops the lines. Idempotent.
    void Close();
    // Writes the store to path in normal form, entries of each section
    // sorted by StrCompareNoCase of the whole line when sort is true; entries
    // of one key keep their order, so the first stays the one that counts.
    // The write is atomic. Returns 1 written, 0 not.
    int Save(const char* path, bool sort);

    // --- Looking up
    // Line index of the first header named section, or -1 (also for "").
    [[nodiscard]] int32_t FindSection(const char* section);
    // Line index of the first entry key in section, or -1 (also for "").
    [[nodiscard]] int32_t FindKey(const char* section, const char* key);
    // Copies of the entry line texts of section in file order, as a new list
    // the caller deletes; null when the section is missing or has none.
    [[nodiscard]] CCLStringList* GetSection(const char* section);

    // --- Reading
    // The value when the key exists (even if empty), else a copy of
    // defaultText (may be null: empty).
    [[nodiscard]] CCLString ReadString(const char* section, const char* key,
                                       const char* defaultText);
    // StrToInt of the value; defaultValue when the key is missing or empty.
    [[nodiscard]] int32_t ReadInt(const char* section, const char* key, int32_t defaultValue);
    // ReadInt != 0; defaultValue when missing or empty.
    [[nodiscard]] bool ReadBool(const char* section, const char* key, bool defaultValue);

    // --- Writing (in memory)
    // Sets key=value in section, adding the section at the end or the key at
    // the end of its section as needed. The value (null: empty) is written
    // bare, or between double quotes when it could not be read back bare
    // (see Quoted values). comment (may be null) is written as " #comment"
    // after the value, line breaks in it as blanks; without one, a comment
    // already on the line stays.
    // Does nothing (the store is unchanged) when the entry could not be read
    // back as written: an empty or null key or section; a key, value or
    // section holding CR or LF; a key that starts or ends with a blank or tab,
    // holds "=", starts with "[" or "#" or holds a comment start, or is longer
    // than kIniKeyMax - 1 bytes; a section name that holds "]" or a comment
    // start, starts or ends with a blank or tab, or is longer than
    // kIniSectionMax - 1 bytes; an entry line longer than kLineScratch - 1
    // bytes; a value holding a double quote that is followed by blanks and a
    // comment start where the text before that quote could not stand bare
    // (" a\" #b"). A key starting with ";" is an ordinary key.
    void WriteString(const char* section, const char* key, const char* value, const char* comment);
    // Plain decimal value; refused like WriteString.
    void WriteInt(const char* section, const char* key, int32_t value, const char* comment);
    // 1 or 0.
    void WriteBool(const char* section, const char* key, bool value, const char* comment);
    // Removes the entry, and the section header when no entry is left.
    // Returns 0 when deleted, 1 when the key was not found.
    int DeleteKey(const char* section, const char* key);

private:
    // Fills lineText_ with the line text of line index (comment cut, trimmed).
    const char* LineText(int32_t index);
    // Section name of a header line text, into name (kIniSectionMax bytes);
    // false when the line text is not a header naming a section.
    bool HeaderName(const char* lineText, char* name) const;
    // True when "[section]" reads back as a header of exactly section.
    bool WritableSection(const char* section) const;
    int32_t NextHeader(int32_t after);

    CCLStringList* lines_ = nullptr;
    CCLString path_;
    char lineText_[textlib::kLineScratch] = {};
    uint32_t mode_ = 0;
};
