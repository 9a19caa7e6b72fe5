#pragma once
// Turns the tokens of a formula into the steps of a Formula (operands before their operator),
// by recursive descent over the spreadsheet's operator levels. Used by Formula::compile only.
#include "formula/Formula.h"
#include "formula/FormulaTokenizer.h"

class FormulaParser {
public:
    FormulaParser(const QString& text, const QString& variable);
    // false with the reason in error().
    bool parse(Formula& into);
    const QString& error() const { return error_; }

private:
    bool comparison();
    bool concatenation();
    bool additive();
    bool multiplicative();
    bool power();
    bool percent();
    bool unary();
    bool primary();
    bool name(const FormulaToken& token);

    bool isOperator(const char* op) const;
    const FormulaToken* peek() const;
    bool fail(const QString& why);
    void add(Formula::Op op, int index = 0, double number = 0, int count = 0);
    // Stack depth of the steps so far.
    void push(int n) {
        depth_ += n;
        maxDepth_ = std::max(maxDepth_, depth_);
    }

    std::vector<FormulaToken> tokens_;
    size_t at_ = 0;
    QString variable_;
    Formula* out_ = nullptr;
    int depth_ = 0;
    int maxDepth_ = 0;
    QString error_;
};
