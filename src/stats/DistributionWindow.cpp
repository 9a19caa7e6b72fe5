#include "stats/DistributionWindow.h"

#include "db/SessionDatabase.h"
#include "platform/NumberText.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"
#include "query/FilterBaseResolver.h"
#include "query/JoinCondition.h"
#include "query/LinkSearch.h"
#include "query/SqlNames.h"
#include "stats/ComponentLoader.h"
#include "stats/DistributionClasses.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <numeric>

namespace {
QString numberText(const std::optional<double>& v) {
    return v ? CellValue::formatNumber(*v) : QString();
}
} // namespace

DistributionWindow::DistributionWindow(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

QStringList DistributionWindow::tableHeadings() {
    return {QStringLiteral("From"),
            QStringLiteral("To"),
            QStringLiteral("From: ]=1/ [=0"),
            QStringLiteral("To: [=1/ ]=0"),
            QStringLiteral("Name"),
            QStringLiteral("Name2"),
            QStringLiteral("n"),
            QStringLiteral("%"),
            QStringLiteral("Cum up, n"),
            QStringLiteral("Cum up, %"),
            QStringLiteral("Cum down, n"),
            QStringLiteral("Cum down, %")};
}

bool DistributionWindow::fetch() {
    fetchedFromDatabase_ = false;
    if (useClipData) {
        const Sheet* sheet = clipData_ ? clipData_() : nullptr;
        StatisticsComponent whole;
        const int column = sheet && ComponentLoader::load(*sheet, whole)
                               ? ComponentLoader::columnNamed(whole, field)
                               : 0;
        if (!column) {
            dialogs_.message(MessageKind::Critical, QStringLiteral("No data"));
            return false;
        }
        data_.SetSize(whole.RowCount(), 2);
        data_.setColumnName(1, QStringLiteral("Row"));
        data_.setColumnName(2, whole.ColumnName(column));
        for (int r = 1; r <= whole.RowCount(); ++r) {
            data_.setCellText(r, 1, QString::number(r));
            data_.setCellText(r, 2, whole.CellText(r, column));
        }
    } else {
        Connection* db = session_.connection();
        const QStringList keys = session_.catalogue().keyFields(table);
        if (!db || keys.isEmpty()) {
            dialogs_.message(MessageKind::Critical, QStringLiteral("Table ") + table +
                                                        QStringLiteral(" has no key field"));
            return false;
        }
        const QString t = SqlNames::bracketed(table);
        const QString k = SqlNames::field(table, keys.first());
        const QString e = SqlNames::field(table, field);
        QString from = t;
        QString where = k + QStringLiteral(" Is Not Null");
        if (!acceptNulls)
            where += QStringLiteral(" AND ") + e + QStringLiteral(" Is Not Null");
        if (useFilter) {
            const FilterBaseResolver filters(*db, session_.catalogue());
            const LinkSearch links(session_.catalogue(), filters);
            const QString view = QStringLiteral("f_") + SqlNames::plain(filter);
            const QString join = BuildJoinCondition(links, {SqlNames::plain(table), view}).text;
            if (join.isEmpty()) {
                dialogs_.message(MessageKind::Exclamation,
                                 QStringLiteral("No link to join tables ") + table +
                                     QStringLiteral(" and ") + view);
                return false;
            }
            from += QStringLiteral(", ") + SqlNames::bracketed(view);
            where = join + QStringLiteral(" AND ") + where;
        }
        const QString sql = QStringLiteral("SELECT ") + k + u',' + e + QStringLiteral(" From ") +
                            from + QStringLiteral(" WHERE (") + where +
                            QStringLiteral(") ORDER BY ") + e;
        status_.showStatus(QStringLiteral("Retrieving..."), 1);
        const std::optional<RowSet> rows = db->query(sql);
        if (!rows) {
            dialogs_.message(MessageKind::Critical, sql + QStringLiteral("\r\n") + db->lastError());
            return false;
        }
        ComponentLoader::load(*rows, data_);
        keys_.clear();
        for (qsizetype r = 0; r < rows->rowCount(); ++r)
            keys_.push_back(rows->at(r, 0));
        fetchedFromDatabase_ = true;
        fetchedTable_ = table;
        fetchedKey_ = keys.first();
    }
    if (data_.RowCount() == 0) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("No data"));
        return false;
    }
    data_.SelectColumn(2, 0);
    const double lo = data_.Statistic(QStringLiteral("MIN"));
    const double hi = data_.Statistic(QStringLiteral("MAX"));
    dataMin_ = lo == data_.NoValue() ? std::nullopt : std::optional(lo);
    dataMax_ = hi == data_.NoValue() ? std::nullopt : std::optional(hi);
    minUsed = numberText(dataMin_);
    maxUsed = numberText(dataMax_);
    return true;
}

bool DistributionWindow::draw() {
    if ((table.isEmpty() && !useClipData) || field.isEmpty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("Select table & element"));
        return false;
    }
    const bool fetched = fetch();
    status_.showStatus({}, 0);
    if (!fetched)
        return false;
    if (!manualClasses || classes_.empty()) {
        rangeText.clear();
        const auto lo = NumberText::fromText(QStringView(minUsed));
        const auto hi = NumberText::fromText(QStringView(maxUsed));
        const auto n = NumberText::fromText(QStringView(classesText));
        DistributionClasses make(maxClasses);
        auto made = lo && hi && n ? make.regenerate(*lo, *hi, int(*n)) : std::nullopt;
        if (!made && lo && hi && *lo == *hi) // one value: one class around it
            made = Classes{DistributionClass{*lo, *hi, false, false, {}, {}}};
        if (made)
            setClasses(std::move(*made));
    }
    return refresh();
}

bool DistributionWindow::refresh() {
    counts_ = data_.Distribution(2, classes_, fieldIs, caseSensitive);
    if (!counts_) {
        // The reason on a line of its own: the classes are what is missing.
        const QString why = !classes_.empty() ? QString()
                            : dataMin_        ? QStringLiteral("\r\nThere are no classes.")
                                       : QStringLiteral("\r\nThere are no classes: ") + field +
                                             QStringLiteral(" holds no numbers to make them from.");
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Distrubution calculation failed") + why);
        return false;
    }
    rebuildFigure();
    hasFigure_ = true;
    return true;
}

void DistributionWindow::setClasses(Classes classes) {
    classes_ = std::move(classes);
    for (DistributionClass& c : classes_)
        if (c.name.isEmpty())
            c.name = c.name2 = c.interval();
    counts_.reset();
}

Sheet DistributionWindow::classTable() const {
    Sheet t;
    const QStringList headings = tableHeadings();
    for (int c = 0; c < headings.size(); ++c)
        t.setText(1, c + 1, headings[c]);
    qsizetype total = 0;
    if (counts_)
        total = counts_->outside +
                std::accumulate(counts_->counts.begin(), counts_->counts.end(), qsizetype(0));
    qsizetype up = 0;
    qsizetype down = total - (counts_ ? counts_->outside : 0);
    for (size_t i = 0; i < classes_.size(); ++i) {
        const DistributionClass& c = classes_[i];
        const int row = int(i) + 2;
        if (c.from)
            t.setNumber(row, 1, *c.from);
        if (c.to)
            t.setNumber(row, 2, *c.to);
        t.setNumber(row, 3, c.fromExcluded ? 1 : 0);
        t.setNumber(row, 4, c.toExcluded ? 1 : 0);
        t.setText(row, 5, c.name);
        t.setText(row, 6, c.name2);
        if (!counts_ || total == 0 || i >= counts_->counts.size())
            continue;
        const qsizetype n = counts_->counts[i];
        up += n;
        const double percent = 100.0 / double(total);
        const double values[] = {double(n),    n * percent,  double(up),
                                 up * percent, double(down), down * percent};
        for (int k = 0; k < 6; ++k)
            t.setNumber(row, 7 + k, values[k]);
        down -= n;
    }
    return t;
}

void DistributionWindow::rebuildFigure() {
    // The values of each class, for the statistics over its bar.
    std::vector<std::vector<double>> values(classes_.size());
    if (chart.barLabel != DistributionChart::BarLabel::None &&
        chart.barLabel != DistributionChart::BarLabel::Count)
        for (int r = 0; r < int(counts_->classOfRow.size()); ++r)
            if (const int k = counts_->classOfRow[size_t(r)]; k >= 0)
                if (const auto v = NumberText::fromText(QStringView(data_.CellText(r + 1, 2))))
                    values[size_t(k)].push_back(*v);
    figure_ = chart.make(field, classes_, classTable(), counts_->outside, values);
}

void DistributionWindow::redrawChart() {
    if (counts_ && hasFigure_)
        rebuildFigure();
}

std::optional<double> DistributionWindow::askNumber(const QString& prompt, const QString& title) {
    const auto answer = dialogs_.input(title, prompt, {});
    return answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt;
}

bool DistributionWindow::applyGenerated(std::optional<Classes> made, const QString& refusal) {
    if (!made) {
        if (!refusal.isEmpty())
            dialogs_.message(MessageKind::Exclamation, refusal);
        return false;
    }
    setClasses(std::move(*made));
    manualClasses = true;
    if (hasFigure_)
        refresh();
    return true;
}

bool DistributionWindow::equalRangeByRange() {
    const auto lo = askNumber(QStringLiteral("Give min"), QStringLiteral("Ranges MIN"));
    const auto hi =
        lo ? askNumber(QStringLiteral("Give max"), QStringLiteral("Ranges MAX")) : std::nullopt;
    const auto range =
        hi ? askNumber(QStringLiteral("Give range"), QStringLiteral("Ranges RANGE")) : std::nullopt;
    if (!range)
        return false;
    DistributionClasses make(maxClasses);
    auto made = make.byRange(*lo, *hi, *range);
    return applyGenerated(std::move(made), make.refusal);
}

bool DistributionWindow::equalRangeByCount() {
    const auto lo = askNumber(QStringLiteral("Give min"), QStringLiteral("Ranges MIN"));
    const auto hi =
        lo ? askNumber(QStringLiteral("Give max"), QStringLiteral("Ranges MAX")) : std::nullopt;
    const auto n = hi ? askNumber(QStringLiteral("Give number of classes"),
                                  QStringLiteral("Ranges: number of CLASSES"))
                      : std::nullopt;
    if (!n)
        return false;
    DistributionClasses make(maxClasses);
    auto made = make.byCount(*lo, *hi, int(std::clamp(*n, -1.0, 1e9)));
    return applyGenerated(std::move(made), make.refusal);
}

bool DistributionWindow::logScale() {
    const auto lo = askNumber(QStringLiteral("Give min"), QStringLiteral("Ranges MIN"));
    const auto hi =
        lo ? askNumber(QStringLiteral("Give max"), QStringLiteral("Ranges MAX")) : std::nullopt;
    if (!hi)
        return false;
    DistributionClasses make(maxClasses);
    auto made = make.logDecades(*lo, *hi);
    return applyGenerated(std::move(made), make.refusal);
}

bool DistributionWindow::regenerate() {
    if (!classesText.isEmpty() && !rangeText.isEmpty()) {
        const Answer a = dialogs_.question(
            QStringLiteral("Base classification on number of groups?\r\n - Yes = Base on "
                           "groups\r\n - No = Base on ranges\r\n - Cancel = Cancel "),
            QuestionButtons::YesNoCancel);
        if (a == Answer::Cancel)
            return false;
        (a == Answer::Yes ? rangeText : classesText).clear();
    }
    const auto lo = NumberText::fromText(QStringView(minUsed));
    const auto hi = NumberText::fromText(QStringView(maxUsed));
    if (!lo || !hi || *lo >= *hi)
        return false;
    DistributionClasses make(maxClasses);
    std::optional<Classes> made;
    if (const auto n = NumberText::fromText(QStringView(classesText)))
        made = make.regenerate(*lo, *hi, int(std::clamp(*n, -1.0, 1e9)));
    else if (const auto range = NumberText::fromText(QStringView(rangeText)))
        made = make.byRange(*lo, *hi, *range);
    else
        return false;
    return applyGenerated(std::move(made), make.refusal);
}

bool DistributionWindow::insertRow(int row) {
    row = std::clamp(row, 0, int(classes_.size()));
    const bool first = row == 0;
    const bool last = row == int(classes_.size());
    const auto fromAnswer = dialogs_.input(QStringLiteral("From"), QStringLiteral("Give from"), {});
    if (!fromAnswer)
        return false;
    DistributionClass c;
    c.fromExcluded = false;
    c.toExcluded = true;
    if (fromAnswer->trimmed().isEmpty()) {
        if (!first) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("Only the first class can be open in this end"));
            return false;
        }
    } else if (!(c.from = NumberText::fromText(QStringView(*fromAnswer)))) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Give number"));
        return false;
    }
    for (;;) {
        const auto toAnswer = dialogs_.input(QStringLiteral("To"), QStringLiteral("Give to"), {});
        if (!toAnswer)
            return false;
        if (toAnswer->trimmed().isEmpty()) {
            if (!last) {
                dialogs_.message(MessageKind::Exclamation,
                                 QStringLiteral("Only the last class can be open"));
                return false;
            }
            break;
        }
        if ((c.to = NumberText::fromText(QStringView(*toAnswer))))
            break;
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Give number"));
    }
    c.name = c.name2 = u'[' + numberText(c.from) + u',' + numberText(c.to) + u'[';
    classes_.insert(classes_.begin() + row, c);
    counts_.reset();
    manualClasses = true;
    return true;
}

void DistributionWindow::deleteRow(int row) {
    if (row >= 0 && row < int(classes_.size())) {
        classes_.erase(classes_.begin() + row);
        counts_.reset();
    }
}

void DistributionWindow::clearClasses() {
    classes_.clear();
    counts_.reset();
}

bool DistributionWindow::editLabel(int row) {
    if (row < 0 || row >= int(classes_.size()))
        return false;
    const auto answer = dialogs_.input(
        Dialogs::title(), QStringLiteral("Give new name for ") + classes_[size_t(row)].name,
        classes_[size_t(row)].name);
    if (!answer)
        return false;
    classes_[size_t(row)].name = *answer;
    if (hasFigure_ && counts_)
        rebuildFigure();
    return true;
}

bool DistributionWindow::fillRanges() {
    bool changed = false;
    for (size_t i = 0; i + 1 < classes_.size(); ++i) {
        DistributionClass& c = classes_[i];
        const DistributionClass& next = classes_[i + 1];
        if (!next.from || (c.to == next.from && c.toExcluded != next.fromExcluded))
            continue;
        const bool labelFromBounds =
            c.name == c.interval() ||
            c.name == u'[' + numberText(c.from) + u',' + numberText(c.to) + u'[';
        c.to = next.from;
        c.toExcluded = !next.fromExcluded; // the bound belongs to exactly one of the two
        if (labelFromBounds)
            c.name = c.name2 = c.interval();
        changed = true;
    }
    if (changed) {
        counts_.reset();
        hasFigure_ = false;
    }
    return changed;
}

std::optional<QString> DistributionWindow::copyClassTable() {
    if (classes_.empty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return std::nullopt;
    }
    return classTable().toTsv();
}

bool DistributionWindow::saveClasses(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(classTable().toTsv().toUtf8()) < 0 ||
        !file.commit()) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in writing file"));
        return false;
    }
    return true;
}

bool DistributionWindow::openClasses(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in reading file ") + path);
        return false;
    }
    Classes read;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& rawLine : lines) {
        QString line = rawLine;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringList cells = line.split(u'\t');
        if (line.trimmed().isEmpty() || cells.first() == tableHeadings().first())
            continue;
        const auto cell = [&](int i) { return i < cells.size() ? cells[i].trimmed() : QString(); };
        DistributionClass c;
        c.from = NumberText::fromText(QStringView(cell(0)));
        c.to = NumberText::fromText(QStringView(cell(1)));
        if ((!c.from && !cell(0).isEmpty()) || (!c.to && !cell(1).isEmpty())) {
            dialogs_.message(MessageKind::Critical, QStringLiteral("Not a class file: ") + path);
            return false;
        }
        c.fromExcluded = cell(2) != QLatin1String("0");
        c.toExcluded = cell(3) == QLatin1String("1");
        c.name = cell(4);
        c.name2 = cell(5).isEmpty() ? c.name : cell(5);
        read.push_back(c);
    }
    setClasses(std::move(read));
    manualClasses = true;
    return true;
}

bool DistributionWindow::writeInDatabase() {
    Connection* db = session_.connection();
    if (!fetchedFromDatabase_ || !counts_ || !db) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    const auto target = dialogs_.input(QStringLiteral("Write in database"),
                                       QStringLiteral("Give the field of ") + fetchedTable_ +
                                           QStringLiteral(" that gets the class names"),
                                       {});
    if (!target || target->trimmed().isEmpty())
        return false;
    const QStringList fields = session_.catalogue().fieldNames(fetchedTable_);
    if (!fields.contains(target->trimmed(), Qt::CaseInsensitive)) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Field ") + *target +
                             QStringLiteral(" can not be found in the table ") + fetchedTable_);
        return false;
    }
    status_.showStatus(QStringLiteral("Updating..."), 1);
    const auto fail = [&](const QString& why) {
        status_.showStatus({}, 0);
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in writing classes: ") + why);
        return false;
    };
    TransactionScope transaction(*db);
    if (!transaction.began())
        return fail(db->lastError());
    const auto update = db->prepare(
        QStringLiteral("UPDATE ") + SqlNames::bracketed(fetchedTable_) + QStringLiteral(" SET ") +
        SqlNames::bracketed(target->trimmed()) + QStringLiteral(" = ? WHERE ") +
        SqlNames::bracketed(fetchedKey_) + QStringLiteral(" = ?"));
    if (!update)
        return fail(db->lastError());
    qsizetype written = 0;
    for (int r = 1; r <= data_.RowCount(); ++r) {
        const int k = counts_->classOfRow[size_t(r - 1)];
        if (k < 0)
            continue;
        if (!update->execute({CellValue::text(classes_[size_t(k)].name2), keys_[size_t(r - 1)]}))
            return fail(update->lastError());
        ++written;
    }
    if (!transaction.commit())
        return fail(db->lastError());
    status_.showStatus({}, 0);
    dialogs_.message(MessageKind::Information,
                     QString::number(written) + QStringLiteral(" samples updated"));
    return true;
}

Sheet DistributionWindow::dataSheet() const {
    Sheet sheet;
    sheet.setText(1, 1, data_.ColumnName(1));
    sheet.setText(1, 2, data_.ColumnName(2));
    sheet.setText(1, 3, QStringLiteral("Class"));
    for (int r = 1; r <= data_.RowCount(); ++r) {
        sheet.setText(r + 1, 1, data_.CellText(r, 1)); // a key "007" stays as it is
        const QString value = data_.CellText(r, 2);
        if (const auto n = NumberText::fromText(QStringView(value)))
            sheet.setNumber(r + 1, 2, *n);
        else
            sheet.setText(r + 1, 2, value);
        const int k = counts_ && r <= int(counts_->classOfRow.size())
                          ? counts_->classOfRow[size_t(r - 1)]
                          : -1;
        if (k >= 0 && k < int(classes_.size()))
            sheet.setText(r + 1, 3, classes_[size_t(k)].name);
    }
    return sheet;
}
