#pragma once
// One index (or primary key) of a table, its columns in key order.
#include <QStringList>

struct IndexDescription {
    QString table;
    QString name;
    QStringList columns;
    bool unique = false;
    bool primaryKey = false;
};
