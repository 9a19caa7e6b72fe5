#include "diagram/CalcAxisFetcher.h"

#include "calc/CalcSelect.h"
#include "db/SessionDatabase.h"
#include "formula/Formula.h"
#include "platform/Connection.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"

namespace {
using D = DiagramDefinition;
using Mapping = UserCalcFormula::Mapping;

// How one axis gets its value from a fetched row.
struct AxisSource {
    std::optional<Formula> formula; // set for a calculated axis
    std::array<int, UserCalcFormula::variableCount> columns{-1, -1, -1, -1, -1};
    int column = -1; // a plain axis

    std::optional<double> value(const RowSet::Row& row) const {
        if (!formula)
            return row[size_t(column)].toNumber();
        double inputs[Formula::slotCount] = {};
        for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
            if (columns[size_t(v)] < 0)
                continue;
            const auto n = row[size_t(columns[size_t(v)])].toNumber();
            if (!n)
                return std::nullopt;
            inputs[v] = *n;
        }
        const FormulaValue result = formula->evaluate(inputs);
        return result.isNumber() ? std::optional(result.toNumber()) : std::nullopt;
    }
};
} // namespace

std::optional<DiagramRowFetcher::Failure>
CalcAxisFetcher::fromDatabase(SessionDatabase& session, const DiagramDefinition& d,
                              const QString& filter, FetchedRows& out, QString& statement) {
    Connection* db = session.connection();
    if (!db)
        return DiagramRowFetcher::Failure{MessageKind::Critical,
                                          QStringLiteral("Error in drawing (115)")};
    // The variables of the select, axis by axis; a calculation takes five places.
    std::vector<CalcVariable> wanted;
    std::vector<AxisSource> axes;
    const int axisCount = d.usesZ() ? 3 : 2;
    for (int slot = 0; slot < axisCount; ++slot) {
        AxisSource a;
        if (d.isCalcAxis(slot)) {
            const UserCalculation& c = d.calculations[size_t(slot)];
            QString error;
            a.formula =
                Formula::compile(UserCalcFormula::RewriteFormula(c.equation, Mapping::Run), &error);
            if (!a.formula)
                return DiagramRowFetcher::Failure{MessageKind::Critical,
                                                  QStringLiteral("Error in formula ( ") +
                                                      c.equation + QStringLiteral(" )")};
            const unsigned used = UserCalcFormula::variablesUsed(c.equation, Mapping::Run);
            for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
                const CalcVariable& var = c.variables[size_t(v)];
                if (!(used & (1u << v)))
                    continue;
                if (!var.bound())
                    return DiagramRowFetcher::Failure{MessageKind::Critical,
                                                      QStringLiteral("No element defined for ") +
                                                          UserCalcFormula::letter(v)};
                a.columns[size_t(v)] = int(wanted.size());
                wanted.push_back(var);
            }
        } else {
            a.column = int(wanted.size());
            wanted.push_back({d.tables[size_t(slot)], d.fields[size_t(slot)]});
        }
        axes.push_back(std::move(a));
    }
    const int classifier = d.hasClassifier() ? int(wanted.size()) : -1;
    if (classifier >= 0)
        wanted.push_back({d.tables[D::Class], d.fields[D::Class]});

    const FilterBaseResolver filters(*db, session.catalogue());
    const LinkSearch links(session.catalogue(), filters);
    const CalcSelect select =
        CalcSelect::build(wanted, filter, session.catalogue(), links, filters);
    if (!select.error.isEmpty())
        return DiagramRowFetcher::Failure{MessageKind::Critical, select.error};
    statement = select.statement;
    // Places in `wanted` become columns of the select.
    const auto column = [&select](int place) { return select.columns[size_t(place)]; };
    for (AxisSource& a : axes) {
        if (a.formula)
            for (int& c : a.columns)
                c = c < 0 ? -1 : column(c);
        else
            a.column = column(a.column);
    }
    const int classColumn = classifier < 0 ? -1 : column(classifier);
    const bool label = !select.keyField.isEmpty();

    out = {};
    out.hasZ = axisCount == 3;
    out.hasClassifier = classColumn >= 0;
    const bool ok = db->forEachRow(select.statement, [&](const RowSet::Row& row) {
        double values[3] = {};
        for (size_t i = 0; i < axes.size(); ++i) {
            const auto v = axes[i].value(row);
            if (!v)
                return;
            values[i] = *v;
        }
        if (classColumn >= 0 && row[size_t(classColumn)].isMissing() && !d.drawNulls)
            return;
        out.table.x.append(CellValue::number(values[0]));
        out.table.y.append(CellValue::number(values[1]));
        if (out.hasZ)
            out.table.z.append(CellValue::number(values[2]));
        if (classColumn >= 0)
            out.table.classifier.append(row[size_t(classColumn)]);
        if (label)
            out.table.labels.append(row[0].toText());
    });
    if (!ok) {
        out = {};
        return DiagramRowFetcher::Failure{
            MessageKind::Critical, QStringLiteral("Error in drawing (115)\r\n") + db->lastError()};
    }
    return std::nullopt;
}
