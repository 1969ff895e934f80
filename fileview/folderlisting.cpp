#include "fileview/folderlisting.h"

#include "platform/direntries.h"
#include "platform/paths.h"
#include "textlib/strcompare.h"
#include "textlib/strsplit.h"

#include <string>

namespace {

constexpr const char* kAllEntries = "*";
constexpr const char* kSubFolderMark = "*";

bool IsDotEntry(const std::string& name) {
    return StrCompare(name.c_str(), ".") == 0 || StrCompare(name.c_str(), "..") == 0;
}

// The attributes an entry is listed by: a folder is only a folder, and a
// file is always an archive, whatever else Windows says of either.
uint32_t ListedAttributes(uint32_t attributes) {
    if ((attributes & platform::kAttrDirectory) != 0) return platform::kAttrDirectory;
    return attributes | platform::kAttrArchive;
}

} // namespace

int ListFolder(CCLStringListBase* list, const char* folder, const char* mask,
               uint32_t attributeMask, ListFolderCallback callback, intptr_t value,
               const platform::NameFilter& wanted) {
    int32_t count = 0;
    const bool fileDetails = (attributeMask & ~platform::kAttrDirectory) != 0;
    const auto visit = [&](const platform::DirEntry& entry) {
        if (IsDotEntry(entry.name) || (ListedAttributes(entry.attributes) & attributeMask) == 0)
            return true;
        int result = kListContinue;
        if (callback != nullptr)
            result = callback({list, count, folder, mask, &entry, attributeMask, value});
        ++count;
        return result != kListStop;
    };
    platform::EnumerateFolder(folder, mask, fileDetails, visit, wanted);
    return count;
}

int HasSubFolder(const char* folder) {
    return LookForSubFolder(folder, [] { return true; }) == SubFolderLook::Some ? 1 : 0;
}

SubFolderLook LookForSubFolder(const char* folder, const std::function<bool()>& keepLooking) {
    SubFolderLook look = SubFolderLook::None;
    // Without file details no file costs a look-up of its own.
    platform::EnumerateFolder(folder, kAllEntries, false, [&](const platform::DirEntry& entry) {
        if (!keepLooking()) {
            look = SubFolderLook::Undecided;
            return false;
        }
        if (IsDotEntry(entry.name) || (entry.attributes & platform::kAttrDirectory) == 0)
            return true;
        look = SubFolderLook::Some;
        return false;
    });
    return look;
}

int GetSubFolders(CCLStringListBase* list, const char* folder) {
    list->Clear();
    return ListFolder(list, folder, kAllEntries, platform::kAttrDirectory, AddFolderEntry, 0);
}

int ListEachMask(const char* masks, const std::function<int(const char* mask)>& list) {
    char parts[kMaskListLimit + 1];
    const int partCount = StrSplit(masks, ";", parts, sizeof parts);
    int total = 0;
    for (int i = 0; i < partCount; ++i)
        total += list(StrNth(parts, i));
    return total;
}

int GetFiles(CCLStringListBase* list, const char* folder, const char* masks,
             const platform::NameFilter& wanted) {
    list->Clear();
    return ListEachMask(masks, [&](const char* mask) {
        return ListFolder(list, folder, mask, kFileAttributeMask, AddFileEntry, 0, wanted);
    });
}

uint64_t FileSizeOf(const CCLListItem& item) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(item.value)) << 32) | item.spare;
}

int AddFolderEntry(const ListFolderContext& context) {
    const std::string path =
        platform::JoinPath(platform::NativePathStyle(), context.folder, context.entry->name);
    CCLListItem* line = context.list->Add(context.entry->name.c_str());
    if (HasSubFolder(path.c_str()) == 1) line->text.Cat(kSubFolderMark);
    return kListContinue;
}

int AddFileEntry(const ListFolderContext& context) {
    CCLListItem* line = context.list->Add(context.entry->name.c_str());
    line->spare = static_cast<uint32_t>(context.entry->size);
    line->value = static_cast<int32_t>(static_cast<uint32_t>(context.entry->size >> 32));
    return kListContinue;
}
