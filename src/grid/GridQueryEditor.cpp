#include "grid/GridQueryEditor.h"

#include "grid/GridCaption.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TransactionScope.h"

namespace {
const QString scratch = QStringLiteral("ZOLTMP");
}

GridQueryEditor::GridQueryEditor(Connection& database, Dialogs& dialogs)
    : database_(database)
    , dialogs_(dialogs) {}

QString GridQueryEditor::queryName(const QString& caption) {
    QString name = GridCaption::nameOf(caption);
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

std::optional<QString> GridQueryEditor::definition(const QString& name) const {
    if (const auto tables = database_.tables())
        for (const TableDescription& t : *tables)
            if (t.kind == TableDescription::Kind::View && t.name == name)
                return t.viewText;
    return std::nullopt;
}

bool GridQueryEditor::store(const QString& name, const QString& text) {
    const QString edited = text.trimmed();
    const auto old = definition(name);
    if (edited.isEmpty() || !old || edited == old->trimmed())
        return false;
    const auto refused = [this, &name]() {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Query ") + name +
                                                       QStringLiteral(" is kept as it was:\r\n") +
                                                       database_.lastError());
        return false;
    };
    {
        // The scratch view is made and dropped inside a transaction that is never committed.
        TransactionScope trial(database_);
        if (!trial.began() ||
            !database_.execute(QStringLiteral("CREATE VIEW ") + scratch + QStringLiteral(" AS ") +
                               edited) ||
            !database_.query(QStringLiteral("SELECT * FROM ") + scratch +
                             QStringLiteral(" WHERE 1 = 0")))
            return refused();
    }
    TransactionScope transaction(database_);
    if (!transaction.began() ||
        !database_.execute(QStringLiteral("DROP VIEW ") + JetSqlQuoting::name(name)) ||
        !database_.execute(QStringLiteral("CREATE VIEW ") + JetSqlQuoting::name(name) +
                           QStringLiteral(" AS ") + edited) ||
        !transaction.commit())
        return refused();
    return true;
}
