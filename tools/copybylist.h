// The copy-by-list tool's run: one copy of a source file in a target
// folder for every name of a list file. Texts are code page 932; paths are
// in the native form (pathstyle.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tamble {

// How the list file is read: empty lines go, trailing blanks and tabs are
// cut (leading ones stay), "//" and "/* */" comments are removed outside
// double quotes, and #define / #ifdef / #include ... select lines. The bit
// 0x00800000 has no effect on loading; it is kept so the value stays the
// one stored lists were written for.
inline constexpr uint32_t kCopyListLoadFlags = 0x5D800000;

// The names of the list file at path, loaded by a fresh CCLStringList with
// kCopyListLoadFlags. Empty when the file cannot be read.
[[nodiscard]] std::vector<std::string> LoadCopyList(const std::string& path);

// The extension of path by the project view's rule: from the last "."
// of its file name on, dot included; "" when the name has none.
// "/tmpl/form.txt" -> ".txt", "/x.dir/readme" -> "".
[[nodiscard]] std::string SourceExtension(const std::string& path);

// folder joined with name, plus the source's extension when keepExtension:
// ("/out", "a", "/tmpl/form.txt", true) -> "/out/a.txt". An empty folder
// gives a path in the root ("/a"), as on Windows it gives "\a".
[[nodiscard]] std::string CopyTargetPath(const std::string& folder, const std::string& name,
                                         const std::string& source, bool keepExtension);

struct CopyByListRequest {
    std::string source;       // the file copied
    std::string targetFolder; // where the copies go
    std::string listFile;     // the list of names
    bool keepExtension = false;
};

// What a run reports, in this order: begin once with the number of names,
// then for each name failed (only when its copy failed) and step, each with
// the target path. Empty members are not called.
struct CopyByListEvents {
    std::function<void(int count)> begin;
    std::function<void(const std::string& target, const std::string& source)> failed;
    std::function<void(const std::string& target)> step;
};

// Copies request.source to every name of the list (overwriting existing
// targets), going on after a failed copy. Returns the number of failures.
int RunCopyByList(const CopyByListRequest& request, const CopyByListEvents& events);

} // namespace tamble
