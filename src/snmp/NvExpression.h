#pragma once

#include <QString>

// The small evaluator behind the items' read and write expressions and the rows' conditions.
// Grammar, loosest binding first:
//   or:      and { ("||" | "or") and }
//   and:     compare { ("&&" | "and") compare }
//   compare: sum [ ("=" | "==" | "!=" | "<>" | "<" | "<=" | ">" | ">=") sum ]
//   sum:     product { ("+" | "-") product }
//   product: unary { ("*" | "/" | "%" | "div" | "mod") unary }
//   unary:   ("-" | "+" | "!" | "not") unary | primary
//   primary: number | "double-quoted text" | "true" | "false" | "NOW" | "(" or ")"
// Words are matched without regard to case. Comparisons and logic give 1 or 0; texts may only
// be compared with texts. NOW is the local time as a day count since 30 December 1899.
// Anything malformed, division by zero and arithmetic on texts raise NvError -513.
namespace NvExpression {

double Evaluate(const QString& text);

} // namespace NvExpression
