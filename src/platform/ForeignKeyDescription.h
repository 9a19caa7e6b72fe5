#pragma once
// One foreign key (a Jet relationship): columns of `table` referring to `referencedTable`.
#include <QStringList>

struct ForeignKeyDescription {
    QString name;
    QString table;
    QStringList columns;
    QString referencedTable;
    QStringList referencedColumns;
};
