#pragma once
// A statement compiled once and run many times with values bound to its "?" markers. Made by
// Connection::prepare; it must not outlive the connection that made it.
#include "platform/RowSet.h"

#include <optional>
#include <vector>

class PreparedStatement {
public:
    virtual ~PreparedStatement() = default;
    virtual int parameterCount() const = 0;
    // Rows affected, or nullopt on failure (the text is in lastError).
    virtual std::optional<qint64> execute(const std::vector<CellValue>& values) = 0;
    virtual std::optional<RowSet> query(const std::vector<CellValue>& values) = 0;
    virtual QString lastError() const = 0;
};
