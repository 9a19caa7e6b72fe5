#pragma once
// The keys that link two tables: the k-th names of both lists form one equality. The lists may
// differ in length (a links row can hold several names in one cell); only as many equalities as
// both hold are written. Both lists are empty when nothing links the tables.
#include <QString>
#include <QStringList>
#include <algorithm>

struct LinkKeys {
    QString first; // the table names as the caller gave them
    QString second;
    QStringList firstKeys;
    QStringList secondKeys;

    bool isLinked() const { return !firstKeys.isEmpty() && !secondKeys.isEmpty(); }
    qsizetype pairCount() const { return std::min(firstKeys.size(), secondKeys.size()); }

    friend bool operator==(const LinkKeys&, const LinkKeys&) = default;
};
