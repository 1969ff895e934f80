// Conditional directives of a CCLStringList: #define, #undef, #if, #ifdef,
// #ifndef, #elif, #else, #endif and #include, run over the list's lines.
//
// A line is a directive when, trimmed of blanks and tabs, it begins with one
// of those names (plain prefix, case-sensitive, tried in the order above
// with #ifndef and #ifdef before #if); its words are split at blanks and
// tabs. Other lines, "#" lines of no known name among them, are text.
// - "#define NAME a b" defines NAME as "ab" (the words joined); a second
//   define of NAME keeps the first and prints a message. "#undef NAME".
// - In every text line that stays, each defined name is replaced by its
//   value, in definition order and as a plain substring ("copy_DEST.txt"
//   with DEST = backup gives "copy_backup.txt").
// - "#if EXPR" (see directiveexpr.h; names are not replaced in it), "#if
//   defined(N)" and "#if !defined(N)" (as #ifdef N / #ifndef N), #ifdef,
//   #ifndef, #elif, #else, #endif keep or drop regions. A conditional
//   without a name or expression opens an inactive level. Conditionals
//   nested deeper than kConditionDepth are inactive as a whole.
// - "#include FILE" (quotes optional; path relative to the current folder)
//   loads FILE as its own list with the same flags and an empty define
//   table, inserts its lines as text and takes over its defines. A file may
//   be included more than once (from two places, or twice from one). Files
//   nested deeper than kIncludeDepth, or one that is already being included
//   (a cycle; files are compared by identity, so other spellings of a path,
//   links and hard links are the same file), insert nothing and print a
//   message. The includes of one load, all levels together, load at most
//   kIncludeFileLimit files and insert at most kIncludeLineLimit lines: the
//   include that would go beyond, the includes it sits in and every later
//   one insert nothing, and "include limit reached [FILE]" is printed once.
#pragma once

#include <cstdint>

class CCLString;
class CCLStringList;

class DirectiveRunner {
public:
    // Processes the lines of list in place with its define table. Directive
    // lines and lines of inactive regions are deleted when flags hold
    // CCLSL_REMOVE_BLANK, else emptied so the line count stays.
    static void Run(CCLStringList& list, uint32_t flags);

private:
    // Index of name in list's define table, or -1.
    static int32_t FindDefine(const CCLStringList& list, const char* name);
    // Adds name = value (null for none) unless name is defined already, in
    // which case it prints the duplicate message. Returns 1 when added.
    static int AddDefine(CCLStringList& list, const char* name, const char* value);
    // Removes the first definition of name, if any.
    static void Undefine(CCLStringList& list, const char* name);
    // Replaces every defined name in text by its value, in definition order.
    static void Substitute(const CCLStringList& list, CCLString& text);
    // Loads path as a nested list and inserts its lines after line index, then
    // merges its defines. Returns the number of lines inserted (0 for a
    // refused include).
    static int32_t Include(CCLStringList& list, int32_t index, const char* path, uint32_t flags);
};
