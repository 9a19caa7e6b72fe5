#include "formula/FormulaParser.h"

#include "formula/FormulaFunctions.h"

#include <QRegularExpression>

using Kind = FormulaToken::Kind;

FormulaParser::FormulaParser(const QString& text, const QString& variable)
    : tokens_(FormulaTokenizer::tokens(text))
    , variable_(variable) {}

const FormulaToken* FormulaParser::peek() const {
    return at_ < tokens_.size() ? &tokens_[at_] : nullptr;
}

bool FormulaParser::isOperator(const char* op) const {
    const FormulaToken* t = peek();
    return t && t->kind == Kind::Operator && t->text == QLatin1String(op);
}

bool FormulaParser::fail(const QString& why) {
    if (error_.isEmpty())
        error_ = why;
    return false;
}

void FormulaParser::add(Formula::Op op, int index, double number, int count) {
    out_->steps_.push_back({op, std::uint8_t(count), std::int16_t(index), number});
}

bool FormulaParser::parse(Formula& into) {
    out_ = &into;
    if (isOperator("="))
        ++at_;
    if (!peek())
        return fail(QStringLiteral("The formula is empty."));
    if (!comparison())
        return false;
    if (const FormulaToken* t = peek())
        return fail(QStringLiteral("Unexpected \"") + t->text + QStringLiteral("\" at ") +
                    QString::number(t->start + 1) + QLatin1Char('.'));
    into.depth_ = maxDepth_;
    return true;
}

bool FormulaParser::comparison() {
    if (!concatenation())
        return false;
    static const std::pair<const char*, Formula::Op> ops[] = {
        {"=", Formula::Op::Equal},      {"<>", Formula::Op::NotEqual},
        {"<", Formula::Op::Less},       {">", Formula::Op::Greater},
        {"<=", Formula::Op::LessEqual}, {">=", Formula::Op::GreaterEqual}};
    for (bool more = true; more;) {
        more = false;
        for (const auto& [text, op] : ops)
            if (isOperator(text)) {
                ++at_;
                if (!concatenation())
                    return false;
                add(op);
                push(-1);
                more = true;
                break;
            }
    }
    return true;
}

bool FormulaParser::concatenation() {
    if (!additive())
        return false;
    while (isOperator("&")) {
        ++at_;
        if (!additive())
            return false;
        add(Formula::Op::Concat);
        push(-1);
    }
    return true;
}

bool FormulaParser::additive() {
    if (!multiplicative())
        return false;
    while (isOperator("+") || isOperator("-")) {
        const bool plus = isOperator("+");
        ++at_;
        if (!multiplicative())
            return false;
        add(plus ? Formula::Op::Add : Formula::Op::Subtract);
        push(-1);
    }
    return true;
}

bool FormulaParser::multiplicative() {
    if (!power())
        return false;
    while (isOperator("*") || isOperator("/")) {
        const bool times = isOperator("*");
        ++at_;
        if (!power())
            return false;
        add(times ? Formula::Op::Multiply : Formula::Op::Divide);
        push(-1);
    }
    return true;
}

bool FormulaParser::power() {
    if (!percent())
        return false;
    while (isOperator("^")) {
        ++at_;
        if (!percent())
            return false;
        add(Formula::Op::Power);
        push(-1);
    }
    return true;
}

bool FormulaParser::percent() {
    if (!unary())
        return false;
    while (isOperator("%")) {
        ++at_;
        add(Formula::Op::Percent);
    }
    return true;
}

bool FormulaParser::unary() {
    if (isOperator("-")) {
        ++at_;
        if (!unary())
            return false;
        add(Formula::Op::Negate);
        return true;
    }
    if (isOperator("+")) {
        ++at_;
        return unary();
    }
    return primary();
}

bool FormulaParser::primary() {
    const FormulaToken* t = peek();
    if (!t)
        return fail(QStringLiteral("The formula ends too early."));
    ++at_;
    switch (t->kind) {
    case Kind::Number:
        add(Formula::Op::Number, 0, t->number);
        push(1);
        return true;
    case Kind::Text:
        if (out_->texts_.size() >= 32000)
            return fail(QStringLiteral("Too many texts."));
        add(Formula::Op::Text, int(out_->texts_.size()));
        out_->texts_.push_back(t->text.toStdString());
        push(1);
        return true;
    case Kind::Name:
        return name(*t);
    case Kind::Open:
        if (!comparison())
            return false;
        if (!peek() || peek()->kind != Kind::Close)
            return fail(QStringLiteral("A \")\" is missing."));
        ++at_;
        return true;
    default:
        break;
    }
    return fail(QStringLiteral("Unexpected \"") + t->text + QStringLiteral("\" at ") +
                QString::number(t->start + 1) + QLatin1Char('.'));
}

bool FormulaParser::name(const FormulaToken& t) {
    if (peek() && peek()->kind == Kind::Open) {
        ++at_;
        const int id = FormulaFunctions::find(t.text);
        int count = 0;
        if (peek() && peek()->kind == Kind::Close) {
            ++at_;
        } else {
            for (;;) {
                if (!comparison())
                    return false;
                ++count;
                if (peek() && peek()->kind == Kind::Comma) {
                    ++at_;
                    continue;
                }
                if (peek() && peek()->kind == Kind::Close) {
                    ++at_;
                    break;
                }
                return fail(QStringLiteral("A \")\" is missing after the arguments of ") + t.text +
                            QLatin1Char('.'));
            }
        }
        if (count > 255)
            return fail(QStringLiteral("Too many arguments for ") + t.text + QLatin1Char('.'));
        if (id >= 0) {
            const auto& f = FormulaFunctions::info(id);
            if (count < f.minArguments || (f.maxArguments >= 0 && count > f.maxArguments))
                return fail(QStringLiteral("Wrong number of arguments for ") +
                            QLatin1String(f.name) + QLatin1Char('.'));
        }
        add(Formula::Op::Call, id, 0, count);
        push(1 - count);
        if (count == 0)
            maxDepth_ = std::max(maxDepth_, depth_);
        return true;
    }
    static const QRegularExpression cell(QStringLiteral("^\\$?([A-Fa-f])\\$?1$"));
    const auto m = cell.match(t.text);
    if (m.hasMatch()) {
        add(Formula::Op::Slot, m.captured(1).toUpper()[0].unicode() - 'A');
    } else if (t.text.compare(variable_, Qt::CaseInsensitive) == 0) {
        add(Formula::Op::Slot, Formula::variableSlot);
    } else if (t.text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ||
               t.text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
        add(Formula::Op::Boolean, t.text.size() == 4 ? 1 : 0);
    } else {
        add(Formula::Op::Error, int(FormulaError::Name));
    }
    push(1);
    return true;
}
