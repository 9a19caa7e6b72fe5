#pragma once
// The link state a sibling program sends: which database, table, field and sample keys the
// person selected there. Held by the link exchange until the next content arrives; every value
// is empty when its key was not sent.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct LinkContent {
    QString databaseName; // DATABASENAME=: file path or data source
    QString tableName;    // TABLENAME=
    QString field;        // FLD=
    QString odbc;         // ODBC=: connection text of an ODBC source
    QString keyFields;    // KEYFIELDS=
    QString keyData;      // KEYDATA=: comma-separated key values
    QString sql;          // SQL=
    QString oracle;       // ORACLE=: connection text of an Oracle source
    QString caption;      // CAPTION=: caption and PictureBook name
    // The [FIELDS] section: one name and value per line.
    QList<QPair<QString, QString>> fields;
    // COMMAND=: command lines for the command interpreter, in the order sent. Unlike the other
    // keys each one adds a line.
    QStringList commands;
};
