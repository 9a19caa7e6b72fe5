#include "stats/model/LinearModelWindow.h"

#include "db/SessionDatabase.h"
#include "figure/AxisScaler.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "platform/Status.h"
#include "query/FilterBaseResolver.h"
#include "query/JoinCondition.h"
#include "query/LinkSearch.h"
#include "query/SqlNames.h"
#include "stats/ComponentLoader.h"
#include "stats/StatisticsComponent.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

void setNumberOrEmpty(Sheet& s, int row, int column, double v) {
    if (!std::isnan(v))
        s.setNumber(row, column, v);
}

void headings(Sheet& s, const QStringList& names) {
    for (int c = 0; c < names.size(); ++c)
        s.setText(1, c + 1, names[c]);
}

Series lineSeries(const QString& name, FigureColor color) {
    Series s;
    s.name = name;
    s.connectingLine = true;
    s.gapsBreakLine = true;
    s.style.color = color;
    s.style.lineColor = color;
    s.style.symbolSize = 4;
    return s;
}

} // namespace

LinearModelWindow::LinearModelWindow(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

bool LinearModelWindow::addVariable(const ModelVariable& v) {
    if (v.field.isEmpty() || std::find(variables.begin(), variables.end(), v) != variables.end())
        return false;
    variables.push_back(v);
    return true;
}

void LinearModelWindow::deleteVariable(int index) {
    if (index >= 0 && size_t(index) < variables.size())
        variables.erase(variables.begin() + index);
}

QString LinearModelWindow::label(const ModelVariable& v) const {
    return withoutTableName ? v.field : v.table + u'.' + v.field;
}

QString LinearModelWindow::statement(const LinkSearch& links) {
    if (item.table.isEmpty() || item.field.isEmpty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("Select item to be modeled"));
        return {};
    }
    if (variables.empty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("Select model parameters"));
        return {};
    }
    QStringList tables{SqlNames::plain(item.table)};
    QStringList columns{SqlNames::field(item.table, item.field)};
    for (const ModelVariable& v : variables) {
        if (!tables.contains(SqlNames::plain(v.table)))
            tables << SqlNames::plain(v.table);
        columns << SqlNames::field(v.table, v.field);
    }
    if (useFilter && !filter.isEmpty())
        tables << QStringLiteral("f_") + SqlNames::plain(filter);
    // The conditions as a list, so that one table alone gives no dangling "AND".
    QStringList conditions;
    if (tables.size() > 1) {
        const QString join = BuildJoinCondition(links, tables).text;
        if (join.isEmpty()) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("No link to join tables ") +
                                                           tables.join(QStringLiteral(" and ")));
            return {};
        }
        conditions << join;
    }
    conditions << SqlNames::field(item.table, item.field) + QStringLiteral(" IS NOT NULL");
    QStringList from;
    for (const QString& t : tables)
        from << SqlNames::bracketed(t);
    QString sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + from.join(QStringLiteral(", ")) +
                  QStringLiteral(" WHERE (") + conditions.join(QStringLiteral(" AND ")) + u')';
    const QStringList keys = session_.catalogue().keyFields(item.table);
    if (!keys.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + SqlNames::field(item.table, keys.first());
    return sql;
}

bool LinearModelWindow::createModel() {
    Connection* db = ComponentLoader::connection(session_, dialogs_);
    if (!db)
        return false;
    const FilterBaseResolver filters(*db, session_.catalogue());
    const LinkSearch links(session_.catalogue(), filters);
    const QString sql = statement(links);
    if (sql.isEmpty())
        return false;
    status_.showStatus(QStringLiteral("Retrieve"), 1);
    StatisticsComponent component;
    QStringList names{item.field};
    for (const ModelVariable& v : variables)
        names << label(v);
    status_.showStatus(QStringLiteral("Initialize"), 1);
    const QString error = ComponentLoader::stream(*db, sql, names, component);
    if (!error.isEmpty()) {
        status_.showStatus({}, 0);
        dialogs_.message(MessageKind::Critical, sql + QStringLiteral("\r\n") + error);
        return false;
    }
    const int rows = component.RowCount();
    status_.showStatus(QStringLiteral("Rows = ") + QString::number(rows), 1);
    if (rows == 0) {
        status_.showStatus({}, 0);
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    const std::vector<double> observed = component.ColumnNumbers(1, 0);
    std::vector<std::vector<double>> columns;
    QStringList labels;
    for (int c = 2; c <= component.ColumnCount(); ++c) {
        columns.push_back(component.ColumnNumbers(c, 0));
        labels << component.ColumnName(c);
    }
    model_ = StepwiseLinearModel::run(observed, columns, labels, options, status_);
    QStringList used;
    for (const LinearModelStep& s : model_->steps)
        used << labels.value(s.variable);
    status_.showStatus(QString::number(rows) + QStringLiteral(" rows analysed. ") +
                           QStringLiteral("Following variables used: ") +
                           used.join(QStringLiteral(", ")),
                       0);
    fillBook(observed, columns);
    return true;
}

void LinearModelWindow::fillBook(const std::vector<double>& observed,
                                 const std::vector<std::vector<double>>& columns) {
    book_.clear();
    const LinearModel& m = *model_;
    Sheet& table = book_.sheet(modelSheet());
    headings(table, {QStringLiteral("Variables explaining ") + item.field, "Modeled", "Explains",
                     "R", "Eq", "Multipl.", "Constant", "VAR", "%Variance"});
    Sheet& bars = book_.sheet(QStringLiteral("MBC"));
    headings(bars, {"Variable", "Coefficient", "Of Variance, %", "Of Variance, % (+/-)"});
    int row = 2;
    for (const LinearModelStep& s : m.steps) {
        const QString constant = NumberText::toDisplayText(s.intercept);
        const QString eq = NumberText::toDisplayText(s.slope) +
                           (s.intercept < 0 ? QStringLiteral("*x ") : QStringLiteral("*x + ")) +
                           constant;
        table.setText(row, 1, m.variables.value(s.variable));
        table.setNumber(row, 2, s.modeled);
        table.setNumber(row, 3, s.explains);
        table.setNumber(row, 4, s.r);
        table.setText(row, 5, eq);
        table.setNumber(row, 6, s.slope);
        table.setNumber(row, 7, s.intercept);
        table.setNumber(row, 8, s.varianceAfter);
        table.setNumber(row, 9, s.percentVariance);
        bars.setText(row, 1, m.variables.value(s.variable));
        bars.setNumber(row, 2, s.slope);
        bars.setNumber(row, 3, s.percentVariance);
        bars.setNumber(row, 4, s.r < 0 ? -s.percentVariance : s.percentVariance);
        ++row;
    }
    Sheet& mlc = book_.sheet(QStringLiteral("MLC"));
    headings(mlc, {"No", "Observed", "Modeled", "Difference (Mod-Obs)", "Difference% (Mod-Obs)/Obs",
                   "Abs Diff%", "Residual (Obs-Mod)"});
    Sheet& line = book_.sheet(QStringLiteral("MLIN"));
    headings(line, {"No", "Observed", "Modeled"});
    Sheet& xy = book_.sheet(QStringLiteral("MXY"));
    headings(xy, {"Observed", "Modeled"});
    for (size_t i = 0; i < observed.size(); ++i) {
        const int r = int(i) + 2;
        const double obs = observed[i], mod = m.modeledAt(columns, i);
        const double diff = mod - obs;
        // Against an observed 0 the relative difference means nothing: left empty.
        const double percent = obs == 0 ? NAN : 100 * diff / obs;
        mlc.setNumber(r, 1, double(i + 1));
        setNumberOrEmpty(mlc, r, 2, obs);
        setNumberOrEmpty(mlc, r, 3, mod);
        setNumberOrEmpty(mlc, r, 4, diff);
        setNumberOrEmpty(mlc, r, 5, percent);
        setNumberOrEmpty(mlc, r, 6, std::abs(percent));
        setNumberOrEmpty(mlc, r, 7, obs - mod);
        line.setNumber(r, 1, double(i + 1));
        setNumberOrEmpty(line, r, 2, obs);
        setNumberOrEmpty(line, r, 3, mod);
        setNumberOrEmpty(xy, r, 1, obs);
        setNumberOrEmpty(xy, r, 2, mod);
    }
}

Figure LinearModelWindow::barChart() const {
    Figure f;
    f.header = QStringLiteral("LM Model graph");
    f.y.title = QStringLiteral("Of Variance, %");
    f.legend.visible = false;
    if (model_) {
        Series s;
        s.name = QStringLiteral("%Variance");
        s.shape = SeriesShape::Bars;
        s.style.color = {0, 90, 180, 255};
        for (size_t i = 0; i < model_->steps.size(); ++i) {
            const LinearModelStep& step = model_->steps[i];
            s.points.push_back({double(i + 1), step.percentVariance, FigurePoint::noRow});
            f.x.categoryLabels << model_->variables.value(step.variable);
        }
        f.series.push_back(std::move(s));
    }
    // Bars from zero, one unit apart, on the scale of the whole variance.
    f.x.setRange(0.5, double(std::max<size_t>(model_ ? model_->steps.size() : 0, 1)) + 0.5);
    f.y.setRange(0, 100);
    return f;
}

Figure LinearModelWindow::lineChart() const {
    Figure f;
    f.header = QStringLiteral("LM Line graph");
    f.x.title = QStringLiteral("OrderNo");
    f.y.title = item.field;
    if (const Sheet* line = book_.findSheet(QStringLiteral("MLIN"))) {
        Series observed = lineSeries(QStringLiteral("Observed"), {0, 0, 160, 255});
        Series modeled = lineSeries(QStringLiteral("Modeled"), {200, 0, 0, 255});
        for (int r = 2; r <= line->lastRow(); ++r) {
            const double x = line->number(r, 1).value_or(NAN);
            observed.points.push_back({x, line->number(r, 2).value_or(NAN), r - 2});
            modeled.points.push_back({x, line->number(r, 3).value_or(NAN), r - 2});
        }
        f.series.push_back(std::move(observed));
        f.series.push_back(std::move(modeled));
    }
    AxisScaler::autoScaleX(f);
    AxisScaler::autoScaleY(f);
    return f;
}

Figure LinearModelWindow::xyChart() const {
    Figure f;
    f.header = QStringLiteral("LM XY graph");
    f.x.title = QStringLiteral("Observed");
    f.y.title = QStringLiteral("Modeled");
    f.legend.visible = false;
    if (const Sheet* xy = book_.findSheet(QStringLiteral("MXY"))) {
        Series s;
        s.name = QStringLiteral("Samples");
        s.style.color = {0, 0, 160, 255};
        for (int r = 2; r <= xy->lastRow(); ++r) {
            const auto o = xy->number(r, 1), m = xy->number(r, 2);
            if (o && m)
                s.points.push_back({*o, *m, r - 2});
        }
        f.series.push_back(std::move(s));
    }
    AxisScaler::autoScaleX(f);
    AxisScaler::autoScaleY(f);
    return f;
}

bool LinearModelWindow::saveTemplate(const QString& path) {
    QStringList lines{QStringLiteral("ItemTable=") + item.table,
                      QStringLiteral("ItemField=") + item.field};
    for (const ModelVariable& v : variables)
        lines << QStringLiteral("Variable=") + v.table + u'\t' + v.field;
    lines << QStringLiteral("UseAll=") + QString::number(int(options.useAll))
          << QStringLiteral("FixedOrder=") + QString::number(int(options.fixedOrder))
          << QStringLiteral("MaxVars=") + QString::number(options.maxVars)
          << QStringLiteral("Rmin=") + NumberText::toText(options.rMin)
          << QStringLiteral("UseFilter=") + QString::number(int(useFilter))
          << QStringLiteral("Filter=") + filter;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write((lines.join(QStringLiteral("\n")) + u'\n').toUtf8()) < 0 || !file.commit()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in writing file"));
        return false;
    }
    return true;
}

bool LinearModelWindow::openTemplate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Can not open ") + path);
        return false;
    }
    ModelVariable readItem;
    std::vector<ModelVariable> readVariables;
    LinearModelOptions readOptions;
    bool readUseFilter = false;
    QString readFilter;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString line = raw.trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = line.left(eq), value = line.mid(eq + 1);
        if (key == QLatin1String("ItemTable"))
            readItem.table = value;
        else if (key == QLatin1String("ItemField"))
            readItem.field = value;
        else if (key == QLatin1String("Variable") && value.contains(u'\t'))
            readVariables.push_back({value.section(u'\t', 0, 0), value.section(u'\t', 1)});
        else if (key == QLatin1String("UseAll"))
            readOptions.useAll = value == QLatin1String("1");
        else if (key == QLatin1String("FixedOrder"))
            readOptions.fixedOrder = value == QLatin1String("1");
        else if (key == QLatin1String("MaxVars"))
            readOptions.maxVars = value.toInt();
        else if (key == QLatin1String("Rmin"))
            readOptions.rMin = NumberText::fromText(value).value_or(readOptions.rMin);
        else if (key == QLatin1String("UseFilter"))
            readUseFilter = value == QLatin1String("1");
        else if (key == QLatin1String("Filter"))
            readFilter = value;
    }
    if (readItem.field.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Not a model template: ") + path);
        return false;
    }
    item = readItem;
    variables = readVariables;
    options = readOptions;
    useFilter = readUseFilter;
    filter = readFilter;
    return true;
}
