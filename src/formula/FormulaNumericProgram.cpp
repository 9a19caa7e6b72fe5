#include "formula/FormulaNumericProgram.h"

#include "formula/FormulaFunctions.h"

#include <cmath>

namespace {
using Op = FormulaNumericProgram::Op;
using Operand = FormulaNumericProgram::Operand;

bool binary(Op op) {
    return op >= Op::Add && op <= Op::Power;
}
} // namespace

FormulaNumericProgram::FormulaNumericProgram(const std::vector<Step>& steps, int depth)
    : depth_(depth) {
    // A binary operator whose right operand is the step just before it takes that operand in.
    for (const Step& s : steps) {
        if (binary(s.op) && steps_.size() >= 2 &&
            (steps_.back().op == Op::Slot || steps_.back().op == Op::Number)) {
            const Step operand = steps_.back();
            steps_.pop_back();
            Step fused = s;
            fused.right = operand.op == Op::Slot ? Operand::Slot : Operand::Number;
            fused.index = operand.index;
            fused.number = operand.number;
            steps_.push_back(fused);
            continue;
        }
        steps_.push_back(s);
    }
}

FormulaValue FormulaNumericProgram::evaluate(std::span<const double> inputs) const {
    constexpr int inlineDepth = 64;
    double inlineStack[inlineDepth];
    std::vector<double> bigStack;
    double* stack = inlineStack;
    if (depth_ > inlineDepth) {
        bigStack.resize(size_t(depth_));
        stack = bigStack.data();
    }
    const auto slot = [&inputs](int i) {
        return size_t(i) < inputs.size() ? inputs[size_t(i)] : 0.0;
    };
    int top = -1;
    for (const Step& s : steps_) {
        switch (s.op) {
        case Op::Number:
            stack[++top] = s.number;
            continue;
        case Op::Slot:
            stack[++top] = slot(s.index);
            continue;
        case Op::Error:
            return FormulaValue::error(FormulaError(s.index));
        case Op::Negate:
            stack[top] = -stack[top];
            continue;
        case Op::Percent:
            stack[top] /= 100;
            continue;
        case Op::Call: {
            FormulaCell args[maxCallArguments];
            FormulaTextPool none;
            top -= s.count;
            for (int i = 0; i < s.count; ++i)
                args[i] = FormulaCell::of(stack[top + 1 + i]);
            const FormulaCell r = FormulaFunctions::call(s.index, args, s.count, none);
            if (r.kind == FormulaCell::Error)
                return FormulaValue::error(r.error);
            stack[++top] = r.number;
            continue;
        }
        default:
            break;
        }
        const double b = s.right == Operand::Slot     ? slot(s.index)
                         : s.right == Operand::Number ? s.number
                                                      : stack[top--];
        double& a = stack[top];
        switch (s.op) {
        case Op::Add:
            a += b;
            break;
        case Op::Subtract:
            a -= b;
            break;
        case Op::Multiply:
            a *= b;
            break;
        case Op::Divide:
            if (b == 0)
                return FormulaValue::error(FormulaError::DivideByZero);
            a /= b;
            break;
        default:
            if (a == 0 && b <= 0)
                return FormulaValue::error(b == 0 ? FormulaError::Number
                                                  : FormulaError::DivideByZero);
            a = b == 2 ? a * a : std::pow(a, b);
            break;
        }
        if (!std::isfinite(a))
            return FormulaValue::error(FormulaError::Number);
    }
    return FormulaValue::number(stack[0]);
}
