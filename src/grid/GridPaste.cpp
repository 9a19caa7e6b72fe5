#include "grid/GridPaste.h"

#include "db/FieldValues.h"
#include "db/SchemaCatalogue.h"
#include "grid/GridTarget.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Sheet.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"

namespace {
bool yes(Dialogs& d, const QString& text) {
    return d.question(text, QuestionButtons::YesNoCancel) == Answer::Yes;
}
QString notBegun() {
    return QStringLiteral("the database cannot be written (the transaction cannot begin).");
}
QString notSaved() {
    return QStringLiteral("the changes cannot be saved.");
}
QString rowNotWritten(int row) {
    return QStringLiteral("row ") + QString::number(row) + QStringLiteral(" cannot be written.");
}
} // namespace

GridPaste::GridPaste(const GridTarget& target, const SchemaCatalogue& catalogue, Dialogs& dialogs,
                     Status& status)
    : target_(target)
    , catalogue_(catalogue)
    , dialogs_(dialogs)
    , status_(status) {}

bool GridPaste::layoutOf(const Sheet& sheet, Layout& layout) {
    status_.showStatus(QStringLiteral("Identifying columns..."), 1);
    const QStringList fields = catalogue_.fieldNames(target_.table);
    layout = {};
    bool anyKnown = false;
    for (int c = 1; c <= sheet.lastColumn(); ++c) {
        const QString heading = sheet.text(1, c).trimmed();
        QString field;
        for (const QString& f : fields)
            if (f.compare(heading, Qt::CaseInsensitive) == 0)
                field = f;
        anyKnown = anyKnown || !field.isEmpty();
        layout.fields << field;
        if (field.isEmpty())
            layout.missing << QStringLiteral("Column %1=%2").arg(c).arg(heading);
    }
    if (anyKnown) {
        layout.firstDataRow = 2;
        return true;
    }
    if (!yes(dialogs_, QStringLiteral("Headers missing or can not be identified. Is data "
                                      "rowwise without header?"))) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Headers missing or can not be identified, Paste "
                                        "operation cancelled"));
        return false;
    }
    if (!yes(dialogs_, QStringLiteral("Data is rowwise without headers. Do the columns match "
                                      "(order is the same as in database)?"))) {
        dialogs_.message(MessageKind::Information, QStringLiteral("Operatio cancelled"));
        return false;
    }
    layout = {};
    layout.firstDataRow = 1;
    for (int c = 1; c <= sheet.lastColumn(); ++c) {
        layout.fields << fields.value(c - 1);
        if (c > fields.size())
            layout.missing << QStringLiteral("Column %1=").arg(c);
    }
    return true;
}

bool GridPaste::insertRow(const Sheet& sheet, int row, const Layout& layout,
                          const FieldValues& fieldValues) {
    QStringList names, marks;
    std::vector<CellValue> values;
    for (int c = 0; c < layout.fields.size(); ++c)
        if (!layout.fields[c].isEmpty()) {
            names << JetSqlQuoting::name(layout.fields[c]);
            marks << QStringLiteral("?");
            values.push_back(fieldValues.of(layout.fields[c], sheet.text(row, c + 1)));
        }
    return target_.database
        ->execute(QStringLiteral("INSERT INTO ") + JetSqlQuoting::name(target_.table) +
                      QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
                      QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) +
                      QLatin1Char(')'),
                  values)
        .has_value();
}

QString GridPaste::report(const QString& head, const Layout& layout,
                          const QString& missingHead) const {
    if (layout.missing.isEmpty())
        return head;
    return head + missingHead + layout.missing.join(QStringLiteral(", "));
}

int GridPaste::append(const QString& clipboardText) {
    Sheet sheet; // as texts: each cell is typed by its field
    if (!target_.database || !sheet.fromTsv(clipboardText, 1, 1, true) || sheet.isBlank())
        return -1;
    Layout layout;
    if (!layoutOf(sheet, layout))
        return -1;
    const QString nothingDone = QStringLiteral("Nothing was added: ");
    const FieldValues values(*target_.database, target_.table);
    status_.showStatus(QStringLiteral("Writing in database"), 1);
    TransactionScope transaction(*target_.database);
    if (!transaction.began())
        return refuse(nothingDone, notBegun());
    int added = 0;
    for (int r = layout.firstDataRow; r <= sheet.lastRow(); ++r) {
        if (!insertRow(sheet, r, layout, values))
            return refuse(nothingDone, rowNotWritten(r));
        ++added;
    }
    if (!transaction.commit())
        return refuse(nothingDone, notSaved());
    status_.showStatus(QString(), 0);
    dialogs_.message(
        MessageKind::Information,
        layout.missing.isEmpty()
            ? QString::number(added) + QStringLiteral(" rows added. All columns inputted")
            : report(QString::number(added) +
                         QStringLiteral(" rows added. Field was not found for "
                                        "following ") +
                         QString::number(layout.missing.size()) + QStringLiteral(" columns: "),
                     layout, QString()));
    return added;
}

int GridPaste::merge(const QString& clipboardText) {
    Sheet sheet; // as texts: each cell is typed by its field, so "007" finds the record "007"
    if (!target_.database || !sheet.fromTsv(clipboardText, 1, 1, true) || sheet.isBlank())
        return -1;
    Layout layout;
    if (!layoutOf(sheet, layout))
        return -1;
    int idColumn = -1;
    for (const QString& candidate : {QStringLiteral("ID"), QStringLiteral("SampleNo")})
        for (int c = 0; c < layout.fields.size() && idColumn < 0; ++c)
            if (layout.fields[c].compare(candidate, Qt::CaseInsensitive) == 0)
                idColumn = c;
    if (idColumn < 0) {
        const auto typed = dialogs_.input(QStringLiteral("ID column"),
                                          QStringLiteral("ID column not found, give its name"),
                                          QStringLiteral("ID column"));
        for (int c = 0; typed && c < layout.fields.size(); ++c)
            if (!layout.fields[c].isEmpty() &&
                layout.fields[c].compare(typed->trimmed(), Qt::CaseInsensitive) == 0)
                idColumn = c;
        if (idColumn < 0) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("ID column not found!"));
            return -1;
        }
    }
    const QString id = layout.fields[idColumn];
    QStringList sets;
    for (int c = 0; c < layout.fields.size(); ++c)
        if (c != idColumn && !layout.fields[c].isEmpty())
            sets << JetSqlQuoting::name(layout.fields[c]) + QStringLiteral(" = ?");
    const QString nothingDone = QStringLiteral("Nothing was merged: ");
    const FieldValues fieldValues(*target_.database, target_.table);
    status_.showStatus(QStringLiteral("Writing in database"), 1);
    TransactionScope transaction(*target_.database);
    if (!transaction.began())
        return refuse(nothingDone, notBegun());
    int merged = 0, added = 0;
    for (int r = layout.firstDataRow; r <= sheet.lastRow(); ++r) {
        std::vector<CellValue> values;
        for (int c = 0; c < layout.fields.size(); ++c)
            if (c != idColumn && !layout.fields[c].isEmpty())
                values.push_back(fieldValues.of(layout.fields[c], sheet.text(r, c + 1)));
        values.push_back(fieldValues.of(id, sheet.text(r, idColumn + 1)));
        std::optional<qint64> updated = 0;
        if (!sets.isEmpty())
            updated = target_.database->execute(
                QStringLiteral("UPDATE ") + JetSqlQuoting::name(target_.table) +
                    QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
                    QStringLiteral(" WHERE ") + JetSqlQuoting::name(id) + QStringLiteral(" = ?"),
                values);
        else if (const auto found = target_.database->query(
                     QStringLiteral("SELECT COUNT(*) FROM ") + JetSqlQuoting::name(target_.table) +
                         QStringLiteral(" WHERE ") + JetSqlQuoting::name(id) +
                         QStringLiteral(" = ?"),
                     {values.back()}))
            updated = qint64(found->at(0, 0).toNumber().value_or(0));
        if (!updated || (*updated == 0 && !insertRow(sheet, r, layout, fieldValues)))
            return refuse(nothingDone, rowNotWritten(r));
        *updated == 0 ? ++added : ++merged;
    }
    if (!transaction.commit())
        return refuse(nothingDone, notSaved());
    status_.showStatus(QString(), 0);
    dialogs_.message(MessageKind::Information,
                     report(QStringLiteral("Data in ") + QString::number(merged) +
                                QStringLiteral(" rows merged. ") + QString::number(added) +
                                QStringLiteral(" records added."),
                            layout, QStringLiteral("\r\nFollowing columns were not found:\r\n")));
    return merged + added;
}

int GridPaste::refuse(const QString& nothingDone, const QString& why) {
    status_.showStatus(QString(), 0);
    dialogs_.message(MessageKind::Exclamation,
                     nothingDone + why + QStringLiteral("\r\n") + target_.database->lastError());
    return -1;
}
