// Ordered lists of text lines: CCLStringListBase (build, split, load, save,
// sort) and CCLStringList (adds comment stripping, line clean-up and
// conditional directives while loading).
#pragma once

#include "textlib/cclstring.h"
#include "textlib/linklist.h"
#include "textlib/textlimits.h"

#include <cstdint>

struct IncludeRun;

// Load flags of LoadFromFile / LoadFromText.
inline constexpr uint32_t CCLSL_APPEND = 0x80000000;         // append instead of replacing
inline constexpr uint32_t CCLSL_REMOVE_BLANK = 0x40000000;   // delete empty lines; directives
                                                             // delete instead of blanking
inline constexpr uint32_t CCLSL_TRIM_RIGHT = 0x10000000;     // drop trailing blanks and tabs
inline constexpr uint32_t CCLSL_STRIP_COMMENTS = 0x08000000; // remove // and /* */ comments
inline constexpr uint32_t CCLSL_QUOTES = 0x04000000;         // ...but not inside double quotes
inline constexpr uint32_t CCLSL_DROP_MARKED = 0x02000000;    // delete lines holding ";" or "#"
inline constexpr uint32_t CCLSL_DIRECTIVES = 0x01000000;     // run #define / #if / #include
inline constexpr uint32_t CCLSL_RELOAD = 0x00400000;         // load even the same file again

// Sort flag of SortByText / SortByValue: descending order.
inline constexpr uint32_t CCLSL_SORT_DESCENDING = 0x40000000;

// One line: a text and two numbers.
class CCLListItem {
public:
    virtual ~CCLListItem() = default;

    int32_t value = 0;  // the key of SortByValue
    uint32_t spare = 0; // a second number (the folder listing keeps a file size here)
    CCLString text;     // without line break; absent for an empty line
};

// Index access to the items of a list.
class CCLListItemLookUp {
public:
    explicit CCLListItemLookUp(LinkList* lines) : lines_(lines) {}
    // The item at index. Callers stay within 0 .. Count() - 1; any other
    // index returns a shared empty item that must not be changed.
    [[nodiscard]] CCLListItem* Item(int32_t index) const;

private:
    LinkList* lines_;
};

class CCLStringListBase {
public:
    CCLStringListBase();
    CCLStringListBase(const CCLStringListBase&) = delete;
    CCLStringListBase& operator=(const CCLStringListBase&) = delete;
    virtual ~CCLStringListBase();

    // --- Reading
    [[nodiscard]] int32_t Count() const { return lines_->count; }
    // Text of line index (null for an empty line or a bad index).
    [[nodiscard]] const char* Text(int32_t index) const { return Items.Item(index)->text.Text(); }
    // All lines joined with "\n", no break after the last; a new text the
    // caller releases with delete[], or null for an empty list.
    [[nodiscard]] char* GetText() const;
    // Path of the last LoadFromFile ("" before any).
    [[nodiscard]] const char* FileName() const { return fileName_.Text(); }

    // --- Editing
    // Append / insert a line holding a copy of text (null gives an empty line).
    // Insert appends when index is not a line. Both return the new item.
    CCLListItem* Add(const char* text);
    CCLListItem* Insert(int32_t index, const char* text);
    // Format with the library formatter (strformat.h) into a kLineScratch
    // scratch (a longer line is cut), then Add / Insert.
    CCLListItem* AddFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    CCLListItem* InsertFormat(int32_t index, const char* format, ...)
        __attribute__((format(printf, 3, 4)));
    // Appends text to line index. Returns the item, or null for a bad index.
    CCLListItem* Cat(int32_t index, const char* text);
    // Removes line index; a bad index changes nothing. Returns 1.
    int Delete(int32_t index);
    // Removes every line. Returns 0.
    int Clear();
    // Splits text at "\n" (never inside a double-byte character) and appends
    // the parts: "a\nb" gives 2 lines, "a\n" gives "a" and "", "" gives one
    // empty line. A "\n" after a stray lead byte still ends the line (see
    // CharWidth). A "\r" stays part of its line. A line longer than
    // kLineScratch - 1 bytes is cut there. Returns 0, or 1 for null text.
    int SetText(const char* text);

    // --- Loading and saving
    // Empties the list unless CCLSL_APPEND is set, then SetText; derived
    // lists process the lines by the other flags. Returns 0, or 1 for null
    // text (nothing changed).
    virtual int LoadFromText(const char* text, uint32_t flags);
    // Reads the file once in text mode and hands it to LoadFromText. Returns 1
    // when text was loaded; 0 when path equals (ignoring case) the last file
    // loaded and CCLSL_RELOAD is not set, or when the file cannot be read.
    // Prints "open file(read) [path(characters + 1)]" on success.
    int LoadFromFile(const char* path, uint32_t flags);
    // Writes the lines joined by "\n" (CR LF on disk, no break after the
    // last) atomically: the old file stays whole when the write fails.
    // Returns 1 written, 0 not ("file open error [path]" is printed).
    int SaveToFile(const char* path, uint32_t flags) const;

    // --- Sorting (quicksort; only the texts survive, value and spare become 0)
    // By StrCompareNoCase of the texts; descending with CCLSL_SORT_DESCENDING.
    virtual void SortByText(uint32_t flags);
    // By the value field; descending with CCLSL_SORT_DESCENDING.
    virtual void SortByValue(uint32_t flags);

    CCLListItemLookUp Items;

protected:
    // The item stored at a line's node.
    static CCLListItem* ItemOf(LinkNode* node) { return static_cast<CCLListItem*>(node->payload); }
    LinkList* Lines() const { return lines_; }

private:
    void SortBy(int (*compare)(const void*, const void*), uint32_t flags);

    LinkList* lines_;
    CCLString fileName_;
    uint32_t loadFlags_ = 0;
    char scratch_[textlib::kLineScratch];
};

// A string list that can strip comments, clean lines and evaluate
// conditional directives while loading (see the CCLSL_ flags).
class CCLStringList : public CCLStringListBase {
public:
    CCLStringList();
    ~CCLStringList() override;

    // The base step, then, each when its flag is set, in this order:
    // comment stripping, right trim, removal of empty lines, removal of
    // lines holding ";" or "#", directives. Returns 0, or 1 for null text.
    int LoadFromText(const char* text, uint32_t flags) override;

    // Removes comments: lineComment to the end of the line, blockStart ..
    // blockEnd (nested) anywhere; the number of lines stays the same. With
    // quote (may be null), markers between two quote characters are ordinary
    // text. An output line holds at most kCommentLineScratch - 1 bytes.
    void StripComments(const char* lineComment, const char* blockStart, const char* blockEnd,
                       const char* quote);

    // The define table of the directives: names and values, same index.
    [[nodiscard]] const CCLStringListBase& DefineNames() const { return *defineNames_; }
    [[nodiscard]] const CCLStringListBase& DefineValues() const { return *defineValues_; }

private:
    friend class DirectiveRunner;

    CCLString lineComment_{"//"};
    CCLString blockStart_{"/*"};
    CCLString blockEnd_{"*/"};
    CCLStringListBase* defineNames_;
    CCLStringListBase* defineValues_;
    // The #include run this list takes part in: set while the outermost list
    // runs its directives, and on every list loaded for one of its includes.
    IncludeRun* includeRun_ = nullptr;
};

// StrSplitToList mode: append only non-empty parts.
inline constexpr uint32_t kSplitNonEmpty = 0x80000000;

// Splits a copy of text at any of the separator characters (StrSplit) and
// appends the parts to list in order; with kSplitNonEmpty in mode only the
// non-empty parts. Returns list, or null for an empty text.
CCLStringListBase* StrSplitToList(const char* text, const char* separators, CCLStringListBase* list,
                                  uint32_t mode);
