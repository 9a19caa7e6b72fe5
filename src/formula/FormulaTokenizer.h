#pragma once
// Splits a formula text into the tokens of the spreadsheet syntax: numbers in the C locale with
// exponents, names (functions, cell references, variables), quoted texts, operators and
// punctuation. The evaluator parses these, and rewriting replaces whole name tokens only.
#include <QString>
#include <vector>

struct FormulaToken {
    enum class Kind { Number, Name, Text, Operator, Open, Close, Comma, Invalid };
    Kind kind = Kind::Invalid;
    qsizetype start = 0;  // position in the formula text
    qsizetype length = 0; // characters the token covers there
    QString text;         // the name, the operator, or the text without its quotes
    double number = 0;
};

class FormulaTokenizer {
public:
    // Blanks between tokens are skipped. An unclosed text or a stray character gives an Invalid
    // token at its place (and nothing after it).
    static std::vector<FormulaToken> tokens(const QString& formula);
};
