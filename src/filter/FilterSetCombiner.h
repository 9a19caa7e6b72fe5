#pragma once
// The filter window's "Combine filters": a new filter made of two existing ones that share a key
// field. Of the two overlapping sets A and B, with C their common part, the options give
// "A only" (in A, not in B), "B only" (in B, not in A), "A and C, not B" (in both: A's keys that
// B holds too, as a join that keeps repeats) and "A, B and C" (in either: the filters' WHERE
// parts merged with OR when they read the same FROM, else a UNION of their keys). The new
// filter is counted before it is committed; an existing one is replaced only after asking.
// Talks to the person through Dialogs with the program's texts. Holds references to the
// caller's connection, catalogue, dialogs and status.
#include <QString>

class Connection;
class Dialogs;
class SchemaCatalogue;
class Status;

class FilterSetCombiner {
public:
    enum class Part { None, OnlyA, OnlyB, Common, All };
    static QString caption(Part part);

    FilterSetCombiner(Connection& connection, SchemaCatalogue& catalogue, Dialogs& dialogs,
                      Status& status);

    // "Filtername 1:", "Filtername 2:", "Resulting filtername:" (names without "f_").
    QString filter1;
    QString filter2;
    QString result;
    Part part = Part::None;

    // The statement of the new filter over the shared key field.
    QString statement(const QString& key) const;
    // "Combine filters": true when the new filter was stored.
    bool combine();

private:
    // The merged "SELECT … WHERE (a OR b)" when both filters read the same FROM; else empty.
    QString mergedWhere() const;

    Connection& db_;
    SchemaCatalogue& catalogue_;
    Dialogs& dialogs_;
    Status& status_;
};
