// A second process for the Windows save tests: saves two texts in turn to
// the file named by its argument until it is ended from outside.
#include "platform/filereplace.h"

#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    constexpr size_t kTextBytes = 512 * 1024;
    const std::string texts[2] = {std::string(kTextBytes, 'A'), std::string(kTextBytes, 'B')};
    for (unsigned n = 0;; ++n)
        (void)platform::ReplaceFileAtomically(argv[1], texts[n % 2]);
}
