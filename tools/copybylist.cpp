#include "tools/copybylist.h"

#include "platform/filecopy.h"
#include "platform/paths.h"
#include "project/projectnames.h"
#include "textlib/cclstringlist.h"

namespace tamble {

std::vector<std::string> LoadCopyList(const std::string& path) {
    CCLStringList list;
    std::vector<std::string> names;
    if (list.LoadFromFile(path.c_str(), kCopyListLoadFlags) == 0) return names;
    names.reserve(static_cast<size_t>(list.Count()));
    for (int32_t i = 0; i < list.Count(); ++i) {
        const char* text = list.Text(i);
        names.emplace_back(text != nullptr ? text : "");
    }
    return names;
}

std::string SourceExtension(const std::string& path) {
    // '.' is never the second byte of a double-byte character, so a byte
    // search within the name is safe.
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string CopyTargetPath(const std::string& folder, const std::string& name,
                           const std::string& source, bool keepExtension) {
    std::string target = platform::JoinPath(platform::NativePathStyle(), folder, name);
    if (keepExtension) target += SourceExtension(source);
    return target;
}

int RunCopyByList(const CopyByListRequest& request, const CopyByListEvents& events) {
    const std::vector<std::string> names = LoadCopyList(request.listFile);
    if (events.begin) events.begin(static_cast<int>(names.size()));
    int failures = 0;
    for (const std::string& name : names) {
        const std::string target =
            CopyTargetPath(request.targetFolder, name, request.source, request.keepExtension);
        if (platform::CopyFile(request.source, target, false) != 0) {
            ++failures;
            if (events.failed) events.failed(target, request.source);
        }
        if (events.step) events.step(target);
    }
    return failures;
}

} // namespace tamble
