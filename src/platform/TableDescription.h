#pragma once
// One table or view as the database reports it. Filled by drivers, read by the catalogue.
#include <QString>

struct TableDescription {
    enum class Kind { Table, View, SystemTable };
    QString name;
    Kind kind = Kind::Table;
    QString viewText; // a view's stored SELECT text; empty for tables
};
