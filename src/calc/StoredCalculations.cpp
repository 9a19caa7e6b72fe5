#include "calc/StoredCalculations.h"

#include "platform/Connection.h"
#include "platform/TransactionScope.h"

namespace {
QString columns() {
    QStringList c{QStringLiteral("[Name]"), QStringLiteral("[Equation]")};
    for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
        const QChar letter = QLatin1Char(char('A' + v));
        c << QStringLiteral("[") + letter + QStringLiteral("Table]")
          << QStringLiteral("[") + letter + QStringLiteral("Field]");
    }
    return c.join(QStringLiteral(", "));
}
} // namespace

QStringList StoredCalculations::names() const {
    QStringList out;
    if (const auto rows = system_.query(QStringLiteral("SELECT [Name] FROM [UserCalc] ORDER BY "
                                                       "[Name]")))
        for (qsizetype r = 0; r < rows->rowCount(); ++r)
            out << rows->at(r, 0).toText();
    return out;
}

std::optional<UserCalculation> StoredCalculations::load(const QString& name) const {
    const auto rows = system_.query(QStringLiteral("SELECT ") + columns() +
                                        QStringLiteral(" FROM [UserCalc] WHERE [Name] = ?"),
                                    {CellValue::text(name)});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    UserCalculation c;
    c.name = rows->at(0, 0).toText();
    c.equation = rows->at(0, 1).toText();
    for (int v = 0; v < UserCalcFormula::variableCount; ++v)
        c.variables[size_t(v)] = {rows->at(0, 2 + 2 * v).toText(), rows->at(0, 3 + 2 * v).toText()};
    return c;
}

bool StoredCalculations::save(const UserCalculation& c) {
    TransactionScope transaction(system_);
    if (!transaction.began() ||
        !system_.execute(QStringLiteral("DELETE FROM [UserCalc] WHERE [Name] = ?"),
                         {CellValue::text(c.name)}))
        return false;
    std::vector<CellValue> values{CellValue::text(c.name), CellValue::text(c.equation)};
    for (const CalcVariable& v : c.variables)
        values.insert(values.end(), {CellValue::text(v.table), CellValue::text(v.field)});
    QStringList marks;
    for (size_t i = 0; i < values.size(); ++i)
        marks << QStringLiteral("?");
    return system_.execute(QStringLiteral("INSERT INTO [UserCalc] (") + columns() +
                               QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) +
                               QLatin1Char(')'),
                           values) &&
           transaction.commit();
}

bool StoredCalculations::remove(const QString& name) {
    return system_
        .execute(QStringLiteral("DELETE FROM [UserCalc] WHERE [Name] = ?"), {CellValue::text(name)})
        .has_value();
}

QString StoredCalculations::lastError() const {
    return system_.lastError();
}
