#pragma once
// Personal display names of fields ("aliases"), kept in the system database's table Alias
// (AliasID, User, Table, Field, Alias): every change adds a row, and the row of the highest
// AliasID for the user, table and field is the one in force. Each call opens its own
// connection and closes it again. Names are quoted and values bound, so a name with "'", "_"
// or "%" is only itself; the user name compares case-insensitively, tables and fields exactly.
// Failures are quiet: no alias, nothing written. Anyone may call it.
#include "platform/OpenedConnection.h"

#include <QString>
#include <functional>

class FieldAliases {
public:
    using Opener = std::function<OpenedConnection()>;

    FieldAliases(Opener open, QString userName, QString aliasTable = QStringLiteral("Alias"));

    // GetFieldAlias: the alias in force, or an empty text (none, a Null alias, or a failure).
    QString get(const QString& table, const QString& field) const;
    // PutFieldAlias: adds a row with the next AliasID (1 in an empty table); nothing when any
    // of the three texts is empty. False when nothing was written.
    bool put(const QString& table, const QString& field, const QString& alias) const;

private:
    Opener open_;
    QString userName_;
    QString aliasTable_;
};
