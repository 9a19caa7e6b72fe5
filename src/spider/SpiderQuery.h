#pragma once
// Fetches the values of a spider diagram from the session database: one SELECT of the key and
// each matched element field, the element tables joined to the samples' table on the key field,
// limited to the selected keys. Up to inListLimit keys go into "IN (...)" as escaped literals;
// more are written into a temporary table that the statement reads, so that thousands of keys
// never make one enormous statement. At most SpiderRows::maxRows rows are kept.
#include "spider/SpiderFieldMatcher.h"
#include "spider/SpiderRows.h"

#include <optional>

class Connection;

class SpiderQuery {
public:
    static constexpr qsizetype inListLimit = 500;
    static QString keyTableName() { return QStringLiteral("QuvSpiderKeys"); }

    struct Request {
        QString keyTable; // the table (or filter) the samples were chosen from
        QString keyField;
        std::vector<CellValue> keys;
        // One per element position; a position without a field stays empty (NaN).
        std::vector<SpiderFieldMatcher::Match> positions;
        QString classTable; // empty: no classifier
        QString classField;
    };

    // The statement for keys given as `keysTerm` (a list of literals or a sub-select).
    static QString statement(const Request& request, const QString& keysTerm);
    // The escaped literals of the keys: numbers as they are, anything else quoted as text.
    static QString keyLiterals(const std::vector<CellValue>& keys);

    // nullopt on failure, with the driver's text in error. statement gets what was run.
    static std::optional<SpiderRows> fetch(Connection& connection, const Request& request,
                                           QString& error, QString& statement);
};
