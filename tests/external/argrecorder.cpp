// A stand-in program for the start tests: writes the arguments it received,
// one per line (each preceded by its byte count, so any byte survives), to
// the file named by TAMBLE_ARGUMENT_RECORD, through a temporary name so the
// test never reads a half-written record.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* record = std::getenv("TAMBLE_ARGUMENT_RECORD");
    if (record == nullptr) return 2;
    const std::string partial = std::string(record) + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (out == nullptr) return 3;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::fprintf(out, "%zu:%s\n", argument.size(), argument.c_str());
    }
    std::fclose(out);
    return std::rename(partial.c_str(), record) == 0 ? 0 : 4;
}
