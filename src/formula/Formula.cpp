#include "formula/Formula.h"

#include "formula/FormulaFunctions.h"
#include "formula/FormulaNumbers.h"
#include "formula/FormulaParser.h"

#include <QtGlobal>
#include <cmath>

namespace {
using Cell = FormulaCell;

std::string textOf(const Cell& c, const FormulaTextPool& texts) {
    switch (c.kind) {
    case Cell::Number:
        return FormulaNumbers::format(c.number);
    case Cell::Boolean:
        return c.number != 0 ? "TRUE" : "FALSE";
    case Cell::Text:
        return texts[c.text];
    case Cell::Error:
        break;
    }
    return {};
}

Cell power(double a, double b) {
    if (a == 0 && b == 0)
        return Cell::failed(FormulaError::Number);
    if (a == 0 && b < 0)
        return Cell::failed(FormulaError::DivideByZero);
    if (b == 2)
        return Cell::finite(a * a);
    return Cell::finite(std::pow(a, b));
}

// Numbers before texts before truth values; texts without regard to case.
int compare(const Cell& a, const Cell& b, const FormulaTextPool& texts) {
    const auto rank = [](const Cell& c) {
        return c.kind == Cell::Number ? 0 : c.kind == Cell::Text ? 1 : 2;
    };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    if (a.kind == Cell::Text)
        return QString::compare(QString::fromStdString(texts[a.text]),
                                QString::fromStdString(texts[b.text]), Qt::CaseInsensitive);
    return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
}
} // namespace

std::optional<Formula> Formula::compile(const QString& text, QString* error,
                                        const QString& variable) {
    Formula f;
    FormulaParser parser(text, variable);
    if (!parser.parse(f)) {
        if (error)
            *error = parser.error();
        return std::nullopt;
    }
    f.makeNumericProgram();
    return f;
}

void Formula::makeNumericProgram() {
    using N = FormulaNumericProgram::Op;
    std::vector<FormulaNumericProgram::Step> numeric;
    for (const Step& s : steps_) {
        N op;
        switch (s.op) {
        case Op::Number:
            op = N::Number;
            break;
        case Op::Slot:
            op = N::Slot;
            break;
        case Op::Error:
            op = N::Error;
            break;
        case Op::Negate:
            op = N::Negate;
            break;
        case Op::Percent:
            op = N::Percent;
            break;
        case Op::Add:
            op = N::Add;
            break;
        case Op::Subtract:
            op = N::Subtract;
            break;
        case Op::Multiply:
            op = N::Multiply;
            break;
        case Op::Divide:
            op = N::Divide;
            break;
        case Op::Power:
            op = N::Power;
            break;
        case Op::Call:
            // IF may drop an error of the branch it does not take.
            if (s.index < 0 || s.count > FormulaNumericProgram::maxCallArguments ||
                s.index == FormulaFunctions::find(u"IF"))
                return;
            op = N::Call;
            break;
        default:
            return;
        }
        numeric.push_back({op, FormulaNumericProgram::Operand::Stack, s.count, s.index, s.number});
    }
    numeric_.emplace(numeric, depth_);
}

bool Formula::uses(int slot) const {
    for (const Step& s : steps_)
        if (s.op == Op::Slot && s.index == slot)
            return true;
    return false;
}

FormulaValue Formula::evaluate(std::span<const double> inputs) const {
    if (numeric_)
        return numeric_->evaluate(inputs);
    constexpr int inlineDepth = 64;
    Cell inlineStack[inlineDepth];
    std::vector<Cell> bigStack;
    Cell* stack = inlineStack;
    if (depth_ > inlineDepth) {
        bigStack.resize(size_t(depth_));
        stack = bigStack.data();
    }
    FormulaTextPool texts;
    int top = -1;
    for (const Step& s : steps_) {
        switch (s.op) {
        case Op::Number:
            stack[++top] = Cell::of(s.number);
            continue;
        case Op::Boolean:
            stack[++top] = Cell::truth(s.index != 0);
            continue;
        case Op::Text:
            texts.push_back(texts_[size_t(s.index)]);
            stack[++top] = {0, std::uint32_t(texts.size() - 1), Cell::Text, FormulaError::None};
            continue;
        case Op::Error:
            stack[++top] = Cell::failed(FormulaError(s.index));
            continue;
        case Op::Slot:
            stack[++top] = Cell::of(size_t(s.index) < inputs.size() ? inputs[size_t(s.index)] : 0);
            continue;
        case Op::Call: {
            top -= s.count;
            stack[top + 1] = FormulaFunctions::call(s.index, stack + top + 1, s.count, texts);
            ++top;
            continue;
        }
        default:
            break;
        }
        if (s.op == Op::Negate || s.op == Op::Percent) {
            Cell& a = stack[top];
            a = FormulaFunctions::toNumber(a, texts);
            if (a.kind == Cell::Number)
                a.number = s.op == Op::Negate ? -a.number : a.number / 100;
            continue;
        }
        // Binary operators: the left operand's error comes first.
        Cell& a = stack[top - 1];
        Cell b = stack[top--];
        if (a.kind == Cell::Error)
            continue;
        if (b.kind == Cell::Error) {
            a = b;
            continue;
        }
        if (s.op == Op::Concat) {
            texts.push_back(textOf(a, texts) + textOf(b, texts));
            a = {0, std::uint32_t(texts.size() - 1), Cell::Text, FormulaError::None};
            continue;
        }
        if (s.op >= Op::Equal) {
            const int c = compare(a, b, texts);
            bool r = false;
            switch (s.op) {
            case Op::Equal:
                r = c == 0;
                break;
            case Op::NotEqual:
                r = c != 0;
                break;
            case Op::Less:
                r = c < 0;
                break;
            case Op::Greater:
                r = c > 0;
                break;
            case Op::LessEqual:
                r = c <= 0;
                break;
            default:
                r = c >= 0;
                break;
            }
            a = Cell::truth(r);
            continue;
        }
        if (a.kind != Cell::Number)
            a = FormulaFunctions::toNumber(a, texts);
        if (b.kind != Cell::Number)
            b = FormulaFunctions::toNumber(b, texts);
        if (a.kind == Cell::Error)
            continue;
        if (b.kind == Cell::Error) {
            a = b;
            continue;
        }
        switch (s.op) {
        case Op::Add:
            a = Cell::finite(a.number + b.number);
            break;
        case Op::Subtract:
            a = Cell::finite(a.number - b.number);
            break;
        case Op::Multiply:
            a = Cell::finite(a.number * b.number);
            break;
        case Op::Divide:
            a = b.number == 0 ? Cell::failed(FormulaError::DivideByZero)
                              : Cell::finite(a.number / b.number);
            break;
        default:
            a = power(a.number, b.number);
            break;
        }
    }
    const Cell& r = stack[0];
    switch (r.kind) {
    case Cell::Number:
        return FormulaValue::number(r.number);
    case Cell::Boolean:
        return FormulaValue::boolean(r.number != 0);
    case Cell::Text:
        return FormulaValue::text(QString::fromStdString(texts[r.text]));
    case Cell::Error:
        break;
    }
    return FormulaValue::error(r.error);
}
