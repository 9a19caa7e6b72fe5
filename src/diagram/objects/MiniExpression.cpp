#include "diagram/objects/MiniExpression.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {

using Node = std::function<double(double)>;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Recursive descent over the text: sum := product (('+'|'-') product)*, product := power
// (('*'|'/') power)*, power := unary ('^' power)?, unary := '-' unary | atom.
class Parser {
public:
    explicit Parser(QString text)
        : s_(text.remove(QLatin1Char(' ')).toLower()) {}

    Node parseAll() {
        Node n = sum();
        return ok_ && i_ == s_.size() ? n : Node();
    }

private:
    QChar peek() const { return i_ < s_.size() ? s_[i_] : QChar(); }
    bool eat(char c) {
        if (peek() != QLatin1Char(c))
            return false;
        ++i_;
        return true;
    }
    Node fail() {
        ok_ = false;
        return [](double) { return nan; };
    }
    Node sum() {
        Node left = product();
        while (ok_) {
            if (eat('+')) {
                Node r = product();
                left = [left, r](double x) { return left(x) + r(x); };
            } else if (eat('-')) {
                Node r = product();
                left = [left, r](double x) { return left(x) - r(x); };
            } else {
                break;
            }
        }
        return left;
    }
    Node product() {
        Node left = power();
        while (ok_) {
            if (eat('*')) {
                Node r = power();
                left = [left, r](double x) { return left(x) * r(x); };
            } else if (eat('/')) {
                Node r = power();
                left = [left, r](double x) {
                    const double d = r(x);
                    return d == 0 ? nan : left(x) / d;
                };
            } else {
                break;
            }
        }
        return left;
    }
    Node power() {
        Node base = unary();
        if (ok_ && eat('^')) {
            Node e = power();
            return [base, e](double x) { return std::pow(base(x), e(x)); };
        }
        return base;
    }
    Node unary() {
        if (eat('-')) {
            Node n = unary();
            return [n](double x) { return -n(x); };
        }
        eat('+');
        return atom();
    }
    Node atom() {
        if (eat('(')) {
            Node n = sum();
            return eat(')') ? n : fail();
        }
        const qsizetype start = i_;
        if (peek().isDigit() || peek() == QLatin1Char('.')) {
            while (peek().isDigit() || peek() == QLatin1Char('.'))
                ++i_;
            if (peek() == QLatin1Char('e') && i_ + 1 < s_.size() &&
                (s_[i_ + 1].isDigit() || s_[i_ + 1] == QLatin1Char('-') ||
                 s_[i_ + 1] == QLatin1Char('+'))) {
                i_ += 2;
                while (peek().isDigit())
                    ++i_;
            }
            bool ok = false;
            const double v = s_.mid(start, i_ - start).toDouble(&ok);
            return ok ? Node([v](double) { return v; }) : fail();
        }
        while (peek().isLetter())
            ++i_;
        const QString name = s_.mid(start, i_ - start);
        if (name == QLatin1String("x"))
            return [](double x) { return x; };
        static const std::pair<const char*, double (*)(double)> functions[] = {
            {"exp", [](double v) { return std::exp(v); }},
            {"ln", [](double v) { return v > 0 ? std::log(v) : nan; }},
            {"log", [](double v) { return v > 0 ? std::log10(v) : nan; }},
            {"sqrt", [](double v) { return v >= 0 ? std::sqrt(v) : nan; }},
            {"abs", [](double v) { return std::abs(v); }},
        };
        for (const auto& [fname, f] : functions) {
            if (name == QLatin1String(fname) && eat('(')) {
                Node arg = sum();
                if (!eat(')'))
                    return fail();
                return [arg, f](double x) { return f(arg(x)); };
            }
        }
        return fail();
    }

    QString s_;
    qsizetype i_ = 0;
    bool ok_ = true;
};

class ParsedFunction : public LineFunction {
public:
    explicit ParsedFunction(Node n)
        : n_(std::move(n)) {}
    double at(double v) const override {
        const double y = n_(v);
        return std::isfinite(y) ? y : nan;
    }

private:
    Node n_;
};

} // namespace

std::unique_ptr<LineFunction> MiniExpression::parse(const QString& expression) {
    Node n = Parser(expression).parseAll();
    if (!n || expression.trimmed().isEmpty())
        return nullptr;
    return std::make_unique<ParsedFunction>(std::move(n));
}
