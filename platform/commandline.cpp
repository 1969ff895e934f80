#include "commandline.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xF5);
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    size_t i = 0;
    const size_t size = text.size();
    while (true) {
        while (i < size && IsBlank(text[i]))
            ++i;
        if (i >= size) break;
        std::string argument;
        bool quoted = false;
        while (i < size && (quoted || !IsBlank(text[i]))) {
            const char c = text[i];
            if (IsLead(c) && i + 1 < size) {
                argument.append(text.substr(i, 2));
                i += 2;
            } else if (c == '\\') {
                size_t run = 0;
                while (i < size && text[i] == '\\') {
                    ++run;
                    ++i;
                }
                if (i < size && text[i] == '"') {
                    argument.append(run / 2, '\\');
                    if (run % 2 == 1) {
                        argument.push_back('"');
                        ++i;
                    }
                } else {
                    argument.append(run, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < size && text[i + 1] == '"') {
                    argument.push_back('"');
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument.push_back(c);
                ++i;
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

} // namespace platform
