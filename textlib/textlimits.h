// Fixed sizes of the text library's scratch areas. No input of any length
// writes past one of them: longer results are cut at the bound.
#pragma once

namespace textlib {

inline constexpr int kLineScratch = 1024;        // one line of a string list or an INI store
inline constexpr int kFormatScratch = 2048;      // CCLString::Format and CCLString::Replace
inline constexpr int kCommentLineScratch = 2048; // one output line of comment stripping
inline constexpr int kMaskScratch = 512;         // MaskMatch name and mask, MaskMatchList masks
inline constexpr int kNumberScratch = 256;       // StrToInt input, StrFromInt output
inline constexpr int kIniSectionMax = 256;       // section name, terminator included
inline constexpr int kIniKeyMax = 128;           // key, terminator included
inline constexpr int kExpressionMax = 128;       // a joined #if expression, terminator included
inline constexpr int kConditionDepth = 31;       // open conditionals at once
inline constexpr int kIncludeDepth = 16;         // nested #include files
// What the #include files of one load may add up to, all levels together,
// so that no include tree (fan-out, or one file under many names) can make a
// load run for long: files loaded, and lines inserted (a line counts at
// every level it is inserted into).
inline constexpr int kIncludeFileLimit = 1000;
inline constexpr int kIncludeLineLimit = 100000;

} // namespace textlib
