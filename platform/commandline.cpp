#include "platform/commandline.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xF5);
}

// Walks text by the splitter's rules, taking values in whole where they stand.
class Splitter {
public:
    Splitter(std::string_view text, const std::vector<CommandLineValue>& values)
        : text_(text), values_(values) {}

    std::vector<std::string> Split() {
        std::vector<std::string> arguments;
        while (true) {
            while (i_ < text_.size() && !AtValue() && IsBlank(text_[i_]))
                ++i_;
            if (i_ >= text_.size()) break;
            std::string argument;
            bool sawQuote = false;
            bool quoted = false;
            while (i_ < text_.size() && (quoted || AtValue() || !IsBlank(text_[i_])))
                Step(argument, quoted, sawQuote);
            if (!argument.empty() || sawQuote) arguments.push_back(std::move(argument));
        }
        return arguments;
    }

private:
    bool ValueAt(size_t at) const { return next_ < values_.size() && values_[next_].offset == at; }
    bool AtValue() const { return ValueAt(i_); }

    // Takes one character, run of backslashes, quote or value into argument.
    void Step(std::string& argument, bool& quoted, bool& sawQuote) {
        const char c = text_[i_];
        if (AtValue()) {
            argument.append(values_[next_].value);
            i_ += values_[next_].length;
            ++next_;
        } else if (IsLead(c) && i_ + 1 < text_.size() && !ValueAt(i_ + 1)) {
            argument.append(text_.substr(i_, 2));
            i_ += 2;
        } else if (c == '\\') {
            size_t run = 0;
            while (i_ < text_.size() && !AtValue() && text_[i_] == '\\') {
                ++run;
                ++i_;
            }
            if (i_ < text_.size() && !AtValue() && text_[i_] == '"') {
                argument.append(run / 2, '\\');
                if (run % 2 == 1) {
                    argument.push_back('"');
                    ++i_;
                }
            } else {
                argument.append(run, '\\');
            }
        } else if (c == '"') {
            sawQuote = true;
            if (quoted && i_ + 1 < text_.size() && text_[i_ + 1] == '"' && !ValueAt(i_ + 1)) {
                argument.push_back('"');
                i_ += 2;
            } else {
                quoted = !quoted;
                ++i_;
            }
        } else {
            argument.push_back(c);
            ++i_;
        }
    }

    std::string_view text_;
    const std::vector<CommandLineValue>& values_;
    size_t i_ = 0;
    size_t next_ = 0; // the next value to meet
};

bool NeedsQuotes(std::string_view argument) {
    if (argument.empty()) return true;
    for (char c : argument)
        if (IsBlank(c) || c == '"') return true;
    return false;
}

// argument between quotes, read back whole by the splitter.
void AppendQuoted(std::string_view argument, std::string& out) {
    out.push_back('"');
    size_t i = 0;
    while (i < argument.size()) {
        const char c = argument[i];
        if (IsLead(c) && i + 1 < argument.size()) {
            out.append(argument.substr(i, 2)); // a trail 0x5C is no backslash
            i += 2;
        } else if (c == '\\') {
            size_t run = 0;
            while (i < argument.size() && argument[i] == '\\') {
                ++run;
                ++i;
            }
            // Before a quote, the text's or the closing one, backslashes count double.
            const bool beforeQuote = i == argument.size() || argument[i] == '"';
            out.append(beforeQuote ? 2 * run : run, '\\');
        } else if (c == '"') {
            out += "\\\"";
            ++i;
        } else {
            out.push_back(c);
            ++i;
        }
    }
    out.push_back('"');
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view text) {
    return SplitCommandLine(text, {});
}

std::vector<std::string> SplitCommandLine(std::string_view text,
                                          const std::vector<CommandLineValue>& values) {
    return Splitter(text, values).Split();
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        if (&argument != &arguments.front()) text.push_back(' ');
        if (NeedsQuotes(argument))
            AppendQuoted(argument, text);
        else
            text += argument;
    }
    return text;
}

} // namespace platform
