#include "stats/ClassOrder.h"

#include "platform/NumberText.h"
#include "stats/StatisticsComponent.h"

#include <algorithm>
#include <numeric>

bool ClassOrder::before(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() && !b.isEmpty();
    const auto x = NumberText::fromText(QStringView(a));
    const auto y = NumberText::fromText(QStringView(b));
    if (x && y)
        return *x < *y;
    if (x || y)
        return bool(x);
    return a < b;
}

std::vector<int> ClassOrder::sorted(const StatisticsComponent& component) {
    std::vector<int> order(size_t(component.ClassCount()));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&component](int a, int b) {
        return before(component.ClassName(a), component.ClassName(b));
    });
    return order;
}

QString ClassOrder::unordered(const QString& statement) {
    const qsizetype at =
        statement.lastIndexOf(QLatin1String(" ORDER BY "), -1, Qt::CaseInsensitive);
    // Only a closing clause of column numbers: a bracketed name may hold the words too.
    if (at < 0 || statement.indexOf(QLatin1Char(']'), at) >= 0)
        return statement;
    return statement.left(at);
}
