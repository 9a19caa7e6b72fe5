#include "grid/GridViewSaver.h"

#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TransactionScope.h"

namespace {
const QString filterPrefix = QStringLiteral("f_");

QString withoutTrailingSemicolons(QString statement) {
    statement = statement.trimmed();
    while (statement.endsWith(QLatin1Char(';')))
        statement = statement.chopped(1).trimmed();
    return statement;
}
} // namespace

GridViewSaver::GridViewSaver(SessionDatabase& session, Dialogs& dialogs)
    : session_(session)
    , dialogs_(dialogs) {}

bool GridViewSaver::acceptableName(const QString& name) {
    for (const QChar c : {u'[', u']', u'"', u'.', u'!', u'`'})
        if (name.contains(c))
            return false;
    return !name.trimmed().isEmpty();
}

QString GridViewSaver::saveAsFilter(const QString& statement, const QString& gridName,
                                    qsizetype records, QString* createdStatement) {
    return save(statement, gridName, records, true, createdStatement);
}

QString GridViewSaver::saveAsQuery(const QString& statement, const QString& gridName,
                                   qsizetype records, QString* createdStatement) {
    return save(statement, gridName, records, false, createdStatement);
}

bool GridViewSaver::viewExists(const QString& name) const {
    if (const auto tables = session_.connection()->tables())
        for (const TableDescription& t : *tables)
            if (t.name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString GridViewSaver::save(const QString& statement, const QString& gridName, qsizetype records,
                            bool filter, QString* createdStatement) {
    Connection* db = session_.connection();
    if (!db || !session_.isOpen()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
        return {};
    }
    const QString prompt =
        QStringLiteral("Creating query of view: ") + gridName + QStringLiteral("\r\nContaining ") +
        QString::number(records) + QStringLiteral(" records\r\n\r\n") +
        (filter ? QStringLiteral("GIVE NAME FOR THE FILTER (PREFIX f_ is added)")
                : QStringLiteral("GIVE NAME FOR THE QUERY (IF IT IS AN QUV Data FILTER USE "
                                 "PREFIX: f_)"));
    const auto typed = dialogs_.input(Dialogs::title(), prompt, QString());
    if (!typed || typed->trimmed().isEmpty())
        return {};
    QString name = typed->trimmed();
    if (filter && !name.startsWith(filterPrefix))
        name.prepend(filterPrefix);
    if (!acceptableName(name)) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("The name ") + name +
                             QStringLiteral(" cannot be used: it may not hold [ ] \" . ! or `"));
        return {};
    }
    const QString create = QStringLiteral("CREATE VIEW ") + JetSqlQuoting::name(name) +
                           QStringLiteral(" AS ") + withoutTrailingSemicolons(statement);
    // SQLite stores a view over a broken statement without complaint; try it first.
    if (!db->query(QStringLiteral("SELECT * FROM (") + withoutTrailingSemicolons(statement) +
                   QStringLiteral(") AS quv_check LIMIT 0"))) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("The view ") + name +
                                                       QStringLiteral(" cannot be stored:\r\n") +
                                                       db->lastError());
        return {};
    }
    const bool exists = viewExists(name);
    if (exists &&
        dialogs_.question(filter ? QStringLiteral("Filter exists, do you want to overwrite?")
                                 : QStringLiteral("Query exists, do you want to overwrite?"),
                          QuestionButtons::YesNoCancel) != Answer::Yes)
        return {};
    // Without a transaction a failed CREATE would leave the old view dropped.
    TransactionScope transaction(*db);
    const bool stored =
        transaction.began() &&
        (!exists || db->execute(QStringLiteral("DROP VIEW ") + JetSqlQuoting::name(name))) &&
        db->execute(create) && transaction.commit();
    if (!stored) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("The view ") + name +
                                                       QStringLiteral(" cannot be stored:\r\n") +
                                                       db->lastError());
        return {};
    }
    if (createdStatement)
        *createdStatement = create;
    if (name.startsWith(filterPrefix) && !session_.catalogue().filters.contains(name.mid(2)))
        session_.catalogue().filters << name.mid(2);
    dialogs_.message(MessageKind::Information,
                     (filter ? QStringLiteral("Filter ") : QStringLiteral("Query ")) + name +
                         QStringLiteral(" created"));
    return name;
}
