#include "clipdata/ColumnTypeInferrer.h"

#include "platform/FieldNumber.h"
#include "platform/Sheet.h"

#include <algorithm>
#include <cmath>

namespace {
using Category = ColumnTypeInferrer::Category;

// A text with leading zeros ("007") is a name, not a number: its column keeps the zeros.
Category categoryOf(const Sheet& page, int row, int column) {
    const std::optional<double> n = page.isNumber(row, column)
                                        ? page.number(row, column)
                                        : FieldNumber::of(page.text(row, column));
    if (!n || !std::isfinite(*n))
        return Category::Text;
    if (*n != std::floor(*n))
        return Category::Double;
    return (*n < -32768 || *n > 32767) ? Category::Long : Category::Integer;
}
} // namespace

QString ColumnTypeInferrer::ColumnType::jetType() const {
    switch (category) {
    case Category::Integer:
        return QStringLiteral("INTEGER");
    case Category::Long:
        return QStringLiteral("LONG");
    case Category::Double:
        return QStringLiteral("DOUBLE");
    case Category::Date:
        return QStringLiteral("DATE");
    case Category::Text:
        break;
    }
    return QStringLiteral("TEXT (%1)").arg(textLength);
}

ColumnTypeInferrer::ColumnType ColumnTypeInferrer::infer(const Sheet& page, int column,
                                                         bool isKey) {
    const QString heading = page.text(1, column);
    if (heading.contains(QLatin1String("Date")) || heading.contains(QLatin1String("Time")))
        return {Category::Date, 0};
    bool any = false;
    Category widest = Category::Integer;
    qsizetype longest = 0;
    for (int row = 2; row <= page.lastRow(); ++row) {
        if (page.isEmpty(row, column))
            continue;
        any = true;
        widest = std::max(widest, categoryOf(page, row, column));
        longest = std::max(longest, page.text(row, column).size());
    }
    if (!any || widest == Category::Text)
        return {Category::Text, longest < 11 ? 10 : longest < 51 ? 50 : 255};
    if (isKey && widest == Category::Integer)
        widest = Category::Long;
    return {widest, 0};
}
