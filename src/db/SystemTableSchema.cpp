#include "db/SystemTableSchema.h"

#include "platform/JetSqlQuoting.h"

namespace {

QString jetType(SystemTableSchema::Column::Type type) {
    using T = SystemTableSchema::Column::Type;
    switch (type) {
    case T::Integer:
        return QStringLiteral("LONG");
    case T::Number:
        return QStringLiteral("DOUBLE");
    case T::Memo:
        return QStringLiteral("MEMO");
    case T::Text:
        break;
    }
    return QStringLiteral("TEXT(255)");
}

} // namespace

QString SystemTableSchema::createStatement() const {
    QStringList parts;
    for (const Column& c : columns)
        parts << JetSqlQuoting::name(c.name) + QLatin1Char(' ') + jetType(c.type);
    if (!primaryKey.isEmpty()) {
        QStringList keys;
        for (const QString& k : primaryKey)
            keys << JetSqlQuoting::name(k);
        parts << QStringLiteral("PRIMARY KEY (") + keys.join(QStringLiteral(", ")) +
                     QLatin1Char(')');
    }
    return QStringLiteral("CREATE TABLE ") + JetSqlQuoting::name(name) + QStringLiteral(" (") +
           parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}
