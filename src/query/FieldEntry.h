#pragma once
// One selected field for the SQL builders, in the order it is to appear in the SELECT list.
#include <QString>

struct FieldEntry {
    enum Join : qint16 { Inner = 0, Left = 1, Right = 2 };

    QString table; // a table, query or filter name, plain or bracketed
    QString field;
    qint16 sort = 0; // 0 none, 1 ascending, any other value descending
    bool notNull = false;
    qint16 join = Inner; // BuildJoinSelect only: 0 inner, 1 left, any other value right
};
