#include "fuzz/fuzzsupport.h"

#include "tests/common/tempfolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzz {

std::vector<std::string> SplitAtNul(std::string_view text) {
    std::vector<std::string> parts;
    for (;;) {
        const size_t end = text.find('\0');
        parts.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) return parts;
        text.remove_prefix(end + 1);
    }
}

std::string Shown(std::string_view bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHex[b >> 4];
            shown += kHex[b & 15];
        }
    }
    return shown;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "\n*** property failed: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

const std::string& ScratchFolder() {
    // Removed with its contents when the program exits normally.
    static const TempFolder folder("tamble-fuzz-");
    static const std::string path = folder.Path();
    return path;
}

void EnterScratchFolder() {
    std::error_code error;
    std::filesystem::current_path(ScratchFolder(), error);
    if (error) Fail("cannot enter the scratch folder");
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail("cannot write scratch file " + path);
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace fuzz
