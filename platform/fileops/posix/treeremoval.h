// Deleting for good, through open folder handles: an entry, and a folder
// with everything in it, acting on each entry only while it is still the
// one that was found. An entry that cannot be deleted, or that was
// replaced since it was found, is left as it is and recorded in the run
// (Run::Skip); the rest goes on.
#pragma once

#include "platform/fileops/operationrun.h"
#include "platform/posix/folderstack.h"

#include <functional>
#include <string>

namespace platform {

// Whether an entry found inside a folder being deleted may go; entries it
// refuses are left and recorded. Empty: every entry may go.
using RemovalFilter = std::function<bool(const EntryIdentity& id)>;

// Deletes the entry name of stack's top folder, expected to be id; a
// folder with its whole subtree (links are removed as links, never
// followed). A folder that keeps an entry is kept too. The stack is back
// at its depth afterwards. Returns kFileOperationDone (also when entries
// were left; the run holds them) or kFileOperationCancelled.
[[nodiscard]] int RemoveEntry(Run& run, FolderStack& stack, const std::string& name,
                              const EntryIdentity& id, const RemovalFilter& mayRemove = {});

} // namespace platform
