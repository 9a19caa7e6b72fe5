#include "spider/SpiderWindow.h"

#include "db/SessionDatabase.h"
#include "figure/AxisScaler.h"
#include "figure/Classifier.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/OpenedConnection.h"
#include "platform/Sheet.h"
#include "platform/Status.h"
#include "spider/SpiderDefinition.h"
#include "spider/SpiderQuery.h"
#include "spider/SpiderTextFiles.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

SpiderWindow::SpiderWindow(SessionDatabase& session, Dialogs& dialogs, Status& status,
                           SystemOpener system, SystemTables names)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , system_(std::move(system))
    , names_(std::move(names)) {}

std::unique_ptr<Connection> SpiderWindow::openSystem() {
    OpenedConnection opened = system_ ? system_() : OpenedConnection{};
    if (!opened.ok()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in opening the system database\r\n") + opened.error);
        return nullptr;
    }
    return std::move(opened.connection);
}

bool SpiderWindow::reloadLibrary() {
    auto system = openSystem();
    if (!system)
        return false;
    SpiderLibrary library(*system, names_);
    const auto types = library.types();
    const auto samples = library.samples();
    if (!types || !samples) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("The spider types cannot be read: ") + library.lastError());
        return false;
    }
    types_ = *types;
    samples_ = *samples;
    return true;
}

QStringList SpiderWindow::spiderTypes() const {
    QStringList names;
    for (const SpiderType& t : types_)
        names << t.name;
    return names;
}

QStringList SpiderWindow::normalizationSamples() const {
    QStringList names{noNormalization()};
    for (const NormalizationSample& s : samples_)
        if (s.spiderType == type_)
            names << s.name;
    return names;
}

void SpiderWindow::setSpiderType(const QString& name) {
    if (name == type_)
        return;
    type_ = name;
    itemNames_.clear();
    if (!normalizationSamples().contains(normalization_))
        normalization_ = noNormalization();
}

void SpiderWindow::setClassifier(const QString& table, const QString& field) {
    classTable_ = field.isEmpty() ? QString() : table;
    classField_ = table.isEmpty() ? QString() : field;
}

void SpiderWindow::setSelection(const QString& table, const QString& keyField,
                                std::vector<CellValue> keys) {
    keyTable_ = table;
    keyField_ = keyField;
    keys_ = std::move(keys);
    scanRow_ = 0;
}

std::optional<NormalizationSample> SpiderWindow::chosenSample() const {
    for (const NormalizationSample& s : samples_)
        if (s.spiderType == type_ && s.name == normalization_)
            return s;
    return std::nullopt;
}

std::vector<SpiderFigureBuilder::Position>
SpiderWindow::positionsOf(const SpiderType& type, std::vector<SpiderFieldMatcher::Match>& matches) {
    SpiderFieldMatcher::Tables tables;
    const SchemaCatalogue& catalogue = session_.catalogue();
    for (const QString& table : catalogue.tableNames())
        tables.push_back({table, catalogue.fieldNames(table)});
    const SpiderFieldMatcher matcher(tables);
    std::vector<SpiderFigureBuilder::Position> positions;
    matches.clear();
    for (const QString& reference : type.elements) {
        SpiderFieldMatcher::Match m;
        if (reference != SpiderType::emptyPosition()) {
            m = matcher.match(reference);
            const QString field = SpiderType::fieldOf(reference);
            const QStringList candidates =
                m.found() || SpiderType::tableOf(reference) == SpiderType::anyTable()
                    ? QStringList()
                    : matcher.tablesWithField(field);
            if (!candidates.isEmpty()) {
                QString text = field + QStringLiteral(" was not found. Corresponding fields are "
                                                      "found.");
                for (qsizetype i = 0; i < candidates.size(); ++i)
                    text += QStringLiteral("\r\n%1 = [").arg(i + 1) + candidates[i] + u']';
                text += QStringLiteral("\r\nSelect one (0 to empty value)");
                const int chosen = dialogs_.input(Dialogs::title(), text, QStringLiteral("0"))
                                       .value_or(QString())
                                       .toInt();
                if (chosen >= 1 && chosen <= candidates.size())
                    m = matcher.match(candidates[chosen - 1] + u'.' + field);
            }
        }
        positions.push_back(SpiderFigureBuilder::Position{
            {},
            m.found(),
            SpiderElementNames::label(SpiderType::fieldOf(reference),
                                      SpiderElementNames::Style::ElementOnly) ==
                QStringLiteral("Pm")});
        matches.push_back(m);
    }
    return positions;
}

std::optional<SpiderRows>
SpiderWindow::fetch(const SpiderType&, const std::vector<SpiderFieldMatcher::Match>& matches) {
    Connection* connection = session_.connection();
    if (!connection || !session_.isOpen()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No database open"));
        return std::nullopt;
    }
    SpiderQuery::Request request{keyTable_, keyField_, keys_, matches, classTable_, classField_};
    QString error;
    status_.showStatus(QStringLiteral("Fetching..."), 1);
    auto rows = SpiderQuery::fetch(*connection, request, error, statement_);
    status_.showStatus({}, 0);
    if (!rows)
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in reading the samples\r\n") + error);
    return rows;
}

std::optional<SpiderRows>
SpiderWindow::fetchFromSheet(const SpiderType& type,
                             std::vector<SpiderFieldMatcher::Match>& matches,
                             std::vector<SpiderFigureBuilder::Position>& positions) {
    const Sheet* sheet = clipData_ ? clipData_() : nullptr;
    if (!sheet || sheet->lastRow() < 2) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("ClipData is empty, paste new data."));
        return std::nullopt;
    }
    QStringList headings;
    for (int c = 1; c <= sheet->lastColumn(); ++c)
        headings << sheet->text(1, c).trimmed();
    const SpiderFieldMatcher matcher({{QStringLiteral("ClipData"), headings}});
    matches.clear();
    positions.clear();
    for (const QString& reference : type.elements) {
        SpiderFieldMatcher::Match m;
        if (reference != SpiderType::emptyPosition()) {
            m = matcher.match(reference);
            if (!m.found()) // a "Table.Field" of the database: its heading in ClipData
                m = matcher.match(QStringLiteral("ClipData.") + SpiderType::fieldOf(reference));
        }
        matches.push_back(m);
        positions.push_back({{}, m.found(), false});
    }
    const auto column = [&](const QString& heading) {
        return heading.isEmpty() ? 0
                                 : int(headings.indexOf(QRegularExpression(
                                       QRegularExpression::escape(heading),
                                       QRegularExpression::CaseInsensitiveOption))) +
                                       1;
    };
    const int keyColumn = std::max(1, column(keyField_));
    const int classColumn = classField_.isEmpty() ? 0 : column(classField_);
    QSet<QString> wanted;
    for (const CellValue& k : keys_)
        wanted.insert(k.toText());

    SpiderRows rows;
    rows.positionCount = qsizetype(matches.size());
    for (int r = 2; r <= sheet->lastRow(); ++r) {
        const QString key = sheet->text(r, keyColumn);
        if (!wanted.isEmpty() && !wanted.contains(key))
            continue;
        if (rows.rowCount() >= SpiderRows::maxRows) {
            rows.capped = true;
            break;
        }
        rows.keys.push_back(key);
        for (const SpiderFieldMatcher::Match& m : matches) {
            const std::optional<double> v =
                m.found() ? sheet->number(r, column(m.field)) : std::nullopt;
            rows.values.push_back(v ? *v * m.toPpm : std::numeric_limits<double>::quiet_NaN());
        }
        if (classColumn > 0)
            rows.classes.push_back(sheet->isEmpty(r, classColumn)
                                       ? CellValue::null()
                                       : CellValue::text(sheet->text(r, classColumn)));
    }
    return rows;
}

bool SpiderWindow::draw() {
    const auto type = std::find_if(types_.begin(), types_.end(),
                                   [&](const SpiderType& t) { return t.name == type_; });
    if (type_.isEmpty() || type == types_.end()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select spidergram type "));
        return false;
    }
    if (!switches.useClipData && keys_.empty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No samples selected!"));
        return false;
    }
    std::vector<SpiderFieldMatcher::Match> matches;
    std::vector<SpiderFigureBuilder::Position> positions;
    std::optional<SpiderRows> rows;
    if (switches.useClipData) {
        rows = fetchFromSheet(*type, matches, positions);
    } else {
        positions = positionsOf(*type, matches);
        rows = fetch(*type, matches);
    }
    if (!rows)
        return false;
    if (rows->capped)
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Maximum number of rows is 65000, only first 65000 are "
                                        "drawn"));
    for (size_t i = 0; i < positions.size(); ++i) {
        const QString& reference = type->elements[qsizetype(i)];
        const QString field = matches[i].found() ? matches[i].field
                              : reference == SpiderType::emptyPosition()
                                  ? QString()
                                  : SpiderType::fieldOf(reference);
        positions[i].label = SpiderElementNames::label(field, elementStyle);
    }
    classes_.reset();
    if (!classField_.isEmpty() && qsizetype(rows->classes.size()) == rows->rowCount()) {
        Classifier classifier({});
        for (const CellValue& v : rows->classes)
            classifier.add(v);
        classes_ = classifier.finish();
    }
    rows_ = std::move(*rows);
    positions_ = std::move(positions);
    scanRow_ = std::clamp<qsizetype>(scanRow_, 0, std::max<qsizetype>(0, rows_.rowCount() - 1));
    seriesNames_.clear();
    finishFigure();
    return true;
}

void SpiderWindow::finishFigure() {
    std::vector<SpiderFigureBuilder::Position> positions = positions_;
    for (auto it = itemNames_.cbegin(); it != itemNames_.cend(); ++it)
        if (it.key() >= 1 && it.key() <= int(positions.size()))
            positions[size_t(it.key() - 1)].label = it.value();
    const std::optional<NormalizationSample> sample = chosenSample();
    figure_ = SpiderFigureBuilder::build(
        rows_, positions, sample, classes_,
        {switches.pack, switches.connectOverMissing, switches.scan ? scanRow_ : -1});
    for (auto it = seriesNames_.cbegin(); it != seriesNames_.cend(); ++it)
        if (it.key() >= 0 && it.key() < int(figure_.series.size()))
            figure_.series[size_t(it.key())].name = it.value();
    for (Series& s : figure_.series)
        for (const NamedStyle& row : styles)
            if (row.name == s.name)
                s.style = row.style;
    figure_.y.logarithmic = yLogarithmic;
    figure_.y.grid = yGrid;
    figure_.legend.visible = legendVisible;
    figure_.y.title = !yTitle_.isEmpty()                    ? yTitle_
                      : sample                              ? QStringLiteral("Rock/") + sample->name
                      : !textBeforeNormalization_.isEmpty() ? textBeforeNormalization_
                                                            : QStringLiteral("No normalization");
    if (showSpiderName)
        figure_.subtitles << type_;
    if (showNormalizationName && sample)
        figure_.subtitles << sample->name;
    if (switches.scan && scanRow_ < rows_.rowCount())
        figure_.header = rows_.keys[size_t(scanRow_)];
    AxisScaler::autoScaleY(figure_);
    if (overlay)
        overlay(figure_);
}

bool SpiderWindow::redraw() {
    if (positions_.empty())
        return false;
    finishFigure();
    return true;
}

bool SpiderWindow::stepSample(int by) {
    const qsizetype next = scanRow_ + by;
    if (!switches.scan || next < 0 || next >= rows_.rowCount())
        return false;
    scanRow_ = next;
    finishFigure();
    return true;
}

bool SpiderWindow::renameItem(int position) {
    if (position < 1 || position > int(positions_.size()))
        return false;
    const QString current = itemNames_.value(position, positions_[size_t(position - 1)].label);
    const auto name = dialogs_.input(
        Dialogs::title(), QStringLiteral("Give new title for item %1, ").arg(position) + current,
        current);
    if (!name)
        return false;
    itemNames_[position] = *name;
    finishFigure();
    return true;
}

bool SpiderWindow::renameSeries(int index) {
    if (index < 0 || index >= int(figure_.series.size()))
        return false;
    const auto name = dialogs_.input(Dialogs::title(), QStringLiteral("Give new name for label"),
                                     figure_.series[size_t(index)].name);
    if (!name)
        return false;
    seriesNames_[index] = *name;
    figure_.series[size_t(index)].name = *name;
    return true;
}

bool SpiderWindow::changeYTitle() {
    const auto title =
        dialogs_.input(Dialogs::title(), QStringLiteral("Give Y-axis title"), figure_.y.title);
    if (!title)
        return false;
    yTitle_ = *title;
    figure_.y.title = title->isEmpty() ? figure_.y.title : *title;
    return true;
}

bool SpiderWindow::changeTextBeforeNormalization() {
    const auto text = dialogs_.input(Dialogs::title(),
                                     QStringLiteral("Give text for Y axis (befor normalization)"),
                                     textBeforeNormalization_);
    if (!text)
        return false;
    textBeforeNormalization_ = *text;
    return true;
}

QString SpiderWindow::normalizationSampleText() {
    const auto type = std::find_if(types_.begin(), types_.end(),
                                   [&](const SpiderType& t) { return t.name == type_; });
    const std::optional<NormalizationSample> sample = chosenSample();
    if (type == types_.end() || !sample)
        return {};
    QString text = QStringLiteral("Spidergram:\t") + type_ +
                   QStringLiteral("\r\nNormalization sample:\t") + sample->name +
                   QStringLiteral("\r\n[Table].[Element]\tValue");
    for (qsizetype i = 0; i < type->elements.size(); ++i) {
        const QString& reference = type->elements[i];
        text += QStringLiteral("\r\n") +
                (reference == SpiderType::emptyPosition()
                     ? reference
                     : u'[' + SpiderType::tableOf(reference) + QStringLiteral("].[") +
                           SpiderType::fieldOf(reference) + u']') +
                u'\t' + sample->values.value(i, NormalizationSample::emptyValue());
    }
    return text;
}

void SpiderWindow::showNormalizationSample() {
    const QString text = normalizationSampleText();
    if (text.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select normalization sample"));
        return;
    }
    if (dialogs_.question(text + QStringLiteral("\r\n\r\nCopy to clipboard?"),
                          QuestionButtons::YesNo) == Answer::Yes &&
        copyText)
        copyText(text);
}

QString SpiderWindow::editNormalizationStatement() {
    if (!chosenSample()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select normalization sample"));
        return {};
    }
    return QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(names_.spiderNorm) +
           QStringLiteral(" WHERE [SpiderType] = ") + JetSqlQuoting::text(type_) +
           QStringLiteral(" AND [Sample] = ") + JetSqlQuoting::text(normalization_);
}

Sheet SpiderWindow::spiderTable() const {
    Sheet sheet;
    const std::optional<NormalizationSample> sample = chosenSample();
    int row = 1;
    const auto block = [&](const QString& title, bool normalized) {
        sheet.setText(row++, 1, title);
        sheet.setText(row, 1, QStringLiteral("Sample"));
        for (size_t p = 0; p < positions_.size(); ++p)
            sheet.setText(row, int(p) + 2,
                          figure_.x.categoryLabels.value(qsizetype(p), positions_[p].label));
        ++row;
        for (qsizetype r = 0; r < rows_.rowCount(); ++r, ++row) {
            sheet.setText(row, 1, rows_.keys[size_t(r)]);
            for (qsizetype p = 0; p < rows_.positionCount; ++p) {
                const double v = normalized ? SpiderFigureBuilder::normalized(rows_, r, p, sample)
                                            : rows_.value(r, p);
                if (std::isfinite(v))
                    sheet.setNumber(row, int(p) + 2, v);
            }
        }
        ++row;
    };
    block(QStringLiteral("Chemical composition of samples"), false);
    sheet.setText(row++, 1, QStringLiteral("Normalization sample"));
    if (sample) {
        sheet.setText(row, 1, sample->name);
        for (qsizetype p = 0; p < sample->values.size(); ++p)
            sheet.setText(row, int(p) + 2, sample->values[p]);
    }
    row += 2;
    if (sample)
        block(QStringLiteral("Normalized composition of sample"), true);
    return sheet;
}

bool SpiderWindow::copySpiderType() {
    const auto type = std::find_if(types_.begin(), types_.end(),
                                   [&](const SpiderType& t) { return t.name == type_; });
    if (type == types_.end()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select spidergram type "));
        return false;
    }
    const auto name = dialogs_.input(QStringLiteral("New spider"),
                                     QStringLiteral("Give name for the spider"), type_);
    if (!name)
        return false;
    if (const QString problem = SpiderDefinition::nameProblem(*name, spiderTypes());
        !problem.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, problem);
        return false;
    }
    const bool withSamples = dialogs_.question(QStringLiteral("Copy normalization samples?"),
                                               QuestionButtons::YesNo) == Answer::Yes;
    auto system = openSystem();
    if (!system)
        return false;
    SpiderLibrary library(*system, names_);
    bool ok = library.addType({*name, type->elements});
    if (withSamples)
        for (const NormalizationSample& s : samples_)
            if (ok && s.spiderType == type_)
                ok = library.addSample({*name, s.name, s.values});
    if (!ok)
        dialogs_.message(MessageKind::Exclamation, library.lastError());
    system.reset();
    reloadLibrary();
    return ok;
}

bool SpiderWindow::exportLibrary(const QString& folder) {
    auto system = openSystem();
    if (!system)
        return false;
    SpiderLibrary library(*system, names_);
    if (const QString error = SpiderTextFiles::write(library, folder); !error.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, error);
        return false;
    }
    return true;
}

bool SpiderWindow::importLibrary(const QString& folder) {
    auto system = openSystem();
    if (!system)
        return false;
    SpiderLibrary library(*system, names_);
    const SpiderTextFiles::Imported imported =
        SpiderTextFiles::read(library, folder, [this](const QString& type) {
            return dialogs_.question(QStringLiteral("SpiderType ") + type +
                                         QStringLiteral(" already exists. Do you want to replace "
                                                        "it?"),
                                     QuestionButtons::YesNo) == Answer::Yes;
        });
    if (!imported.error.isEmpty() && imported.types == 0 && imported.samples == 0) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in reading file ") + imported.error);
        return false;
    }
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("%1 Spider types added and %2 normalization samples added")
                             .arg(imported.types)
                             .arg(imported.samples) +
                         QStringLiteral("\r\n(each spider type has to have unique SpiderType name "
                                        "and each sample unique SpiderType and SampleName)"));
    system.reset();
    reloadLibrary();
    return true;
}

std::vector<std::pair<QString, QString>> SpiderWindow::typeFields() const {
    std::vector<std::pair<QString, QString>> fields;
    SpiderFieldMatcher::Tables tables;
    const SchemaCatalogue& catalogue = session_.catalogue();
    for (const QString& table : catalogue.tableNames())
        tables.push_back({table, catalogue.fieldNames(table)});
    const SpiderFieldMatcher matcher(tables);
    for (const SpiderType& t : types_)
        if (t.name == type_)
            for (const QString& reference : t.elements)
                if (const SpiderFieldMatcher::Match m = matcher.match(reference); m.found())
                    fields.push_back({m.table, m.field});
    return fields;
}
