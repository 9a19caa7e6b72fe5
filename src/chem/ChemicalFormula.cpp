#include "chem/ChemicalFormula.h"

#include "chem/ElementTable.h"

#include <algorithm>
#include <cmath>

namespace {
void add(ChemicalFormula::Amounts& to, int z, double amount) {
    for (auto& [element, have] : to)
        if (element == z) {
            have += amount;
            return;
        }
    to.emplace_back(z, amount);
}

void addScaled(ChemicalFormula::Amounts& to, const ChemicalFormula::Amounts& from, double scale) {
    for (const auto& [z, amount] : from)
        add(to, z, amount * scale);
}

// A recursive-descent reader over the formula with its blanks removed.
class Reader {
public:
    explicit Reader(QString text)
        : text_(std::move(text)) {}

    std::optional<ChemicalFormula::Amounts> formula() {
        ChemicalFormula::Amounts total;
        do {
            const double coefficient = number().value_or(1.0);
            ChemicalFormula::Amounts part;
            if (!sequence(part, QChar()))
                return std::nullopt;
            if (part.empty()) {
                fail(QStringLiteral("Empty part in the formula"));
                return std::nullopt;
            }
            addScaled(total, part, coefficient);
        } while (joiner());
        if (pos_ < text_.size()) {
            fail(QStringLiteral("Unexpected \"") + text_[pos_] +
                 QStringLiteral("\" in the formula"));
            return std::nullopt;
        }
        return total;
    }

    QString error;

private:
    bool fail(const QString& why) {
        if (error.isEmpty())
            error = why;
        return false;
    }
    QChar peek() const { return pos_ < text_.size() ? text_[pos_] : QChar(); }
    bool joiner() {
        const QChar c = peek();
        if (c == QChar(0x00B7) || c == QChar(0x2022) || c == QLatin1Char('*')) {
            ++pos_;
            return true;
        }
        return false;
    }
    static QChar closing(QChar open) {
        return open == QLatin1Char('(')   ? QLatin1Char(')')
               : open == QLatin1Char('[') ? QLatin1Char(']')
                                          : QLatin1Char('}');
    }

    // A count: 2, 0.5, .5 or 1/2; nullopt when none stands here.
    std::optional<double> number() {
        const qsizetype start = pos_;
        while (peek().isDigit() || peek() == QLatin1Char('.'))
            ++pos_;
        if (pos_ == start)
            return std::nullopt;
        bool ok = false;
        double value = text_.mid(start, pos_ - start).toDouble(&ok);
        if (!ok) {
            pos_ = start;
            return std::nullopt;
        }
        if (peek() == QLatin1Char('/') && pos_ + 1 < text_.size() && text_[pos_ + 1].isDigit()) {
            const qsizetype denominatorStart = ++pos_;
            while (peek().isDigit())
                ++pos_;
            const double denominator =
                text_.mid(denominatorStart, pos_ - denominatorStart).toDouble();
            if (denominator == 0.0) {
                fail(QStringLiteral("Division by zero in a count"));
                return std::nullopt;
            }
            value /= denominator;
        }
        return value;
    }

    // Elements and groups up to the closing character (or the end, or a joiner). Inside a
    // group, commas split it into site members.
    bool sequence(ChemicalFormula::Amounts& out, QChar close) {
        std::vector<std::pair<ChemicalFormula::Amounts, std::optional<double>>> members(1);
        while (pos_ < text_.size()) {
            const QChar c = peek();
            if (c == close || c == QChar(0x00B7) || c == QChar(0x2022) || c == QLatin1Char('*'))
                break;
            if (c == QLatin1Char(',') && !close.isNull()) {
                ++pos_;
                members.emplace_back();
                continue;
            }
            ChemicalFormula::Amounts item;
            if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
                if (++depth_ > maxDepth)
                    return fail(QStringLiteral("Groups nested too deeply in the formula"));
                ++pos_;
                if (!sequence(item, closing(c)))
                    return false;
                --depth_;
                if (peek() != closing(c))
                    return fail(QStringLiteral("Missing \"") + closing(c) +
                                QStringLiteral("\" in the formula"));
                ++pos_;
            } else if (c.isUpper()) {
                qsizetype end = pos_ + 1;
                while (end < text_.size() && text_[end].isLower())
                    ++end;
                // The longest symbol that exists: "Co" before "C" followed by "o" never occurs,
                // but "Unh" and "Sn" both read whole.
                int z = 0;
                for (qsizetype len = end - pos_; len >= 1 && !z; --len)
                    if ((z = ElementTable::instance().atomicNumber(text_.mid(pos_, len))))
                        end = pos_ + len;
                if (!z)
                    return fail(QStringLiteral("Unknown element ") + text_.mid(pos_, end - pos_));
                item.emplace_back(z, 1.0);
                pos_ = end;
            } else {
                return fail(QStringLiteral("Unexpected \"") + c +
                            QStringLiteral("\" in the formula"));
            }
            const std::optional<double> count = number();
            if (!error.isEmpty())
                return false;
            addScaled(members.back().first, item, count.value_or(1.0));
            // A member made of one element with a count states its share of the site.
            if (members.back().first.size() == 1 && count)
                members.back().second = members.back().first.front().second;
        }
        if (members.size() == 1) {
            addScaled(out, members.front().first, 1.0);
            return true;
        }
        // Site members: stated shares are kept; the others share what is left of one site.
        double stated = 0.0;
        int unstated = 0;
        for (const auto& [amounts, share] : members) {
            if (amounts.empty())
                return fail(QStringLiteral("Empty site member in the formula"));
            if (share)
                stated += *share;
            else
                ++unstated;
        }
        const double rest = unstated ? std::max(0.0, 1.0 - stated) / unstated : 0.0;
        for (const auto& [amounts, share] : members) {
            if (share) {
                addScaled(out, amounts, 1.0);
            } else {
                const double total = amounts.size() == 1 ? amounts.front().second : 1.0;
                addScaled(out, amounts, rest / total);
            }
        }
        return true;
    }

    static constexpr int maxDepth = 16;
    QString text_;
    qsizetype pos_ = 0;
    int depth_ = 0;
};
} // namespace

std::optional<ChemicalFormula::Amounts> ChemicalFormula::parse(const QString& formula,
                                                               QString* error) {
    QString text = formula;
    text.remove(QLatin1Char(' '));
    Reader reader(text);
    std::optional<Amounts> amounts;
    if (text.isEmpty())
        reader.error = QStringLiteral("No formula");
    else
        amounts = reader.formula();
    for (const auto& [z, amount] : amounts ? *amounts : Amounts())
        if (!std::isfinite(amount)) {
            amounts.reset();
            reader.error = QStringLiteral("A count in the formula is too large");
        }
    if (!amounts && error)
        *error = reader.error;
    return amounts;
}

double ChemicalFormula::molarMass(const Amounts& amounts) {
    double mass = 0.0;
    for (const auto& [z, amount] : amounts)
        mass += amount * ElementTable::instance().atomicWeight(z);
    return mass;
}
