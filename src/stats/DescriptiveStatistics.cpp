#include "stats/DescriptiveStatistics.h"

#include "db/SessionDatabase.h"
#include "platform/Status.h"
#include "platform/XlsxWorkbookWriter.h"
#include "query/JoinCondition.h"
#include "query/LinkSearch.h"
#include "query/SqlNames.h"
#include "stats/ClassOrder.h"
#include "stats/ComponentLoader.h"
#include "stats/SheetNameMaker.h"
#include "stats/StatisticsComponent.h"

#include <QFileInfo>
#include <algorithm>

DescriptiveStatistics::DescriptiveStatistics(SessionDatabase& session, Dialogs& dialogs,
                                             Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

QStringList DescriptiveStatistics::statisticNames() {
    return {QStringLiteral("N"),        QStringLiteral("AVG"),
            QStringLiteral("MIN"),      QStringLiteral("MAX"),
            QStringLiteral("STDEV"),    QStringLiteral("VAR"),
            QStringLiteral("CV"),       QStringLiteral("SKEWNESS"),
            QStringLiteral("KURTOSIS"), QStringLiteral("NONOUTLIERMIN"),
            QStringLiteral("PERC_10"),  QStringLiteral("PERC_25"),
            QStringLiteral("MEDIAN"),   QStringLiteral("PERC_75"),
            QStringLiteral("PERC_90"),  QStringLiteral("NONOUTLIERMAX"),
            QStringLiteral("SUM")};
}

QString DescriptiveStatistics::statement(const LinkSearch& links) {
    const QString t = SqlNames::bracketed(table);
    const bool classified = !classField.isEmpty();
    const QString c = SqlNames::bracketed(classTable.isEmpty() ? table : classTable);
    const bool sameTable = SqlNames::plain(c) == SqlNames::plain(t);
    const QString filterView = QStringLiteral("f_") + SqlNames::plain(filter);
    const QString classColumn = classified ? c + u'.' + SqlNames::bracketed(classField) : QString();

    QStringList joined{SqlNames::plain(t)};
    if (classified && !sameTable)
        joined << SqlNames::plain(c);
    if (useFilter)
        joined << filterView;
    QString join;
    if (joined.size() > 1) {
        join = BuildJoinCondition(links, joined).text;
        if (join.isEmpty()) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("No link to join tables ") +
                                                           joined.join(QStringLiteral(" and ")));
            return {};
        }
    }
    if (useFilter && !classified)
        return QStringLiteral("SELECT ") + t + QStringLiteral(".* FROM ") + t +
               QStringLiteral(", ") + SqlNames::bracketed(filterView) + QStringLiteral(" WHERE ") +
               join;
    if (useFilter)
        return QStringLiteral("SELECT ") + classColumn + u',' + t + QStringLiteral(".* FROM ") + t +
               (sameTable ? QString() : QStringLiteral(", ") + c) + QStringLiteral(", ") +
               SqlNames::bracketed(filterView) + QStringLiteral(" WHERE ") + join +
               QStringLiteral(" ORDER BY 1 ASC");
    if (!classified)
        return QStringLiteral("SELECT * FROM ") + t + QStringLiteral(" ORDER BY 1 ASC");
    if (!sameTable)
        return QStringLiteral("SELECT ") + classColumn + u',' + t + QStringLiteral(".* FROM ") + t +
               QStringLiteral(", ") + c + QStringLiteral(" WHERE ") + join +
               QStringLiteral(" ORDER BY 1 ASC");
    return QStringLiteral("SELECT ") + classColumn + QStringLiteral(", ") + t +
           QStringLiteral(".* FROM ") + t + QStringLiteral(" ORDER BY 1 ASC, 2 ASC");
}

bool DescriptiveStatistics::load(StatisticsComponent& component) {
    if (useClipData)
        return ComponentLoader::loadClipData(clipData_ ? clipData_() : nullptr, component,
                                             dialogs_);
    // The statement's columns: the classifier's, then the statistics table's.
    return ComponentLoader::loadTables(
        session_, dialogs_, status_, [this](const LinkSearch& links) { return statement(links); },
        {table}, classField, component);
}

// Row 1 the field names, column 1 the statistic names; a statistic that cannot be computed is
// an empty cell, except N, which is 0.
void DescriptiveStatistics::fill(Sheet& sheet, StatisticsComponent& component, int classIndex,
                                 int weightColumn) {
    const QStringList names = statisticNames();
    for (int r = 0; r < names.size(); ++r)
        sheet.setText(r + 2, 1, names[r]);
    int out = 1;
    for (int c = 1; c <= component.ColumnCount(); ++c) {
        ++out;
        sheet.setText(1, out, component.ColumnName(c));
        if (weightColumn)
            component.SelectWeightedColumn(c, weightColumn, classIndex);
        else
            component.SelectColumn(c, classIndex);
        for (int r = 0; r < names.size(); ++r) {
            const double v = component.Statistic(names[r]);
            if (v != component.NoValue())
                sheet.setNumber(r + 2, out, v);
            else if (r == 0)
                sheet.setNumber(r + 2, out, 0);
        }
    }
}

bool DescriptiveStatistics::execute() {
    if (table.isEmpty() && !useClipData) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Select table ('Statistics of the table')"));
        return false;
    }
    StatisticsComponent component;
    if (!load(component)) {
        status_.showStatus({}, 0);
        return false;
    }
    sheets_.clear();
    const bool classified = !classField.isEmpty();
    // The weight field by its name among the statistics table's columns, which follow the
    // classifier column when there is one.
    int weight = 0;
    if (!weightField.isEmpty()) {
        weight = ComponentLoader::columnNamed(component, weightField, classified ? 2 : 1);
        if (!weight) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("Weight field ") + weightField +
                                 QStringLiteral(" is not among the fields of ") + table);
            status_.showStatus({}, 0);
            return false;
        }
    }
    SheetNameMaker names;
    names.reserve(wholeDataSheet());
    fill(sheets_.sheet(wholeDataSheet()), component, 0, weight);
    if (classified) {
        component.Classify(1);
        // Fetched unordered: the classes go in the statement's order; ClipData's as they come.
        std::vector<int> order = ClassOrder::sorted(component);
        if (useClipData)
            std::sort(order.begin(), order.end());
        for (size_t k = 0; k < order.size(); ++k) {
            const int i = order[k];
            status_.showStatus(QStringLiteral("Class ") + component.ClassName(i), int(k) + 1);
            if (status_.abortRequested())
                break;
            fill(sheets_.sheet(names.make(component.ClassName(i))), component, i, weight);
        }
    }
    status_.showStatus({}, 0);
    return true;
}

std::optional<QString> DescriptiveStatistics::copySheet(int index) {
    const Sheet* sheet = sheets_.sheetAt(index + 1);
    if (!sheet || sheet->lastRow() < 2 || sheet->lastColumn() < 2) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return std::nullopt;
    }
    return sheet->toTsv();
}

QString DescriptiveStatistics::copyAverages() const {
    Sheet averages;
    for (int s = 1; s <= sheets_.sheetCount(); ++s) {
        const Sheet& sheet = *sheets_.sheetAt(s);
        averages.setText(s + 1, 1, sheets_.sheetName(s));
        for (int c = 2; c <= sheet.lastColumn(); ++c) {
            if (s == 1)
                averages.setText(1, c, sheet.text(1, c));
            averages.setValue(s + 1, c, sheet.value(3, c)); // row 3: AVG
        }
    }
    return averages.toTsv();
}

bool DescriptiveStatistics::save(const QString& path) {
    QString error;
    const bool ok =
        QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0
            ? XlsxWorkbookWriter::write(sheets_, path, &error)
            : sheets_.save(path).ok;
    if (!ok)
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in writing file"));
    return ok;
}
