#include "textfile.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

// How many temporary names a save tries before it gives up: a name is only
// taken twice by a stray file of an earlier, killed save.
constexpr int kTemporaryNameAttempts = 64;

TextFilePathMapper pathMapper = nullptr;
TextFileReplacer fileReplacer = nullptr;

std::string NativePath(const char* path) {
    return pathMapper ? pathMapper(path) : std::string(path);
}

// "<target>.<random>.tmp~": random bits, so that other processes start on
// other names, and a counter, so that threads of this one never meet.
std::string TemporaryNameFor(const std::string& target) {
    static std::atomic<unsigned long long> counter{0};
    thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count()));
    char token[40];
    std::snprintf(token, sizeof token, ".%llx%llx.tmp~",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFu), counter++);
    return target + token;
}

// The portable replacer. Exclusive creation ("x") makes a name that anything
// else holds fail instead of being shared.
bool ReplaceWithStdio(const std::string& target, const std::string& bytes) {
    std::string temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; !file && attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryNameFor(target);
        file = std::fopen(temporary.c_str(), "wbx");
    }
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = (std::fflush(file) == 0) && ok;
    ok = (std::fclose(file) == 0) && ok;
    if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
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
    const std::string target = NativePath(path);
    return fileReplacer ? fileReplacer(target, bytes) : ReplaceWithStdio(target, bytes);
}

std::string TextFileNativePath(const char* path) {
    return NativePath(path);
}
