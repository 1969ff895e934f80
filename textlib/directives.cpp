#include "textlib/directives.h"

#include "textlib/cclstring.h"
#include "textlib/cclstringlist.h"
#include "textlib/directiveexpr.h"
#include "textlib/strbasic.h"
#include "textlib/strcompare.h"
#include "textlib/stredit.h"
#include "textlib/strsearch.h"
#include "textlib/textfile.h"
#include "textlib/textlimits.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The #include work of one load, shared by the outermost list and every list
// loaded for one of its includes.
struct IncludeRun {
    // Native paths of the files being loaded right now, outermost first. A
    // nested list runs its directives from inside LoadFromFile, so this is
    // the only place where it can see the files that include it.
    std::vector<std::filesystem::path> chain;
    // Pairs of names found to be two files, each pair once: finding a
    // file's identity may cost opening it (Windows), and a tree of includes
    // compares the same few names over and over.
    std::set<std::pair<std::filesystem::path, std::filesystem::path>> distinct;
    int files = 0;     // include files loaded
    int64_t lines = 0; // lines inserted, at every level
    bool exhausted = false;
};

namespace {

// Written as code page 932 bytes, as every text the library prints:
// "%s はすでに宣言されています!!\n" ("%s is already defined!!").
constexpr const char* kDuplicateDefine =
    "%s \x82\xCD\x82\xB7\x82\xC5\x82\xC9\x90\xE9\x8C\xBE\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC"
    "\x82\xB7!!\n";

enum class Directive { Text, Include, Define, Undef, Ifndef, Ifdef, If, Elif, Else, Endif };

struct DirectiveName {
    const char* name;
    Directive type;
};

// Tried in this order, as plain prefixes: #ifndef and #ifdef must come
// before #if, which is a prefix of both.
constexpr DirectiveName kDirectiveNames[] = {
    {"#include", Directive::Include}, {"#define", Directive::Define}, {"#undef", Directive::Undef},
    {"#ifndef", Directive::Ifndef},   {"#ifdef", Directive::Ifdef},   {"#if", Directive::If},
    {"#elif", Directive::Elif},       {"#else", Directive::Else},     {"#endif", Directive::Endif},
};

// Keeps a file on the include chain while its list loads.
class ChainEntry {
public:
    ChainEntry(IncludeRun& run, std::filesystem::path file) : run_(run) {
        run_.chain.push_back(std::move(file));
    }
    ~ChainEntry() { run_.chain.pop_back(); }
    ChainEntry(const ChainEntry&) = delete;
    ChainEntry& operator=(const ChainEntry&) = delete;

private:
    IncludeRun& run_;
};

// Whether file is one of the files being loaded. Files are compared by
// identity (device and inode, or what the system uses instead), so that
// "a.lst", "./a.lst", "A/../a.lst", a link to it and a hard link are one
// file; a name that cannot be looked up is no file of the chain. The
// answer for two names is taken once per load.
bool IsBeingIncluded(IncludeRun& run, const std::filesystem::path& file) {
    for (const std::filesystem::path& open : run.chain) {
        if (open == file) return true;
        auto pair = std::make_pair(open, file);
        if (run.distinct.count(pair)) continue;
        std::error_code error;
        if (std::filesystem::equivalent(open, file, error) && !error) return true;
        run.distinct.insert(std::move(pair));
    }
    return false;
}

// Marks run as used up; prints the message the first time only.
void Exhaust(IncludeRun& run, const char* path) {
    if (!run.exhausted) std::printf("include limit reached [%s]\n", path);
    run.exhausted = true;
}

// Makes the outermost list of a load own the include run for as long as its
// directives run; lists loaded for an include already share one.
class OutermostRun {
public:
    explicit OutermostRun(IncludeRun*& slot) : slot_(slot), owner_(slot == nullptr) {
        if (owner_) slot_ = &run_;
    }
    ~OutermostRun() {
        if (owner_) slot_ = nullptr;
    }
    OutermostRun(const OutermostRun&) = delete;
    OutermostRun& operator=(const OutermostRun&) = delete;

private:
    IncludeRun*& slot_;
    bool owner_;
    IncludeRun run_;
};

// Determines the directive of text and splits it into words (tokens 0, 1,
// ...) in tokens; line is a kLineScratch scratch. Text lines leave tokens
// unchanged.
Directive Classify(const char* text, char* line, CCLStringListBase& tokens) {
    StrCopyN(line, text, textlib::kLineScratch - 1);
    StrTrim(line, " \t", 0, 0);
    if (line[0] != '#') return Directive::Text;
    Directive type = Directive::Text;
    for (const DirectiveName& d : kDirectiveNames) {
        if (StrCompareN(line, d.name, StrLen(d.name), 0) == 0) {
            type = d.type;
            break;
        }
    }
    if (type == Directive::Text) return type;

    // "#if defined(N)" and "#if !defined(N)" become "#ifdef N" and "#ifndef
    // N". Only #if lines are rewritten: elsewhere "defined" is ordinary text
    // ("#define MODE undefined", "#include predefined.txt"). The blank after
    // the new name also splits "#if!defined(N)" into two words.
    if (type == Directive::If) {
        const bool negated = StrFind(line, "!defined") >= 0;
        if (negated || StrFind(line, "defined") >= 0) {
            StrReplace(line, textlib::kLineScratch, negated ? "!defined" : "defined", nullptr, 0);
            StrReplace(line, textlib::kLineScratch, "#if", negated ? "#ifndef " : "#ifdef ", 0);
            StrRemoveChars(line, "()");
            type = negated ? Directive::Ifndef : Directive::Ifdef;
        }
    }
    tokens.Clear();
    StrSplitToList(line, " \t", &tokens, kSplitNonEmpty);
    return type;
}

// Joins tokens from index first on, without separators, into out (size
// bytes), cut before a character that would not fit.
void JoinTokens(const CCLStringListBase& tokens, int32_t first, char* out, int size) {
    int n = 0;
    for (int32_t k = first; k < tokens.Count(); ++k) {
        for (const char* p = tokens.Text(k); p && *p;) {
            const int width = (IsLeadByte(static_cast<unsigned char>(*p)) && p[1]) ? 2 : 1;
            if (n + width > size - 1) {
                out[n] = '\0';
                return;
            }
            for (int b = 0; b < width; ++b)
                out[n++] = *p++;
        }
    }
    out[n] = '\0';
}

// The open conditionals of one run. Level d (1 .. depth_) holds 0 when its
// current branch is active, 1 when it is skipped, 2 when an earlier branch
// was taken; level 0 is the text outside every conditional and stays 0.
// Levels beyond kConditionDepth are only counted in excess_: they are
// inactive as a whole, so that no branch of them needs a state, yet every
// #endif still closes the conditional it belongs to.
class ConditionStack {
public:
    // The current line's region is active when its own level is: a level
    // can only become 0 while every level around it is 0.
    bool Active() const { return excess_ == 0 && state_[depth_] == 0; }

    // Opens a conditional; its first branch is active when taken is set and
    // the region around it is active.
    void Open(bool taken, const char* line) {
        if (depth_ == textlib::kConditionDepth) {
            ++excess_;
            std::printf("conditional nested too deep [%s]\n", line);
            return;
        }
        const int state = (Active() && taken) ? 0 : 1;
        state_[++depth_] = state;
    }

    // #elif: an active branch ends the conditional's search; a skipped one
    // asks condition (called only then, as it prints its trace).
    template <typename Condition> void Elif(Condition condition) {
        if (!CanSwitchBranch()) return;
        int& state = state_[depth_];
        if (state == 0) {
            state = 2;
        } else if (state == 1) {
            state = condition() ? 0 : 1;
        }
    }

    void Else() {
        if (!CanSwitchBranch()) return;
        std::printf("#else\n");
        state_[depth_] = state_[depth_] == 1 ? 0 : 1;
    }

    void Endif() {
        if (excess_ > 0) {
            --excess_;
        } else if (depth_ > 0) {
            state_[depth_--] = 0;
        } else {
            return; // no open conditional
        }
        std::printf("#endif\n");
    }

private:
    // A branch may only change inside an open conditional whose surrounding
    // region is active: otherwise #else would turn on a level that an
    // inactive region opened as skipped.
    bool CanSwitchBranch() const { return excess_ == 0 && depth_ > 0 && state_[depth_ - 1] == 0; }

    int state_[textlib::kConditionDepth + 1] = {};
    int depth_ = 0;
    int excess_ = 0;
};

} // namespace

int32_t DirectiveRunner::FindDefine(const CCLStringList& list, const char* name) {
    const CCLStringListBase& names = *list.defineNames_;
    for (int32_t k = 0; k < names.Count(); ++k)
        if (StrCompare(names.Text(k), name) == 0) return k;
    return -1;
}

int DirectiveRunner::AddDefine(CCLStringList& list, const char* name, const char* value) {
    if (FindDefine(list, name) >= 0) {
        std::printf(kDuplicateDefine, name);
        return 0;
    }
    list.defineNames_->Add(name);
    list.defineValues_->Add(value);
    return 1;
}

void DirectiveRunner::Undefine(CCLStringList& list, const char* name) {
    const int32_t k = FindDefine(list, name);
    if (k < 0) return;
    list.defineNames_->Delete(k);
    list.defineValues_->Delete(k);
}

void DirectiveRunner::Substitute(const CCLStringList& list, CCLString& text) {
    const CCLStringListBase& names = *list.defineNames_;
    const CCLStringListBase& values = *list.defineValues_;
    for (int32_t k = 0; k < names.Count(); ++k) {
        const char* name = names.Text(k);
        if (name && text.Find(name, 0) >= 0) text.Replace(name, values.Text(k), -1);
    }
}

int32_t DirectiveRunner::Include(CCLStringList& list, int32_t index, const char* path,
                                 uint32_t flags) {
    // A file that includes itself, directly or through others, would never
    // end, and a tree of files that each include the next ones twice grows
    // by powers of two: the chain, the depth and the run's limits bound both.
    IncludeRun& run = *list.includeRun_;
    if (run.exhausted) return 0;
    if (static_cast<int>(run.chain.size()) >= textlib::kIncludeDepth) {
        std::printf("include nested too deep [%s]\n", path);
        return 0;
    }
    std::filesystem::path file = TextFileNativePath(path);
    if (IsBeingIncluded(run, file)) {
        std::printf("include loop [%s]\n", path);
        return 0;
    }
    if (run.files >= textlib::kIncludeFileLimit) {
        Exhaust(run, path);
        return 0;
    }
    ++run.files;
    CCLStringList nested;
    nested.includeRun_ = &run;
    {
        const ChainEntry entry(run, std::move(file));
        nested.LoadFromFile(path, flags);
    }
    // An include whose own includes used the run up is cut short: it inserts
    // nothing either, so that a load is whole up to one include and has
    // nothing of that include or any later one.
    if (run.exhausted) return 0;
    const int32_t count = nested.Count();
    if (run.lines + count > textlib::kIncludeLineLimit) {
        Exhaust(run, path);
        return 0;
    }
    run.lines += count;
    for (int32_t k = 0; k < count; ++k)
        list.Insert(index + 1 + k, nested.Text(k));
    const CCLStringListBase& names = *nested.defineNames_;
    for (int32_t k = 0; k < names.Count(); ++k)
        AddDefine(list, names.Text(k), nested.defineValues_->Text(k));
    return count;
}

void DirectiveRunner::Run(CCLStringList& list, uint32_t flags) {
    const OutermostRun includes(list.includeRun_);
    ConditionStack conditions;
    CCLStringListBase tokens;
    char line[textlib::kLineScratch];
    char argument[textlib::kLineScratch];
    char expression[textlib::kExpressionMax];
    const bool deleting = (flags & CCLSL_REMOVE_BLANK) != 0;
    // Lines of an included file still to come: they are text, even where a
    // define of the included file made them look like a directive.
    int32_t includedLines = 0;

    // A deleted line's successor takes its index, so i only moves past kept
    // lines; the list keeps its cursor through both, so each step is cheap.
    for (int32_t i = 0; i < list.Count();) {
        CCLString& text = list.Items.Item(i)->text;
        const bool included = includedLines > 0;
        if (included) --includedLines;
        if (!text.Text()) { // empty lines stay, in any region
            ++i;
            continue;
        }

        const Directive type = included ? Directive::Text : Classify(text.Text(), line, tokens);
        const bool hasArgument = type != Directive::Text && tokens.Count() > 1;
        auto evaluate = [&] {
            JoinTokens(tokens, 1, expression, sizeof expression);
            return EvaluateDirectiveExpression(expression) != 0;
        };

        // Every directive line goes, whatever it did; text goes when inactive.
        bool remove = true;
        switch (type) {
        case Directive::Text:
            remove = !conditions.Active();
            if (!remove) Substitute(list, text);
            break;
        case Directive::Define:
            if (conditions.Active() && hasArgument) {
                CCLString value;
                for (int32_t k = 2; k < tokens.Count(); ++k)
                    value.Cat(tokens.Text(k));
                AddDefine(list, tokens.Text(1), value.Text());
            }
            break;
        case Directive::Undef:
            if (conditions.Active() && hasArgument) Undefine(list, tokens.Text(1));
            break;
        case Directive::Ifdef:
        case Directive::Ifndef: {
            const bool wanted = type == Directive::Ifdef;
            conditions.Open(hasArgument && conditions.Active() &&
                                (FindDefine(list, tokens.Text(1)) >= 0) == wanted,
                            line);
            break;
        }
        case Directive::If:
            conditions.Open(hasArgument && conditions.Active() && evaluate(), line);
            break;
        case Directive::Elif:
            conditions.Elif([&] { return hasArgument && evaluate(); });
            break;
        case Directive::Else:
            conditions.Else();
            break;
        case Directive::Endif:
            conditions.Endif();
            break;
        case Directive::Include:
            if (conditions.Active() && hasArgument) {
                // At most one quote is taken from each end: "a.txt" and a.txt
                // name the same file.
                StrCopyN(argument, tokens.Text(1), sizeof argument - 1);
                StrTrim(argument, "\"", 1, 1);
                if (argument[0]) includedLines = Include(list, i, argument, flags);
            }
            break;
        }
        if (remove && deleting) {
            list.Delete(i);
            continue;
        }
        if (remove) text.Free();
        ++i;
    }
}
