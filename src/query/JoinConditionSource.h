#pragma once
// The join condition of a main table with other tables over their linked key fields, as the
// SQL builder writes it from the schema catalogue (filters are followed to their base tables
// for the link search and keep their own names in the text). The table chooser asks it.
#include <QString>
#include <QStringList>

class JoinConditionSource {
public:
    virtual ~JoinConditionSource() = default;
    // tables[0] is the main table; names come without brackets. Empty when nothing links them.
    virtual QString joinCondition(const QStringList& tables) const = 0;
};
