#include "textlib/directiveexpr.h"

#include "textlib/strbasic.h"
#include "textlib/strcompare.h"
#include "textlib/strsearch.h"
#include "textlib/textlimits.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsOperatorChar(char c) {
    return c != '\0' && std::strchr("!<=>", c) != nullptr;
}

// Reads the run of digits at p and advances past it. Saturates instead of
// wrapping, so that a huge number never compares as a small or negative one.
int32_t ReadNumber(const char*& p) {
    int64_t value = 0;
    for (; IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) value = INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

// 1 or 0 for a known operator; -1 for any other run of operator characters.
int Compare(int32_t left, const char* op, int32_t right) {
    if (StrCompare(op, "==") == 0) return left == right;
    if (StrCompare(op, "!=") == 0) return left != right;
    if (StrCompare(op, "<") == 0) return left < right;
    if (StrCompare(op, ">") == 0) return left > right;
    if (StrCompare(op, "<=") == 0) return left <= right;
    if (StrCompare(op, ">=") == 0) return left >= right;
    return -1;
}

// Skips to the next "||" (or the end): once one comparison of an "&&" chain
// is false the rest of the chain cannot change the result, but a later "||"
// still can.
const char* SkipAndChain(const char* p) {
    while (*p && !(p[0] == '|' && p[1] == '|'))
        p += CharWidth(p);
    return p;
}

} // namespace

int EvaluateDirectiveExpression(const char* text) {
    const char* expression = text ? text : "";
    std::printf("compare of [%s]\n", expression);
    // Digits only: a value, not a comparison. Any digit but "0" makes it
    // non-zero, which also holds for numbers too long for an integer.
    if (!StrHasOther(expression, "0123456789")) return StrHasOther(expression, "0");

    int result = 0;
    int32_t operands[2] = {0, 0};
    int numbers = 0;
    char op[textlib::kExpressionMax] = "";
    for (const char* p = expression; *p;) {
        if ((p[0] == '&' && p[1] == '&') || (p[0] == '|' && p[1] == '|')) {
            const bool isAnd = p[0] == '&';
            p += 2;
            numbers = 0;
            op[0] = '\0';
            if (isAnd && result == 0) p = SkipAndChain(p);
            if (!isAnd && result == 1) return 1;
            continue;
        }
        if (IsDigit(*p)) {
            operands[numbers++] = ReadNumber(p);
            if (numbers < 2) continue;
            const int compared = Compare(operands[0], op, operands[1]);
            if (compared >= 0) result = compared;
            std::printf("[%d %s %d] ret = %d\n", operands[0], op, operands[1], result);
            numbers = 0;
            continue;
        }
        if (IsOperatorChar(*p)) {
            size_t n = 0;
            for (; IsOperatorChar(*p); ++p)
                if (n + 1 < sizeof op) op[n++] = *p;
            op[n] = '\0';
            continue;
        }
        p += CharWidth(p);
    }
    return result;
}
