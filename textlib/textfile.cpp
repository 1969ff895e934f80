#include "textfile.h"

#include <cstdio>

namespace {

TextFilePathMapper pathMapper = nullptr;

std::string NativePath(const char* path) {
    return pathMapper ? pathMapper(path) : std::string(path);
}

} // namespace

void SetTextFilePathMapper(TextFilePathMapper mapper) {
    pathMapper = mapper;
}

bool ReadTextFile(const char* path, std::string& text) {
    text.clear();
    std::FILE* file = path ? std::fopen(NativePath(path).c_str(), "rb") : nullptr;
    if (!file) return false;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    if (!ok) {
        text.clear();
        return false;
    }
    // CR LF becomes "\n" in place; a lone CR stays.
    size_t out = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        text[out++] = text[i];
    }
    text.resize(out);
    return true;
}

static bool WriteAll(std::FILE* file, const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool WriteTextFileAtomically(const char* path, const std::string& text) {
    if (!path || !*path) return false;
    const std::string target = NativePath(path);
    const std::string temporary = target + ".tmp~";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = WriteAll(file, text);
    ok = (std::fflush(file) == 0) && ok;
    ok = (std::fclose(file) == 0) && ok;
#ifdef _WIN32
    // rename() does not replace an existing file on Windows.
    if (ok) std::remove(target.c_str());
#endif
    if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

std::string TextFileNativePath(const char* path) {
    return NativePath(path);
}
