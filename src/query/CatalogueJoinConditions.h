#pragma once
// The join conditions of the session's catalogue, for the table chooser: BuildJoinCondition over
// a link search that the caller owns.
#include "query/JoinCondition.h"
#include "query/JoinConditionSource.h"

class CatalogueJoinConditions : public JoinConditionSource {
public:
    explicit CatalogueJoinConditions(const LinkSearch& links)
        : links_(links) {}
    QString joinCondition(const QStringList& tables) const override {
        return BuildJoinCondition(links_, tables).text;
    }

private:
    const LinkSearch& links_;
};
