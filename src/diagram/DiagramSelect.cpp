#include "diagram/DiagramSelect.h"

#include "db/SchemaCatalogue.h"
#include "query/FieldEntry.h"
#include "query/JoinedTables.h"
#include "query/SelectParts.h"
#include "query/SqlNames.h"

DiagramSelect DiagramSelect::build(const DiagramDefinition& d, const QString& filter, bool withZ,
                                   const SchemaCatalogue& catalogue, const LinkSearch& links,
                                   const FilterBaseSource& filters) {
    using D = DiagramDefinition;
    DiagramSelect s;
    std::vector<FieldEntry> entries;
    const auto add = [&entries](const QString& table, const QString& field, bool notNull) {
        entries.push_back({table, field, 0, notNull});
        return int(entries.size()) - 1;
    };
    s.x = add(d.tables[D::X], d.fields[D::X], true);
    s.y = add(d.tables[D::Y], d.fields[D::Y], true);
    if (withZ)
        s.z = add(d.tables[D::Z], d.fields[D::Z], true);
    if (d.hasClassifier())
        // Rows whose class is Null are not drawn unless asked, so they are not fetched either:
        // "n=" then counts what the figure shows.
        s.classifier = add(d.tables[D::Class], d.fields[D::Class], !d.drawNulls);
    const QString key = catalogue.keyFields(SqlNames::plain(d.tables[D::X])).value(0);
    if (!key.isEmpty())
        s.label = add(d.tables[D::X], key, false);
    switch (d.sort) {
    case D::Sort::None:
        break;
    case D::Sort::ByY:
        entries[size_t(s.y)].sort = 1;
        break;
    case D::Sort::ByX:
        entries[size_t(s.x)].sort = 1;
        break;
    case D::Sort::ByLabel:
        if (s.label >= 0)
            entries[size_t(s.label)].sort = 1;
        break;
    }

    QStringList tables;
    for (const SelectParts::Table& t : SelectParts::distinctTables(entries))
        tables << t.name;
    const JoinedTables joined = JoinedTables::build(tables, filter, catalogue, links, filters);
    if (!joined.error.isEmpty()) {
        s.error = joined.error;
        return s;
    }
    QStringList terms;
    if (!joined.linkTerm.isEmpty())
        terms << joined.linkTerm;
    terms << SelectParts::notNullTerms(entries);
    if (!joined.filterTerm.isEmpty())
        terms << joined.filterTerm;
    s.statement =
        QStringLiteral("SELECT ") + SelectParts::fieldList(entries).join(QStringLiteral(", ")) +
        QStringLiteral(" FROM ") + joined.from.join(QStringLiteral(", ")) +
        (terms.isEmpty() ? QString()
                         : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "))) +
        SelectParts::orderBy(entries);
    return s;
}
