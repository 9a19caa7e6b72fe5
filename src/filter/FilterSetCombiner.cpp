#include "filter/FilterSetCombiner.h"

#include "db/SchemaCatalogue.h"
#include "db/SchemaMapper.h"
#include "filter/FilterNames.h"
#include "filter/FilterViews.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "query/FilterBaseResolver.h"
#include "query/SqlClauseSplitter.h"
#include "query/SqlNames.h"

namespace {
const QString crlf = QStringLiteral("\r\n");

// The keys of one filter that the other lacks; the other's Nulls would make NOT IN empty.
QString difference(const QString& from, const QString& without, const QString& key) {
    return QStringLiteral("SELECT ") + SqlNames::field(from, key) + QStringLiteral(" FROM ") +
           SqlNames::bracketed(from) + QStringLiteral(" WHERE ") + SqlNames::field(from, key) +
           QStringLiteral(" NOT IN (SELECT ") + SqlNames::field(without, key) +
           QStringLiteral(" FROM ") + SqlNames::bracketed(without) + QStringLiteral(" WHERE ") +
           SqlNames::field(without, key) + QStringLiteral(" Is Not Null)");
}
} // namespace

QString FilterSetCombiner::caption(Part part) {
    switch (part) {
    case Part::OnlyA:
        return QStringLiteral("A only");
    case Part::OnlyB:
        return QStringLiteral("B only");
    case Part::Common:
        return QStringLiteral("A and C, not B");
    case Part::All:
        return QStringLiteral("A, B and C");
    case Part::None:
        break;
    }
    return {};
}

FilterSetCombiner::FilterSetCombiner(Connection& connection, SchemaCatalogue& catalogue,
                                     Dialogs& dialogs, Status& status)
    : db_(connection)
    , catalogue_(catalogue)
    , dialogs_(dialogs)
    , status_(status) {}

QString FilterSetCombiner::mergedWhere() const {
    FilterViews views(db_);
    const auto a = SqlClauseSplitter::splitStoredQuery(FilterNames::viewName(filter1), views);
    const auto b = SqlClauseSplitter::splitStoredQuery(FilterNames::viewName(filter2), views);
    if (a.wherePart.isEmpty() || b.wherePart.isEmpty() || a.fromPart != b.fromPart ||
        a.selectList != b.selectList)
        return {};
    return QStringLiteral("SELECT ") + a.selectList + QStringLiteral(" FROM ") + a.fromPart +
           QStringLiteral(" WHERE (") + a.wherePart + QStringLiteral(" OR ") + b.wherePart + u')';
}

QString FilterSetCombiner::statement(const QString& key) const {
    const QString a = FilterNames::viewName(filter1);
    const QString b = FilterNames::viewName(filter2);
    switch (part) {
    case Part::OnlyA:
        return difference(a, b, key);
    case Part::OnlyB:
        return difference(b, a, key);
    case Part::Common:
        return QStringLiteral("SELECT ") + SqlNames::field(a, key) + QStringLiteral(" FROM ") +
               SqlNames::bracketed(a) + QStringLiteral(", ") + SqlNames::bracketed(b) +
               QStringLiteral(" WHERE ") + SqlNames::field(a, key) + QStringLiteral("= ") +
               SqlNames::field(b, key);
    case Part::All: {
        const QString merged = mergedWhere();
        if (!merged.isEmpty())
            return merged;
        return QStringLiteral("SELECT ") + SqlNames::bracketed(key) + QStringLiteral(" FROM ") +
               SqlNames::bracketed(a) + QStringLiteral(" UNION SELECT ") +
               SqlNames::bracketed(key) + QStringLiteral(" FROM ") + SqlNames::bracketed(b);
    }
    case Part::None:
        break;
    }
    return {};
}

bool FilterSetCombiner::combine() {
    if (!catalogue_.filters.contains(filter1) || !catalogue_.filters.contains(filter2)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral(" Select existing filter"));
        return false;
    }
    if (part == Part::None) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral(" Select operator"));
        return false;
    }
    const QString view = FilterNames::viewName(result.trimmed());
    if (result.trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Give name for the resulting filter"));
        return false;
    }
    if (const QString why = FilterNames::refusal(view); !why.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, why);
        return false;
    }
    const FilterBaseResolver bases(db_, catalogue_);
    const QString key1 = bases.GetFilterBase(FilterNames::viewName(filter1)).keyColumn;
    const QString key2 = bases.GetFilterBase(FilterNames::viewName(filter2)).keyColumn;
    if (key1.isEmpty() || key1.compare(key2, Qt::CaseInsensitive) != 0) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Can not be combined due to different keyfields") + crlf +
                             QStringLiteral("Filter: ") + filter1 + QStringLiteral(" key = ") +
                             key1 + crlf + QStringLiteral("Filter: ") + filter2 +
                             QStringLiteral(" key = ") + key2);
        return false;
    }
    FilterViews views(db_);
    if (views.exists(view) &&
        dialogs_.question(QStringLiteral("Filter ") + result.trimmed() +
                              QStringLiteral(" exists. Do you want to replace it?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    const auto rows = views.replace(view, statement(key1));
    SchemaMapper(db_, status_).RefreshFilterList(catalogue_);
    if (!rows) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Filter NOT made: ") + view + crlf + views.lastError());
        return false;
    }
    dialogs_.message(MessageKind::Information, QStringLiteral("Done !"));
    return true;
}
