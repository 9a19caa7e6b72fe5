#include "diagram/DiagramWindow.h"

#include "db/SessionDatabase.h"
#include "diagram/ChartTemplate.h"
#include "diagram/DataPointsCopy.h"
#include "diagram/DiagramReplayLine.h"
#include "diagram/DiagramRowFetcher.h"
#include "diagram/FigureFile.h"
#include "diagram/GraphTransforms.h"
#include "diagram/LastFigureStore.h"
#include "diagram/LinkingReport.h"
#include "diagram/TernaryFrame.h"
#include "diagram/TernaryTransform.h"
#include "figure/AxisRatioInput.h"
#include "figure/AxisScaler.h"
#include "figure/Classifier.h"
#include "figure/PointsPerClassReport.h"
#include "figure/SeriesBuilder.h"
#include "figure/UserAxisScale.h"
#include "platform/Connection.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/NumberText.h"
#include "platform/Sheet.h"
#include "platform/Status.h"

namespace {
using D = DiagramDefinition;

bool is(const DiagramDefinition& d, const char* type) {
    return d.graphType == QLatin1String(type);
}

} // namespace

DiagramWindow::DiagramWindow(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : styles(dialogs)
    , session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

QString DiagramWindow::logEntry(const DiagramDefinition& d) {
    QString entry = d.fields[D::Y] + QStringLiteral(" vs. ") + d.fields[D::X];
    if (d.hasClassifier())
        entry += QStringLiteral(" (Cl.. ") + d.fields[D::Class] + QLatin1Char(')');
    if (d.filterOn && !d.filter.isEmpty())
        entry += QStringLiteral(" (Filt. ") + d.filter + QLatin1Char(')');
    return entry;
}

bool DiagramWindow::drawFromLog(int index) {
    if (index < 0 || size_t(index) >= logged_.size())
        return false;
    definition = logged_[size_t(index)];
    return drawDefinition({}, false); // the entry is in the log already
}

void DiagramWindow::clearLog() {
    log_.clear();
    logged_.clear();
}

void DiagramWindow::stop(MessageKind kind, const QString& text) {
    status_.showStatus(QString(), 0);
    dialogs_.message(kind, text);
}

bool DiagramWindow::runCommand(const QString& line) {
    const QString keyword = line.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    const auto logAxis = [this](Axis& axis, bool logarithmic) {
        axis.logarithmic = logarithmic;
        rescale();
        return true;
    };
    if (keyword == QLatin1String("AXISXLOG"))
        return logAxis(figure_.x, true);
    if (keyword == QLatin1String("AXISXLIN"))
        return logAxis(figure_.x, false);
    if (keyword == QLatin1String("AXISYLOG"))
        return logAxis(figure_.y, true);
    if (keyword == QLatin1String("AXISYLIN"))
        return logAxis(figure_.y, false);
    if (keyword == QLatin1String("DRAW"))
        return draw(line.trimmed());
    if (keyword == QLatin1String("CLIPDATAONOFF")) {
        definition.source =
            definition.source == D::Source::ClipData ? D::Source::DB : D::Source::ClipData;
        return true;
    }
    if (keyword == QLatin1String("USECLIPDATA")) {
        const QString on = line.trimmed().section(QLatin1Char(' '), 1).trimmed();
        if (on != QLatin1String("0") && on != QLatin1String("1"))
            return false;
        definition.source = on == QLatin1String("1") ? D::Source::ClipData : D::Source::DB;
        return true;
    }
    const auto parsed = DiagramReplayLine::parse(line, definition);
    if (!parsed)
        return false;
    definition = *parsed;
    return draw(line.trimmed());
}

void DiagramWindow::redrawHeld() {
    status_.showStatus(QStringLiteral("Drawing................"), 1);
    rescale();
    status_.showStatus(QStringLiteral("Styles..."), 1);
    status_.showStatus(QString(), 0);
}

void DiagramWindow::rescale() {
    if (!isTernary()) {
        TernaryFrame::remove(figure_);
        AxisScaler::scale(figure_, scaleState, false, meter_);
        return;
    }
    status_.showStatus(QStringLiteral("Ternary scale..."), 1);
    TernaryFrame::fixRatio(scaleState);
    AxisScaler::scale(figure_, scaleState, true, meter_);
    TernaryFrame::apply(
        figure_, {definition.fields[D::X], definition.fields[D::Y], definition.fields[D::Z]});
    status_.showStatus(QStringLiteral("Ternary ready..."), 1);
}

void DiagramWindow::rescaleDrawnValues(int slot, double factor, const QString& title) {
    if (is(definition, "Ternary")) {
        // The corners' shares change: back to components, rescaled, and projected again.
        for (Series& series : figure_.series)
            for (FigurePoint& p : series.points) {
                auto c = TernaryTransform::toComponents({p.x, p.y});
                c[size_t(slot)] *= factor;
                if (const auto plane = TernaryTransform::toPlane(c[0], c[1], c[2])) {
                    p.x = plane->x();
                    p.y = plane->y();
                }
            }
        rescale(); // the corners keep their field names
        return;
    }
    for (Series& series : figure_.series) {
        if (slot == D::Z)
            for (double& z : series.z)
                z *= factor;
        else
            for (FigurePoint& p : series.points)
                (slot == D::X ? p.x : p.y) *= factor;
    }
    if (slot == D::X)
        figure_.x.title = title;
    else if (slot == D::Y)
        figure_.y.title = title;
    rescale();
}

bool DiagramWindow::draw(const QString& command) {
    return drawDefinition(command, true);
}

bool DiagramWindow::drawDefinition(const QString& command, bool addToLog) {
    hasFigure_ = runPipeline(command, addToLog);
    if (!hasFigure_) {
        // A failed draw leaves nothing that could pass for its figure (a save would write the
        // previous one under the new name).
        figure_ = figure_.withoutData();
        drawn_.clear();
        fetched_ = 0;
    }
    return hasFigure_;
}

bool DiagramWindow::runPipeline(const QString& command, bool addToLog) {
    if (!command.isEmpty())
        status_.showStatus(
            QStringLiteral("Executing command ") + command + QStringLiteral(" ........"), 1);
    const DiagramDefinition d = definition;
    if (recorder_)
        recorder_(DiagramReplayLine::compose(d));
    if (addToLog) {
        log_ << logEntry(d);
        logged_.push_back(d);
    }

    if (!D::graphTypes().contains(d.graphType)) {
        stop(MessageKind::Critical, unknownGraphType(d.graphType));
        return false;
    }
    const bool multi = d.isMultiSet() && !d.sets.empty();
    if (!d.isComplete()) {
        stop(MessageKind::Critical, QStringLiteral("Missing X or Y Table or Element"));
        return false;
    }
    if (d.filterOn && d.filter.isEmpty()) {
        stop(MessageKind::Critical, QStringLiteral("Missing filter"));
        return false;
    }
    status_.showStatus(QStringLiteral("Initializing..."), 1);

    // One pass per set: a plain graph is its own single set.
    std::vector<DiagramDefinition> passes;
    if (multi) {
        for (const D::Set& s : d.sets) {
            DiagramDefinition p = d;
            p.tables[D::X] = s.xTable;
            p.fields[D::X] = s.xField;
            p.tables[D::Y] = s.yTable;
            p.fields[D::Y] = s.yField;
            if (!d.filterCommonForAll)
                p.filter = s.filter;
            passes.push_back(p);
        }
    } else {
        passes.push_back(d);
    }

    Figure figure = figure_.withoutData();
    drawn_.clear(); // the rows of the last draw go before new ones come
    std::vector<DrawnPass> drawn;
    fetched_ = 0;
    bool xDates = false;
    bool yDates = false;
    for (const DiagramDefinition& p : passes) {
        FetchedRows rows;
        const QString filter = p.filterOn ? p.filter : QString();
        if (!fetch(p, filter, rows))
            return false;
        fetched_ += rows.table.rowCount();
        xDates = xDates || rows.xDates;
        yDates = yDates || rows.yDates;
        std::vector<Series> series = buildSeries(p, rows);
        rows.table.labels = {}; // the series have them; Copy DataPoints does not copy them
        drawn.push_back({p, std::move(rows), series.size()});
        for (Series& s : series) {
            if (multi && !p.hasClassifier())
                s.name = p.fields[D::Y] + QStringLiteral(" vs. ") + p.fields[D::X];
            if (multi && d.cumulative)
                GraphTransforms::cumulative(s);
        }
        for (Series& s : series)
            figure.series.push_back(std::move(s));
    }
    if (multi && d.stacking && !is(d, "Stacking bar")) // stacking bars stack themselves
        GraphTransforms::stack(figure.series);
    status_.showStatus(QStringLiteral("n=") + QString::number(fetched_), 1);

    status_.showStatus(QStringLiteral("Drawing................"), 1);
    figure_ = std::move(figure);
    drawn_ = std::move(drawn);
    applyGraphType(figure_.series);
    figure_.x.dateTime = figure_.x.dateTime || (xDates && !is(d, "Shewhart chart"));
    figure_.y.dateTime = yDates && !is(d, "Polar") && !is(d, "Radar");
    status_.showStatus(QStringLiteral("Drawn.."), 1);
    setTitles();
    if (is(d, "Ternary")) {
        const QString note =
            TernaryTransform::negativeNote(TernaryTransform::apply(figure_.series).negative);
        if (!note.isEmpty())
            figure_.subtitles << note;
    }
    if (overlay_)
        overlay_(figure_, d);

    status_.showStatus(QStringLiteral("Scaling..."), 1);
    rescale();
    status_.showStatus(QStringLiteral("Pan..."), 1);
    status_.showStatus(QStringLiteral("Styles..."), 1);
    styles.apply(figure_);
    if (autoSave == GraphAutoSave::Mode::EachDraw && !graphsFolder.isEmpty() &&
        GraphAutoSave::save(graphsFolder, figure_).isEmpty())
        dialogs_.message(MessageKind::Exclamation, FigureFile::saveError());
    status_.showStatus(QString(), 0);
    return true;
}

bool DiagramWindow::openGraphFile(const QString& path) {
    QJsonObject extras;
    auto figure = FigureFile::load(path, &extras);
    if (!figure) {
        dialogs_.message(MessageKind::Critical, FigureFile::openError(path));
        return false;
    }
    figure_ = std::move(*figure);
    hasFigure_ = true;
    if (graphFileExtrasRead)
        graphFileExtrasRead(extras);
    // The rows of the last draw belong to another figure: its points' rows do not index them.
    drawn_.clear();
    fetched_ = 0;
    activeStatement_.clear();
    dialogs_.message(MessageKind::Information, FigureFile::openedNote());
    return true;
}

bool DiagramWindow::saveGraphFile(const QString& path) {
    if (FigureFile::save(path, figure_, graphFileExtras ? graphFileExtras() : QJsonObject()))
        return true;
    dialogs_.message(MessageKind::Critical, FigureFile::saveError());
    return false;
}

bool DiagramWindow::fetch(const DiagramDefinition& d, const QString& filter, FetchedRows& out) {
    std::optional<DiagramRowFetcher::Failure> failure;
    if (d.source == D::Source::ClipData) {
        status_.showStatus(QStringLiteral("Retrieving..."), 1);
        failure = DiagramRowFetcher::fromSheet(clipData_ ? clipData_() : nullptr, d, out);
        if (!failure)
            activeStatement_.clear();
    } else {
        failure = DiagramRowFetcher::fromDatabase(session_, d, filter, out, activeStatement_);
    }
    if (failure)
        stop(failure->kind, failure->text);
    return !failure;
}

std::vector<Series> DiagramWindow::buildSeries(const DiagramDefinition& d,
                                               const FetchedRows& f) const {
    Classifier::Options options;
    options.mode = d.classify;
    options.drawNulls = d.drawNulls;
    options.dropNonNumericFromRanges =
        d.source == D::Source::ClipData && d.classify == ClassifyMode::NumberRanges;
    const PlotTable& t = f.table;
    Classification classes = f.hasClassifier ? Classifier::classify(t.classifier, options)
                                             : Classifier::single(t.rowCount(), d.fields[D::Y]);
    // A Shewhart chart plots Y against row order: X need not be a number.
    const int x = is(d, "Shewhart chart") ? PlotTable::Y : PlotTable::X;
    const SeriesBuilder::Columns columns{x, PlotTable::Y, f.hasZ ? PlotTable::Z : -1,
                                         t.labels.isEmpty() ? -1 : PlotTable::Label};
    std::vector<Series> series = SeriesBuilder::build(t, columns, std::move(classes)).series;
    for (Series& s : series) {
        s.connectingLine = d.connectingLine;
        s.showLabels = d.labels;
    }
    return series;
}

void DiagramWindow::applyGraphType(std::vector<Series>& series) {
    const DiagramDefinition& d = definition;
    const SeriesShape shape = is(d, "Bar")            ? SeriesShape::Bars
                              : is(d, "Stacking bar") ? SeriesShape::StackedBars
                              : is(d, "XY & Fill")    ? SeriesShape::Filled
                              : is(d, "Bubble")       ? SeriesShape::Bubbles
                                                      : SeriesShape::Points;
    const bool filledSets = d.isMultiSet() && d.fill && shape == SeriesShape::Points;
    for (Series& s : series) {
        s.shape = filledSets ? SeriesShape::Filled : shape;
        if (is(d, "Polar"))
            GraphTransforms::polar(s);
        else if (is(d, "Radar"))
            GraphTransforms::radar(s);
        else if (is(d, "Shewhart chart"))
            GraphTransforms::rowOrder(s);
    }
    figure_.x.dateTime = is(d, "Timetrend");
    if (is(d, "Shewhart chart")) {
        std::vector<double> values;
        double last = 1.0;
        for (const Series& s : series)
            for (const FigurePoint& p : s.points) {
                values.push_back(p.y);
                last = std::max(last, p.x);
            }
        figure_.lines = GraphTransforms::shewhartLines(values, 1.0, last, d.shewhartLines);
    }
}

QString DiagramWindow::axisName(int slot) const {
    const QString& field = definition.fields[size_t(slot)];
    if (useAliases && aliasReader_)
        if (const QString alias = aliasReader_(definition.tables[size_t(slot)], field);
            !alias.isEmpty())
            return alias;
    return tableNameInTitles ? definition.tables[size_t(slot)] + QLatin1Char('.') + field : field;
}

void DiagramWindow::pictureCopied() {
    if (autoSave == GraphAutoSave::Mode::EachCopy && !graphsFolder.isEmpty() &&
        GraphAutoSave::save(graphsFolder, figure_).isEmpty())
        dialogs_.message(MessageKind::Exclamation, FigureFile::saveError());
}

void DiagramWindow::setTitles() {
    const DiagramDefinition& d = definition;
    figure_.header = d.fields[D::Y] + QStringLiteral(" vs. ") + d.fields[D::X];
    figure_.x.titleVisible = showXTitle;
    figure_.y.titleVisible = showYTitle;
    figure_.x.title = axisName(D::X);
    figure_.y.title = axisName(D::Y);
    if (is(d, "Shewhart chart"))
        figure_.x.title = QStringLiteral("Order");
    figure_.subtitles.clear();
    if (showFilterName)
        figure_.subtitles << (d.filterOn && !d.filter.isEmpty()
                                  ? QStringLiteral("Filter: ") + d.filter +
                                        QStringLiteral(" (n= ") + QString::number(fetched_) +
                                        QLatin1Char(')')
                                  : QStringLiteral("No filter selected"));
}

QString DiagramWindow::classifyMenuCaption() const {
    ClassifyOption option;
    option.setMode(definition.classify);
    return option.menuCaption();
}

bool DiagramWindow::askClassifyOption() {
    ClassifyOption option;
    option.setMode(definition.classify);
    const auto answer = dialogs_.input(
        Dialogs::title() + QStringLiteral(" Classify Options"),
        ClassifyOption::inputPrompt(definition.tables[D::Class], definition.fields[D::Class]),
        QString::number(int(definition.classify)));
    if (!answer || !option.accept(*answer))
        return false;
    definition.classify = option.mode();
    return true;
}

void DiagramWindow::showPointsPerClass() {
    dialogs_.message(MessageKind::Information, PointsPerClassReport::text(figure_.series));
}

bool DiagramWindow::copyDataPoints() {
    Sheet* sheet = clipData_ ? clipData_() : nullptr;
    if (figure_.pointCount() == 0 || !sheet) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    if (drawn_.empty()) {
        // A figure opened from a graph file: nothing was fetched, its own points are the data.
        const std::array<QString, 4> fields = DataPointsCopy::fromFigure(figure_, *sheet);
        definition.graphType =
            fields[D::Z].isEmpty() ? QStringLiteral("XY") : QStringLiteral("Bubble");
        definition.sets.clear();
        definition.fields = fields;
        definition.tables = {};
    } else {
        std::vector<DataPointsCopy::Pass> passes;
        for (const DrawnPass& pass : drawn_)
            passes.push_back({pass.definition, pass.fetched.table, pass.fetched.hasZ,
                              pass.fetched.hasClassifier, pass.seriesCount});
        DataPointsCopy::fromDrawnRows(passes, figure_, *sheet);
    }
    definition.source = D::Source::ClipData;
    for (size_t slot = 0; slot < definition.tables.size(); ++slot)
        if (!definition.fields[slot].isEmpty())
            definition.tables[slot] = clipDataTable();
    for (D::Set& set : definition.sets) {
        set.xTable = clipDataTable();
        set.yTable = clipDataTable();
    }
    dialogs_.message(MessageKind::Information, QStringLiteral("Ready. Data on ClipData sheet!"));
    return true;
}

void DiagramWindow::saveGraphState() {
    savedState_.emplace(definition, scaleState);
}

bool DiagramWindow::restoreGraphState() {
    if (!savedState_)
        return false;
    definition = savedState_->first;
    scaleState = savedState_->second;
    return draw();
}

void DiagramWindow::swapXY() {
    std::swap(definition.tables[D::X], definition.tables[D::Y]);
    std::swap(definition.fields[D::X], definition.fields[D::Y]);
}

bool DiagramWindow::checkLinking() {
    const LinkingReport::Result report = LinkingReport::of(session_, definition);
    dialogs_.message(report.kind, report.text);
    return report.linked;
}

QStringList DiagramWindow::tableChoices() const {
    if (definition.source == D::Source::ClipData)
        return {clipDataTable()};
    QStringList tables = session_.catalogue().tableNames();
    Connection* db = session_.connection();
    if (!useQueries || !db)
        return tables;
    // Stored queries, but not the filters ("f_" views): those restrict, they are not drawn.
    if (const auto all = db->tables())
        for (const TableDescription& t : *all)
            if (t.kind == TableDescription::Kind::View &&
                !t.name.startsWith(QLatin1String("f_"), Qt::CaseInsensitive))
                tables << t.name;
    return tables;
}

QStringList DiagramWindow::fieldChoices(const QString& table) const {
    if (definition.source != D::Source::ClipData) {
        if (session_.catalogue().tableRow(table) || table.isEmpty())
            return session_.catalogue().fieldNames(table);
        // A stored query is not in the catalogue: its columns come from running it empty.
        Connection* db = session_.connection();
        return db ? db->columnNamesOf(table).value_or(QStringList()) : QStringList();
    }
    QStringList headings;
    if (const Sheet* sheet = clipData_ ? clipData_() : nullptr)
        for (int c = 1; c <= sheet->lastColumn(); ++c)
            if (!sheet->text(1, c).trimmed().isEmpty())
                headings << sheet->text(1, c).trimmed();
    return headings;
}

bool DiagramWindow::storeLastFigure(const QString& lastFilesPath) const {
    return LastFigureStore::store(lastFilesPath, definition,
                                  ConnectionTextRedactor::redact(session_.SessionDatabasePath));
}

bool DiagramWindow::drawLastFigure(const QString& lastFilesPath) {
    Connection* db = session_.connection();
    // Kept without a server source's password, and compared so.
    const auto stored =
        db ? LastFigureStore::read(lastFilesPath,
                                   ConnectionTextRedactor::redact(session_.SessionDatabasePath),
                                   definition)
           : std::nullopt;
    if (!stored)
        return false;
    if (const QString missing = LastFigureStore::missingPart(*db, *stored); !missing.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, missing);
        return false;
    }
    definition = *stored;
    return draw();
}

void DiagramWindow::useFilter(const QString& view) {
    definition.filter = view.startsWith(QStringLiteral("f_")) ? view.mid(2) : view;
    definition.filterOn = true;
}

QString DiagramWindow::legendMenuCaption() const {
    return figure_.legend.visible ? QStringLiteral("Hide Legend") : QStringLiteral("Show Legend");
}

void DiagramWindow::orderLegend(const QStringList& names) {
    std::vector<Series>& all = figure_.series;
    std::vector<bool> taken(all.size(), false);
    std::vector<Series> ordered;
    for (const QString& name : names)
        for (size_t i = 0; i < all.size(); ++i)
            if (!taken[i] && all[i].name == name) {
                taken[i] = true;
                ordered.push_back(std::move(all[i]));
                ordered.back().showInLegend = true;
                break;
            }
    for (size_t i = 0; i < all.size(); ++i)
        if (!taken[i]) {
            ordered.push_back(std::move(all[i]));
            ordered.back().showInLegend = false; // out of the legend, still drawn
        }
    all = std::move(ordered);
}

bool DiagramWindow::setAxisScale(AxisId axis, const QString& min, const QString& max) {
    const auto lo = NumberText::fromText(min);
    const auto hi = NumberText::fromText(max);
    if (!lo || !hi) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Give numbers for the axis scale"));
        return false;
    }
    if (const auto refusal = UserAxisScale::setFromMenu(figure_, scaleState, axis, *lo, *hi)) {
        dialogs_.message(MessageKind::Exclamation, *refusal);
        return false;
    }
    return true;
}

bool DiagramWindow::askBubbleSize() {
    const auto answer = dialogs_.input(QStringLiteral("Bubble Options"), bubbleSizePrompt(),
                                       QString::number(figure_.bubbleMaxPixels));
    if (!answer)
        return false;
    bool ok = false;
    const int pixels = answer->trimmed().toInt(&ok);
    if (!ok || pixels < 4 || pixels > 200) {
        dialogs_.message(MessageKind::Exclamation, bubbleSizePrompt());
        return false;
    }
    figure_.bubbleMaxPixels = pixels;
    return true;
}

void DiagramWindow::resetScale() {
    UserAxisScale::reset(figure_, scaleState);
    rescale();
}

bool DiagramWindow::applyScaleDialog(const std::array<QString, 4>& boxes) {
    if (const auto refusal = UserAxisScale::applyDialog(figure_, scaleState, boxes)) {
        dialogs_.message(MessageKind::Exclamation, *refusal);
        return false;
    }
    return true;
}

bool DiagramWindow::askAxisRatio() {
    const auto answer = dialogs_.input(QStringLiteral("X:Y Axis Ratio"), AxisRatioInput::prompt(),
                                       scaleState.xPerYRatio > 0
                                           ? NumberText::floatToText(float(scaleState.xPerYRatio))
                                           : QStringLiteral("1"));
    if (!answer)
        return false;
    const auto ratio = AxisRatioInput::parse(*answer);
    if (const auto* refusal = std::get_if<QString>(&ratio)) {
        dialogs_.message(MessageKind::Exclamation, *refusal);
        return false;
    }
    setAxisRatio(std::get<double>(ratio));
    return true;
}

void DiagramWindow::setAxisRatio(std::optional<double> xPerY) {
    scaleState.ratioFixed = xPerY.has_value();
    if (xPerY)
        scaleState.xPerYRatio = *xPerY;
    if (!xPerY)
        figure_.plotAreaSize.reset();
    rescale();
}

bool DiagramWindow::loadTemplateFor(const QString& graphType, const QStringList& folders) {
    const auto appearance = ChartTemplate::loadDefault(graphType, folders);
    if (appearance)
        ChartTemplate::apply(*appearance, figure_);
    return appearance.has_value();
}

bool DiagramWindow::saveDefaultTemplate(const QString& folder) const {
    return saveTemplate(folder + QLatin1Char('/') +
                        ChartTemplate::defaultFileName(definition.graphType));
}

bool DiagramWindow::saveTemplate(const QString& path) const {
    if (ChartTemplate::save(path, figure_))
        return true;
    dialogs_.message(MessageKind::Critical, FigureFile::saveError());
    return false;
}

bool DiagramWindow::openTemplate(const QString& path) {
    const auto appearance = ChartTemplate::load(path);
    if (!appearance) {
        dialogs_.message(MessageKind::Critical, FigureFile::openError(path));
        return false;
    }
    ChartTemplate::apply(*appearance, figure_);
    return true;
}

bool DiagramWindow::askAxisScale(AxisId axis) {
    const Axis& a = figure_.axis(axis);
    const QString name = axis == AxisId::X ? QStringLiteral("X") : QStringLiteral("Y");
    const auto min = dialogs_.input(
        Dialogs::title() + QStringLiteral(" XY: ") + name + QStringLiteral(" min"),
        QStringLiteral("Give ") + name + QStringLiteral(" axis min"), NumberText::toText(a.min));
    if (!min)
        return false;
    const auto max = dialogs_.input(
        Dialogs::title() + QStringLiteral(" XY: ") + name + QStringLiteral(" max"),
        QStringLiteral("Give ") + name + QStringLiteral(" axis max"), NumberText::toText(a.max));
    return max && setAxisScale(axis, *min, *max);
}

void DiagramWindow::setLogarithmic(AxisId axis, bool logarithmic) {
    figure_.axis(axis == AxisId::X ? AxisId::X : AxisId::Y).logarithmic = logarithmic;
    rescale();
}

void DiagramWindow::setReversed(AxisId axis, bool reversed) {
    figure_.axis(axis).reversed = reversed;
    if (axis == AxisId::Y)
        figure_.y2.reversed = reversed;
}

void DiagramWindow::setGrid(AxisId axis, GridStyle style) {
    figure_.axis(axis).grid = style;
    if (isTernary() && hasFigure_)
        rescale(); // the triangle's grid follows
}

bool DiagramWindow::askAxisTitle(AxisId axis) {
    const auto title = dialogs_.input(Dialogs::title(),
                                      axis == AxisId::X ? QStringLiteral("Give title for x-axis")
                                                        : QStringLiteral("Give title for y-axis"),
                                      figure_.axis(axis).title);
    if (!title || title->isEmpty())
        return false;
    figure_.axis(axis).title = *title;
    const size_t slot = axis == AxisId::X ? D::X : D::Y;
    const QString& table = definition.tables[slot];
    const QString& field = definition.fields[slot];
    if (useAliases && aliasWriter_ && !table.isEmpty() && !field.isEmpty() &&
        dialogs_.question(QStringLiteral("Write in database as aliasname to be used?"),
                          QuestionButtons::YesNoCancel) == Answer::Yes)
        aliasWriter_(table, field, *title);
    return true;
}

bool DiagramWindow::askLabelFrequency() {
    const auto answer = dialogs_.input(QStringLiteral("X-axis label frequency"),
                                       QStringLiteral("Give frequency for x-axis label"),
                                       QString::number(figure_.x.labelFrequency));
    const auto frequency = answer ? UserAxisScale::labelFrequency(*answer) : std::nullopt;
    if (!frequency)
        return false;
    figure_.x.labelFrequency = *frequency;
    return true;
}

void DiagramWindow::toggleFreeze(Freeze which) {
    AxisScaleState& s = scaleState;
    switch (which) {
    case Freeze::XAndY:
        s.freezeX = s.freezeY = !(s.freezeX && s.freezeY);
        break;
    case Freeze::X:
        s.freezeX = !s.freezeX;
        break;
    case Freeze::Y:
        s.freezeY = !s.freezeY;
        break;
    }
}

bool DiagramWindow::toggleRatioFixed() {
    if (scaleState.ratioFixed) {
        scaleState.ratioFixed = false;
        return false;
    }
    if (scaleState.xPerYRatio == 0) {
        const QSizeF area = figure_.plotAreaSize ? *figure_.plotAreaSize
                            : meter_             ? meter_(figure_)
                                                 : QSizeF();
        if (area.width() > 0 && area.height() > 0)
            scaleState.xPerYRatio = area.width() / area.height();
    }
    return askAxisRatio();
}
