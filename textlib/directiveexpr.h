// The expression language of #if and #elif lines: comparisons of literal
// decimal numbers joined by "&&" and "||".
//
// Grammar, on the tokens of the line joined without blanks:
// - empty, or digits only: the decimal value; non-zero is true ("0" false,
//   "007" true).
// - otherwise, read left to right: a run of digits is a number, a run of
//   "!", "<", "=", ">" is the operator; each second number completes a
//   comparison ("==", "!=", "<", ">", "<=", ">=") whose 1 or 0 becomes the
//   running result (an unknown operator such as "=" leaves it unchanged).
//   "&&" and "||" start the next comparison; "&&" binds tighter, so
//   "0==1&&1==1||2==2" is true. Every other character (blanks, a lone "&"
//   or "|", letters, signs, parentheses) is skipped: names are never
//   looked up, so "DEBUG" is false, and a lone number beside "&&" or "||"
//   is not a comparison ("1&&1" is false).
// Numbers beyond 2147483647 count as 2147483647.
#pragma once

// Evaluates text (null counts as empty). Prints "compare of [text]" and one
// "[left op right] ret = result" line per comparison to standard output.
// Returns 1 for true, 0 for false.
int EvaluateDirectiveExpression(const char* text);
