#include "diagram/DiagramRowFetcher.h"

#include "db/SessionDatabase.h"
#include "diagram/CalcAxisFetcher.h"
#include "diagram/DiagramSelect.h"
#include "diagram/GraphTransforms.h"
#include "platform/Connection.h"
#include "platform/Sheet.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"

namespace {
using D = DiagramDefinition;

const QString clipDataTable = QStringLiteral("ClipData");

// The 1-based sheet column headed name (without regard to case), 0 when none.
int sheetColumn(const Sheet& sheet, const QString& name) {
    for (int c = 1; c <= sheet.lastColumn(); ++c)
        if (!name.isEmpty() && sheet.text(1, c).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return 0;
}

// 0-based columns of a fetched row; -1 where there is none.
struct RowColumns {
    int x = -1, y = -1, z = -1, classifier = -1, label = -1;
};

// A date plots as its seconds since 1970 (UTC) on any axis, which then shows dates.
void appendValue(NumberColumn& column, const CellValue& cell, bool& sawDate) {
    if (cell.kind() == CellValue::Kind::Date) {
        sawDate = true;
        column.append(cell, GraphTransforms::timeOf(cell));
    } else {
        column.append(cell);
    }
}

// A time axis reads X as date and time, from date texts as well.
void appendRow(FetchedRows& out, const RowSet::Row& row, const RowColumns& c, bool timeAxis) {
    PlotTable& table = out.table;
    const CellValue& x = row[size_t(c.x)];
    if (timeAxis)
        table.x.append(x, GraphTransforms::timeOf(x));
    else
        appendValue(table.x, x, out.xDates);
    appendValue(table.y, row[size_t(c.y)], out.yDates);
    if (c.z >= 0)
        table.z.append(row[size_t(c.z)]);
    if (c.classifier >= 0)
        table.classifier.append(row[size_t(c.classifier)]);
    if (c.label >= 0)
        table.labels.append(row[size_t(c.label)].toText());
}

bool isTimetrend(const DiagramDefinition& d) {
    return d.graphType == QLatin1String("Timetrend");
}

const QString drawingError = QStringLiteral("Error in drawing (115)");

} // namespace

std::optional<DiagramRowFetcher::Failure>
DiagramRowFetcher::fromDatabase(SessionDatabase& session, const DiagramDefinition& d,
                                const QString& filter, FetchedRows& out, QString& statement) {
    if (d.hasCalcAxis())
        return CalcAxisFetcher::fromDatabase(session, d, filter, out, statement);
    Connection* db = session.connection();
    if (!db)
        return Failure{MessageKind::Critical, drawingError};
    const FilterBaseResolver filters(*db, session.catalogue());
    const LinkSearch links(session.catalogue(), filters);
    const DiagramSelect select =
        DiagramSelect::build(d, filter, d.usesZ(), session.catalogue(), links, filters);
    if (!select.error.isEmpty())
        return Failure{MessageKind::Critical, select.error};
    statement = select.statement;
    // Streamed straight into the plotted columns: the whole result is never held as cells.
    const RowColumns columns{select.x, select.y, select.z, select.classifier, select.label};
    const bool timeAxis = isTimetrend(d);
    out = {};
    out.hasZ = select.z >= 0;
    out.hasClassifier = select.classifier >= 0;
    if (!db->forEachRow(select.statement,
                        [&](const RowSet::Row& row) { appendRow(out, row, columns, timeAxis); })) {
        out = {};
        return Failure{MessageKind::Critical,
                       drawingError + QStringLiteral("\r\n") + db->lastError()};
    }
    return std::nullopt;
}

std::optional<DiagramRowFetcher::Failure>
DiagramRowFetcher::fromSheet(const Sheet* sheet, const DiagramDefinition& d, FetchedRows& out) {
    if (!sheet || sheet->isBlank())
        return Failure{MessageKind::Exclamation,
                       QStringLiteral("ClipData is empty, paste new data.")};
    const int x = sheetColumn(*sheet, d.fields[D::X]);
    const int y = sheetColumn(*sheet, d.fields[D::Y]);
    if (!x || !y)
        return Failure{MessageKind::Critical, QStringLiteral("Missing X or Y Table or Element")};
    const bool usesZ = d.usesZ();
    const int z = usesZ ? sheetColumn(*sheet, d.fields[D::Z]) : 0;
    const int c = d.hasClassifier() ? sheetColumn(*sheet, d.fields[D::Class]) : 0;
    for (const auto& [slot, missing] :
         {std::pair{D::Z, usesZ && !z}, std::pair{D::Class, d.hasClassifier() && !c}})
        if (missing)
            return Failure{MessageKind::Critical,
                           QStringLiteral("Field ") + d.fields[slot] +
                               QStringLiteral(" can not be found in the table ") + clipDataTable};
    const int id = sheetColumn(*sheet, QStringLiteral("ID"));
    const int label = id ? id : 1;
    const RowColumns columns{0, 1, z ? 2 : -1, c ? 3 : -1, 4};
    const bool timeAxis = isTimetrend(d);
    out = {};
    out.hasZ = z != 0;
    out.hasClassifier = c != 0;
    RowSet::Row row(5);
    for (int r = 2; r <= sheet->lastRow(); ++r) {
        if (sheet->isEmpty(r, x) || sheet->isEmpty(r, y) || (z && sheet->isEmpty(r, z)))
            continue;
        row = {sheet->value(r, x), sheet->value(r, y), sheet->value(r, z), sheet->value(r, c),
               sheet->value(r, label)};
        appendRow(out, row, columns, timeAxis);
    }
    return std::nullopt;
}
