#include "filter/FilterCombiner.h"

#include "db/SchemaCatalogue.h"
#include "db/SchemaMapper.h"
#include "filter/DiagramFilterTarget.h"
#include "filter/FilterNames.h"
#include "filter/FilterViews.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkKeyLists.h"
#include "query/SqlNames.h"

FilterCombiner::FilterCombiner(Connection& connection, SchemaCatalogue& catalogue, Dialogs& dialogs,
                               Status& status)
    : db_(connection)
    , catalogue_(catalogue)
    , dialogs_(dialogs)
    , status_(status) {}

QString FilterCombiner::resultText() const {
    if (op == Operator::None)
        return {};
    return filterA + (op == Operator::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) +
           filterB;
}

std::pair<QString, QString> FilterCombiner::keyFields() const {
    const FilterBaseResolver bases(db_, catalogue_);
    const LinkSearch links(catalogue_, bases);
    const QString a = FilterNames::viewName(filterA);
    const QString b = FilterNames::viewName(filterB);
    const LinkKeys keys = GetLinkKeys(links, a, b, false);
    if (keys.isLinked())
        return {keys.firstKeys.front(), keys.secondKeys.front()};
    return {bases.GetFilterBase(a).keyColumn, bases.GetFilterBase(b).keyColumn};
}

QString FilterCombiner::statement(const QString& keyA, const QString& keyB) const {
    const QString a = SqlNames::bracketed(FilterNames::viewName(filterA));
    const QString b = SqlNames::bracketed(FilterNames::viewName(filterB));
    if (op == Operator::And)
        return QStringLiteral("SELECT ") + a + u'.' + SqlNames::bracketed(keyA) +
               QStringLiteral(" FROM ") + a + QStringLiteral(", ") + b + QStringLiteral(" WHERE ") +
               a + u'.' + SqlNames::bracketed(keyA) + u'=' + b + u'.' + SqlNames::bracketed(keyB);
    if (keyA != keyB)
        return {};
    return QStringLiteral("SELECT ") + SqlNames::bracketed(keyA) + QStringLiteral(" FROM ") + a +
           QStringLiteral(" UNION SELECT ") + SqlNames::bracketed(keyB) + QStringLiteral(" FROM ") +
           b;
}

bool FilterCombiner::combine(DiagramFilterTarget* diagram) {
    error_.clear();
    if (filterA.isEmpty() || filterB.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral(" You have to select filtername"));
        return false;
    }
    if (op == Operator::None) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral(" Select operator"));
        return false;
    }
    if (!catalogue_.filters.contains(filterA) || !catalogue_.filters.contains(filterB)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral(" Select existing filter"));
        return false;
    }
    const auto [keyA, keyB] = keyFields();
    if (keyA.isEmpty() || keyB.isEmpty()) {
        error_ = QStringLiteral("No key field found for ") + (keyA.isEmpty() ? filterA : filterB);
        dialogs_.message(MessageKind::Exclamation, error_);
        return false;
    }
    const QString select = statement(keyA, keyB);
    if (select.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Union query can not be made because the key fiels of "
                                        "filters are different (") +
                             keyA + u',' + keyB + u')');
        return false;
    }
    FilterViews views(db_);
    const QString combined = FilterNames::viewName(FilterNames::combinedName());
    const auto rows = views.replace(combined, select);
    SchemaMapper(db_, status_).RefreshFilterList(catalogue_);
    if (!rows) {
        error_ = views.lastError();
        dialogs_.message(MessageKind::Critical, QStringLiteral("Combined filter NOT made:") +
                                                    QStringLiteral("\r\n") + error_);
        return false;
    }
    dialogs_.message(MessageKind::Information, QStringLiteral("Combined filter includes ") +
                                                   QString::number(*rows) +
                                                   QStringLiteral(" rows"));
    if (diagram)
        diagram->useFilter(combined);
    return true;
}
