#include "filter/AutoFilterMaker.h"

#include "filter/FilterNames.h"
#include "filter/FilterViews.h"
#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "query/SqlNames.h"

QString AutoFilterMaker::distinctStatement(const QString& table, const QString& field) {
    return QStringLiteral("SELECT DISTINCT (") + SqlNames::field(table, field) +
           QStringLiteral(") FROM ") + SqlNames::bracketed(table);
}

QString AutoFilterMaker::literal(const CellValue& value) {
    switch (value.kind()) {
    case CellValue::Kind::Number:
        return value.toText();
    case CellValue::Kind::Boolean:
        return value.toBoolean().value_or(false) ? QStringLiteral("True") : QStringLiteral("False");
    case CellValue::Kind::Date:
        return u'#' + value.toText() + u'#';
    default:
        return JetSqlQuoting::text(value.toText());
    }
}

QString AutoFilterMaker::definition(const QString& table, const QString& field,
                                    const CellValue& value) {
    const QString condition =
        value.isNull() ? QStringLiteral("Is Null") : QStringLiteral("= ") + literal(value);
    return QStringLiteral("SELECT * FROM ") + SqlNames::bracketed(table) +
           QStringLiteral(" WHERE ((") + SqlNames::field(table, field) + u' ' + condition +
           QStringLiteral("))");
}

QString AutoFilterMaker::viewName(const QString& prefix, const CellValue& value) {
    const QString name = value.isNull() ? QStringLiteral("Null") : value.toText();
    return FilterNames::prefix() + prefix + FilterNames::sanitize(name, true);
}

std::optional<std::vector<CellValue>> AutoFilterMaker::distinctValues(const QString& table,
                                                                      const QString& field) {
    const auto rows = db_.query(distinctStatement(table, field));
    if (!rows) {
        error_ = db_.lastError();
        return std::nullopt;
    }
    std::vector<CellValue> values;
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        values.push_back(rows->at(r, 0));
    return values;
}

AutoFilterMaker::Outcome AutoFilterMaker::make(const QString& table, const QString& field,
                                               const QString& prefix,
                                               const std::vector<CellValue>& values) {
    Outcome outcome;
    FilterViews views(db_);
    for (const CellValue& v : values) {
        const QString view = viewName(prefix, v);
        if (FilterNames::refusal(view).isEmpty() && !views.exists(view) &&
            views.create(view, definition(table, field, v)))
            ++outcome.made;
        else
            outcome.skipped << view;
    }
    return outcome;
}
