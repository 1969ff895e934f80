// The freedesktop.org trash: the home trash, or on another volume the
// ".Trash-<uid>" folder at the top of that volume.
#pragma once

#include "platform/fileops/operationrun.h"

#include <string>

namespace platform {

// Moves the entry name of the open folder into the trash, renaming that
// very entry (renameat from the folder's descriptor, never replacing one
// in the trash). A unique name is reserved by creating its info file,
// which records originalPath and the time. Returns 0 or errno; on failure
// nothing is left behind in the trash.
[[nodiscard]] int MoveToTrash(const Run& run, const FileOperationContext& context, int folder,
                              const std::string& name, const std::string& originalPath);

} // namespace platform
