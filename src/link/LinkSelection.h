#pragma once
// The text that tells the sibling program which record the person picked here: six lines
// DATABASENAME=, TABLENAME=, FLD=, ODBC=, KEYFIELDS=, KEYDATA=, joined by CR LF. Any key is
// sent, text or number, except the "none" key -999, which sends KEYDATA= empty. Line breaks
// inside a value are dropped, so a value can never start a line of its own.
#include <QString>

struct LinkSelection {
    static QString noKey() { return QStringLiteral("-999"); }

    QString databaseName;
    QString tableName;
    QString field;
    QString odbc;
    QString keyFields;
    QString keyValue;

    QString text() const;
};
