#pragma once
// Combined filters: the key values in both of two filters (AND, a join that keeps a value as
// often as the join yields it) or in either (OR, a UNION without repeats), stored as the one
// view f_Combined. The new f_Combined replaces the old one in one transaction; when it cannot
// be made, or the filters' keys differ for OR, the old one stays. Talks to the person through
// Dialogs with the program's texts; hands the new filter to the diagram through
// DiagramFilterTarget. Holds references to the caller's connection, catalogue and dialogs.
#include <QString>

class Connection;
class DiagramFilterTarget;
class Dialogs;
class SchemaCatalogue;
class Status;

class FilterCombiner {
public:
    enum class Operator { None, And, Or };

    FilterCombiner(Connection& connection, SchemaCatalogue& catalogue, Dialogs& dialogs,
                   Status& status);

    // "Filter A:", "Filter B:" (names without "f_") and the operator option.
    QString filterA;
    QString filterB;
    Operator op = Operator::None;

    // "Resulting filter:".
    QString resultText() const;
    // The key field of each filter: the link search over their bases, else each base's key.
    std::pair<QString, QString> keyFields() const;
    // The statement f_Combined is made of; empty when OR meets different keys.
    QString statement(const QString& keyA, const QString& keyB) const;

    // "Combine filters": true when f_Combined was stored.
    bool combine(DiagramFilterTarget* diagram);
    const QString& lastError() const { return error_; }

private:
    Connection& db_;
    SchemaCatalogue& catalogue_;
    Dialogs& dialogs_;
    Status& status_;
    QString error_;
};
