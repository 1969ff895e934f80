// Conditional directives of a CCLStringList: #define, #undef, #if, #ifdef,
// #ifndef, #elif, #else, #endif and #include, run over the list's lines.
#pragma once

#include <cstdint>

class CCLStringList;

class DirectiveRunner {
public:
    // Processes the lines of list in place with its define table. Directive
    // lines and lines of inactive regions are deleted when flags hold
    // CCLSL_REMOVE_BLANK, else emptied so the line count stays.
    static void Run(CCLStringList& list, uint32_t flags);
};
