// The wildcard matchers (MaskMatch, MaskMatchList and the folder search's
// MatchFolderMask) against a plain reference matcher written from their
// documented grammar. Input: name NUL mask.
#include "fuzz/fuzzsupport.h"
#include "platform/direntries.h"
#include "textlib/strmask.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Longest name and mask compared; the reference's table grows with both.
constexpr size_t kLongest = 400;
// The mask list is cut at this many bytes (kMaskScratch - 1).
constexpr size_t kMaskListCut = 511;

bool IsLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xF5);
}

// The characters of a CP932 text: a lead byte and the byte after it make
// one double-byte character, any other byte one single-byte character.
std::vector<std::string> Characters(std::string_view text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t width =
            IsLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        chars.emplace_back(text.substr(i, width));
        i += width - 1;
    }
    return chars;
}

bool EndsInHalfCharacter(std::string_view text) {
    const std::vector<std::string> chars = Characters(text);
    return !chars.empty() && chars.back().size() == 1 &&
           IsLead(static_cast<unsigned char>(chars.back()[0]));
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameCharacter(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    if (a.size() == 2) return a == b;
    return Lower(a[0]) == Lower(b[0]);
}

// The grammar: "*" any run; "?" one character, but as the last character
// of the mask whatever remains; any other character itself (ASCII letters
// without regard to case).
class ReferenceMatcher {
public:
    ReferenceMatcher(std::string_view name, std::string_view mask)
        : name_(Characters(name)), mask_(Characters(mask)),
          memo_((name_.size() + 1) * (mask_.size() + 1), kUnknown) {}

    bool Matches() { return Match(0, 0); }

private:
    static constexpr char kUnknown = 2;

    bool Match(size_t n, size_t m) {
        char& known = memo_[n * (mask_.size() + 1) + m];
        if (known == kUnknown) known = Decide(n, m) ? 1 : 0;
        return known == 1;
    }

    bool Decide(size_t n, size_t m) {
        if (m == mask_.size()) return n == name_.size();
        const std::string& c = mask_[m];
        if (c == "*") return Match(n, m + 1) || (n < name_.size() && Match(n + 1, m));
        if (c == "?" && m + 1 == mask_.size()) return true;
        if (n == name_.size()) return false;
        if (c == "?" || SameCharacter(name_[n], c)) return Match(n + 1, m + 1);
        return false;
    }

    std::vector<std::string> name_;
    std::vector<std::string> mask_;
    std::vector<char> memo_;
};

bool ReferenceMatch(std::string_view name, std::string_view mask) {
    return ReferenceMatcher(name, mask).Matches();
}

// The list's parts at ";" (a ";" never ends a double-byte character);
// none for an empty list.
std::vector<std::string> ListParts(std::string_view masks) {
    std::vector<std::string> parts;
    if (masks.empty()) return parts;
    std::string part;
    for (const std::string& c : Characters(masks)) {
        if (c == ";") {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

bool ReferenceListMatch(std::string_view name, std::string_view masks) {
    for (const std::string& part : ListParts(masks))
        if (ReferenceMatch(name, part)) return true;
    return false;
}

// The folder search also takes names without a dot for a mask ending in ".*".
bool ReferenceFolderMatch(std::string_view name, std::string_view mask) {
    if (mask.empty()) return false;
    if (ReferenceMatch(name, mask)) return true;
    const bool wildExtension = mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*";
    return wildExtension && name.find('.') == std::string_view::npos &&
           ReferenceMatch(name, mask.substr(0, mask.size() - 2));
}

std::string Case(const std::string& name, const std::string& mask) {
    return "name [" + fuzz::Shown(name) + "] mask [" + fuzz::Shown(mask) + "]";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = fuzz::SplitAtNul(fuzz::AsText(data, size));
    const std::string& name = parts[0];
    const std::string mask = parts.size() > 1 ? parts[1] : "";
    if (name.size() > kLongest || mask.size() > kLongest) return 0;
    // A lead byte with nothing after it never matches itself today (not even
    // "a\x81" against "a\x81"). Names from the folder listing and masks typed
    // in the forms are whole CP932 characters, so such texts are left out.
    if (EndsInHalfCharacter(name) || EndsInHalfCharacter(mask)) return 0;

    const bool expected = ReferenceMatch(name, mask);
    fuzz::Check((MaskMatch(name.c_str(), mask.c_str()) != 0) == expected,
                "MaskMatch should give " + std::to_string(expected) + " for " + Case(name, mask));

    if (mask.size() <= kMaskListCut) {
        const bool listExpected = ReferenceListMatch(name, mask);
        fuzz::Check((MaskMatchList(name.c_str(), mask.c_str()) != 0) == listExpected,
                    "MaskMatchList should give " + std::to_string(listExpected) + " for " +
                        Case(name, mask));
    }

    const bool folderExpected = ReferenceFolderMatch(name, mask);
    fuzz::Check(platform::MatchFolderMask(name, mask) == folderExpected,
                "MatchFolderMask should give " + std::to_string(folderExpected) + " for " +
                    Case(name, mask));
    return 0;
}
