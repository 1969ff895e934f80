// Scripted prompts that let a test change the file tree while the user
// reads a question, before the scripted answer is given.
#pragma once

#include "scriptedprompts.h"

#include <functional>
#include <string>

class SwappingPrompts : public platform::ScriptedPrompts {
public:
    std::function<void()> whileAsking; // runs as each yes/no question is shown
    bool YesNo(const std::string& text, const std::string& title,
               platform::PromptIcon icon) override {
        if (whileAsking) whileAsking();
        return ScriptedPrompts::YesNo(text, title, icon);
    }
};
