// Scripted prompts that let a test change the file tree while the user
// reads a question or types a name, before the scripted answer is given.
#pragma once

#include "tests/common/scriptedprompts.h"

#include <functional>
#include <optional>
#include <string>

class SwappingPrompts : public platform::ScriptedPrompts {
public:
    std::function<void()> whileAsking; // runs as each yes/no question is shown
    std::function<void()> whileNaming; // runs as each input box is shown
    bool YesNo(const std::string& text, const std::string& title,
               platform::PromptIcon icon) override {
        if (whileAsking) whileAsking();
        return ScriptedPrompts::YesNo(text, title, icon);
    }
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string& proposed, int limit) override {
        if (whileNaming) whileNaming();
        return ScriptedPrompts::Input(caption, prompt, proposed, limit);
    }
};
