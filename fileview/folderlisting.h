// Listing one folder into a string list: its subfolders (for the folder
// tree), its files for a set of masks (for the file list), and whether it
// has any subfolder at all. All of it rests on ListFolder, one enumeration
// with an attribute filter and a callback per accepted entry. Folders and
// names are CP932 bytes in the native path form.
#pragma once

#include "platform/direntries.h"
#include "textlib/cclstringlist.h"

#include <cstdint>
#include <functional>

// What a ListFolder callback is told about the entry it is called for.
struct ListFolderContext {
    CCLStringListBase* list;         // target list; may be null
    int32_t count;                   // entries accepted before this one
    const char* folder;              // folder being listed
    const char* mask;                // mask being searched
    const platform::DirEntry* entry; // name, attributes and size of the entry
    uint32_t attributeMask;          // the attribute filter of the listing
    intptr_t value;                  // the caller's value, passed through
};

// Callbacks return kListContinue to go on or kListStop to end the listing.
inline constexpr int kListContinue = 0;
inline constexpr int kListStop = -1;
using ListFolderCallback = int (*)(const ListFolderContext& context);

// The attributes of the files GetFiles lists: read-only, hidden, system,
// archive, temporary, compressed.
inline constexpr uint32_t kFileAttributeMask = 0x927;

// Longest mask list GetFiles takes; a longer one is cut there.
inline constexpr int kMaskListLimit = 255;

// Calls callback (when not null) for every entry of folder that matches mask
// (see platform::MatchFolderMask), passes wanted (when given; tested before
// the entry's attributes are looked up), is not "." or "..", and has an attribute
// in common with attributeMask, in the system's order, until it returns
// kListStop. Returns the number of accepted entries, the one at which the
// callback stopped included; 0 when the folder cannot be read.
// A folder is told from a file by kAttrDirectory alone, and every file
// counts as carrying kAttrArchive, as on POSIX: on Windows a file whose
// only attribute is "normal" (0x80) is still listed among the files, and
// a read-only or archived folder never is.
int ListFolder(CCLStringListBase* list, const char* folder, const char* mask,
               uint32_t attributeMask, ListFolderCallback callback, intptr_t value,
               const platform::NameFilter& wanted = {});

// 1 when folder holds at least one subfolder, else 0. Stops at the first.
int HasSubFolder(const char* folder);

// What a look for a subfolder found.
enum class SubFolderLook { None, Some, Undecided };

// Looks at folder's entries in the system's order, asking keepLooking
// before each: Some at the first subfolder, None when every entry was seen
// without one (or the folder cannot be read), Undecided when keepLooking
// said no first. A bounded look keeps a folder of many files from holding
// up whoever only wants to know whether to offer to expand it.
SubFolderLook LookForSubFolder(const char* folder, const std::function<bool()>& keepLooking);

// Empties list, then adds one line per subfolder of folder: its name, with
// "*" appended when that subfolder has subfolders of its own. Returns the
// number of lines.
int GetSubFolders(CCLStringListBase* list, const char* folder);

// Calls list for each mask of the ";"-separated masks in turn, an empty
// one included (it matches nothing); returns the sum of what it returned.
int ListEachMask(const char* masks, const std::function<int(const char* mask)>& list);

// Empties list, then adds one line per file of folder for each mask of the
// ";"-separated masks in turn: a file matched by two masks is listed twice;
// an empty mask part matches nothing. Each line holds the bare name and
// the file's size (FileSizeOf). With wanted, only the names it passes are
// listed, and the others cost no look-up of their size. Returns the number
// of lines.
int GetFiles(CCLStringListBase* list, const char* folder, const char* masks,
             const platform::NameFilter& wanted = {});

// The size GetFiles stored with a line: the low 32 bits are in spare (the
// field readers of the list know), the high 32 bits in value, so sizes of
// 4 GiB and more are kept whole.
[[nodiscard]] uint64_t FileSizeOf(const CCLListItem& item);

// The folder listing's two callbacks, for callers that list by hand.
int AddFolderEntry(const ListFolderContext& context);
int AddFileEntry(const ListFolderContext& context);
