#include "stats/CorrelationWindow.h"

#include "db/SessionDatabase.h"
#include "platform/NumberText.h"
#include "platform/Status.h"
#include "platform/XlsxWorkbookWriter.h"
#include "query/JoinCondition.h"
#include "query/LinkSearch.h"
#include "query/SqlNames.h"
#include "stats/ComponentLoader.h"
#include "stats/CorrelationMatrix.h"
#include "stats/SheetNameMaker.h"
#include "stats/StatisticsComponent.h"

#include <QFileInfo>
#include <cmath>

CorrelationWindow::CorrelationWindow(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

QString CorrelationWindow::statement(const LinkSearch& links) {
    const bool classified = !classField.isEmpty();
    const bool twoTables = !secondTable.isEmpty();
    if (classified && twoTables) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("This feature is not implemented yet"));
        return {};
    }
    const QString t1 = SqlNames::bracketed(table);
    const QString t2 = SqlNames::bracketed(secondTable);
    const QString c = SqlNames::bracketed(classTable.isEmpty() ? table : classTable);
    const bool classInTable = SqlNames::plain(c) == SqlNames::plain(t1);
    const QString filterView = QStringLiteral("f_") + SqlNames::plain(filter);

    QStringList joined{SqlNames::plain(t1)};
    if (twoTables)
        joined << SqlNames::plain(t2);
    if (classified && !classInTable)
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
    QStringList from;
    for (const QString& name : joined)
        from << SqlNames::bracketed(name);
    const QString tables = from.join(QStringLiteral(", "));
    if (classified) {
        // The classifier first, rows without a class left out; joined by the tables' own links
        // (with the filter's key when there is one).
        const QString classColumn = c + u'.' + SqlNames::bracketed(classField);
        QString where = classColumn + QStringLiteral(" Is Not Null");
        if (!join.isEmpty())
            where = u'(' + join + QStringLiteral(") AND ") + where;
        return QStringLiteral("SELECT ") + classColumn + QStringLiteral(", ") + t1 +
               QStringLiteral(".* FROM ") + tables + QStringLiteral(" WHERE ") + where;
    }
    if (twoTables && useFilter)
        return QStringLiteral("SELECT ") + t1 + QStringLiteral(".*, ") + t2 +
               QStringLiteral(".* FROM ") + tables + QStringLiteral(" WHERE (") + join + u')';
    if (twoTables)
        return QStringLiteral("SELECT DISTINCTROW ") + t1 + QStringLiteral(".*, ") + t2 +
               QStringLiteral(".* FROM ") + tables + QStringLiteral(" WHERE ") + join;
    if (useFilter)
        return QStringLiteral("SELECT ") + t1 + QStringLiteral(".* FROM ") + tables +
               QStringLiteral(" WHERE ") + join;
    return QStringLiteral("SELECT * FROM ") + t1;
}

bool CorrelationWindow::load(StatisticsComponent& component) {
    if (useClipData)
        return ComponentLoader::loadClipData(clipData_ ? clipData_() : nullptr, component,
                                             dialogs_);
    // The statement's columns: the classifier's, then the first table's, then the second's.
    QStringList tables{table};
    if (!secondTable.isEmpty())
        tables << secondTable;
    return ComponentLoader::loadTables(
        session_, dialogs_, status_, [this](const LinkSearch& links) { return statement(links); },
        tables, classField, component);
}

bool CorrelationWindow::execute() {
    if (table.isEmpty() && !useClipData) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Select table ('Statistics of the table')"));
        return false;
    }
    StatisticsComponent component;
    const bool loaded = load(component);
    status_.showStatus({}, 0);
    if (!loaded)
        return false;
    sheets_.clear();
    int classifier = 0;
    if (!classField.isEmpty())
        classifier = useClipData ? ComponentLoader::columnNamed(component, classField) : 1;
    if (!classifier) {
        fill(component, 0, 0, coefficientSheet(), countSheet());
    } else {
        component.Classify(classifier);
        if (component.ClassCount() == 0) {
            dialogs_.message(MessageKind::Information,
                             QStringLiteral("No data (probably due to empty classifier)."));
            return false;
        }
        if (component.ClassCount() > maxClasses)
            dialogs_.message(MessageKind::Information,
                             QStringLiteral("Classes exceed 20. 20 first shown"));
        SheetNameMaker names;
        const int classes = std::min(component.ClassCount(), maxClasses);
        for (int k = 1; k <= classes; ++k) {
            const QString name = component.ClassName(k);
            fill(component, k, classifier, names.make(QStringLiteral("r ") + name),
                 names.make(QStringLiteral("N ") + name));
        }
    }
    for (int pair = 0; pair < pairCount(); ++pair) {
        if (minimumCount_)
            applyMinimumCount(pair);
        deleteEmptyFields(pair);
    }
    status_.showStatus(QStringLiteral("Correlation ready"), 0);
    return true;
}

// The matrix over the component's columns but the classifier's (skip, 0 for none).
void CorrelationWindow::fill(const StatisticsComponent& component, int classIndex, int skip,
                             const QString& coefficientName, const QString& countName) {
    std::vector<CorrelationMatrix::Column> columns;
    QStringList names;
    for (int c = 1; c <= component.ColumnCount(); ++c) {
        if (c == skip)
            continue;
        columns.push_back(component.ColumnNumbers(c, classIndex));
        names << component.ColumnName(c);
    }
    status_.showStatus(QStringLiteral("Analysing..."), 1);
    const CorrelationMatrix matrix(columns);
    Sheet& r = sheets_.sheet(coefficientName);
    Sheet& n = sheets_.sheet(countName);
    for (int i = 0; i < matrix.size(); ++i) {
        for (Sheet* s : {&r, &n}) {
            s->setText(1, i + 2, names[i]);
            s->setText(i + 2, 1, names[i]);
        }
        for (int j = 0; j < matrix.size(); ++j) {
            if (i == j) {
                r.setNumber(i + 2, j + 2, 1);
                continue;
            }
            const PearsonResult& cell = matrix.at(i, j);
            if (cell.r && cell.n > 0) {
                r.setNumber(i + 2, j + 2, *cell.r);
                n.setNumber(i + 2, j + 2, double(cell.n));
            }
        }
    }
}

bool CorrelationWindow::askDigits() {
    const auto answer = dialogs_.input(
        Dialogs::title(), QStringLiteral("Give number of digits shown"), QString::number(digits_));
    const auto digits = answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt;
    if (!digits || *digits < 0 || *digits > 15)
        return false;
    digits_ = int(*digits);
    return true;
}

bool CorrelationWindow::askHighlight() {
    const auto answer =
        dialogs_.input(Dialogs::title(), QStringLiteral("Give treshold for highlighting"),
                       highlight_ ? NumberText::toText(*highlight_) : QStringLiteral("0.8"));
    const auto threshold = answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt;
    if (!threshold)
        return false;
    highlight_ = std::abs(*threshold);
    return true;
}

QString CorrelationWindow::minimumCountCaption(std::optional<double> minimum) {
    return minimum
               ? QStringLiteral("Show Rows Where N Is Greater Than ") + NumberText::toText(*minimum)
               : QStringLiteral("&Show Rows Where N is Greater Than");
}

QString CorrelationWindow::toggleMinimumCount() {
    if (minimumCount_) {
        minimumCount_.reset();
    } else {
        const auto answer = dialogs_.input(
            QStringLiteral("N"),
            QStringLiteral("Show only results, where number of analysed rows is greater than"),
            QStringLiteral("0"));
        if (const auto n = answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt) {
            minimumCount_ = *n;
            for (int pair = 0; pair < pairCount(); ++pair)
                applyMinimumCount(pair);
        }
    }
    return minimumCountCaption(minimumCount_);
}

void CorrelationWindow::applyMinimumCount(int pair) {
    Sheet* r = sheets_.sheetAt(2 * pair + 1);
    const Sheet* n = sheets_.sheetAt(2 * pair + 2);
    if (!r || !n || !minimumCount_)
        return;
    for (int i = 2; i <= r->lastRow(); ++i)
        for (int j = 2; j <= r->lastColumn(); ++j)
            if (i != j && !(n->number(i, j).value_or(0) > *minimumCount_))
                r->clearCell(i, j);
}

void CorrelationWindow::deleteEmptyFields(int pair) {
    Sheet* r = sheets_.sheetAt(2 * pair + 1);
    Sheet* n = sheets_.sheetAt(2 * pair + 2);
    if (!r || !n)
        return;
    // From the last so the numbers of the fields still to look at do not move.
    for (int i = r->lastRow(); i >= 2; --i) {
        bool empty = true;
        for (int j = 2; j <= r->lastColumn() && empty; ++j)
            empty = i == j || r->isEmpty(i, j);
        if (empty)
            for (Sheet* s : {r, n}) {
                s->deleteRows(i);
                s->deleteColumns(i);
            }
    }
}

bool CorrelationWindow::deleteField(int pair, int field) {
    Sheet* r = sheets_.sheetAt(2 * pair + 1);
    Sheet* n = sheets_.sheetAt(2 * pair + 2);
    if (!r || !n || field < 1 || field + 1 > r->lastRow())
        return false;
    if (dialogs_.question(QStringLiteral("Delete column and row ") + r->text(field + 1, 1) + u'?',
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    for (Sheet* s : {r, n}) {
        s->deleteRows(field + 1);
        s->deleteColumns(field + 1);
    }
    return true;
}

std::optional<QString> CorrelationWindow::copySheet(int index) {
    const Sheet* sheet = sheets_.sheetAt(index + 1);
    if (!sheet || sheet->lastRow() < 2 || sheet->lastColumn() < 2) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return std::nullopt;
    }
    return sheet->toTsv();
}

bool CorrelationWindow::save(const QString& path) {
    QString error;
    const bool ok =
        QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0
            ? XlsxWorkbookWriter::write(sheets_, path, &error)
            : sheets_.save(path).ok;
    if (!ok)
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in writing file"));
    return ok;
}
