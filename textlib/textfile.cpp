#include "textlib/textfile.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <system_error>

namespace {

// How many temporary names a save tries before it gives up: a name is only
// taken twice by a stray file of an earlier, killed save.
constexpr int kTemporaryNameAttempts = 64;

TextFilePathMapper pathMapper = nullptr;
TextFileReplacer fileReplacer = nullptr;

std::filesystem::path NativePath(const char* path) {
    return pathMapper ? pathMapper(path) : std::filesystem::path(path);
}

// fopen of a native name: Windows opens by the UTF-16 name, so that no
// character is lost to the narrow code page.
std::FILE* OpenNative(const std::filesystem::path& name, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(name.c_str(), wideMode.c_str());
#else
    return std::fopen(name.c_str(), mode);
#endif
}

// A new file at name for writing, or null when anything has that name.
// fopen's "x" makes the check and the creation one step, and never follows
// a link; the older C runtime of Windows has no "x", so there the name is
// looked at first (it holds random bits: only a stray file of a killed save
// is ever there).
std::FILE* CreateNew(const std::filesystem::path& name) {
#ifdef _WIN32
    std::error_code error;
    if (std::filesystem::symlink_status(name, error).type() !=
        std::filesystem::file_type::not_found)
        return nullptr;
    return OpenNative(name, "wb");
#else
    return OpenNative(name, "wbx");
#endif
}

// "<target>.<random>.tmp~": random bits, so that other processes start on
// other names, and a counter, so that threads of this one never meet.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
    static std::atomic<unsigned long long> counter{0};
    thread_local std::mt19937_64 random(
        std::random_device{}() ^ static_cast<unsigned long long>(
                                     std::chrono::steady_clock::now().time_since_epoch().count()));
    char token[40];
    std::snprintf(token, sizeof token, ".%llx%llx.tmp~",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFu), counter++);
    std::filesystem::path temporary = target;
    temporary += token;
    return temporary;
}

// The portable replacer. Exclusive creation makes a name that anything else
// holds fail instead of being shared; std::filesystem::rename replaces an
// existing target on every system.
bool ReplaceWithStandardLibrary(const std::filesystem::path& target, const std::string& bytes) {
    std::filesystem::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; !file && attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryNameFor(target);
        file = CreateNew(temporary);
    }
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = (std::fflush(file) == 0) && ok;
    ok = (std::fclose(file) == 0) && ok;
    std::error_code error;
    if (ok) std::filesystem::rename(temporary, target, error);
    ok = ok && !error;
    if (!ok) std::filesystem::remove(temporary, error);
    return ok;
}

} // namespace

void SetTextFilePathMapper(TextFilePathMapper mapper) {
    pathMapper = mapper;
}

void SetTextFileReplacer(TextFileReplacer replacer) {
    fileReplacer = replacer;
}

bool ReadTextFile(const char* path, std::string& text) {
    text.clear();
    std::FILE* file = path ? OpenNative(NativePath(path), "rb") : nullptr;
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

bool IsOneLineText(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool WriteTextFileAtomically(const char* path, const std::string& text) {
    if (!path || !*path) return false;
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    const std::filesystem::path target = NativePath(path);
    if (target.empty()) return false;
    return fileReplacer ? fileReplacer(target, bytes) : ReplaceWithStandardLibrary(target, bytes);
}

std::filesystem::path TextFileNativePath(const char* path) {
    return NativePath(path);
}
