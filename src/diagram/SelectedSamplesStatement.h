#pragma once
// "View Selected In Table": the SELECT of a table's rows whose key is one of the selected
// samples' keys, names and values escaped. Stateless.
#include "platform/JetSqlQuoting.h"

#include <QStringList>

class SelectedSamplesStatement {
public:
    static QString build(const QString& table, const QString& keyField, const QStringList& keys) {
        QStringList values;
        for (const QString& k : keys)
            values << JetSqlQuoting::text(k);
        return QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(table) +
               QStringLiteral(" WHERE ") + JetSqlQuoting::name(table) + QLatin1Char('.') +
               JetSqlQuoting::name(keyField) + QStringLiteral(" IN (") +
               values.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
};
