#pragma once
// Where the link search learns the table behind a filter or stored query. FilterBaseResolver
// asks the session database; tests use a fixed map.
#include <QString>

struct FilterBase {
    QString table;     // empty when not found
    QString keyColumn; // empty when not found
};

class FilterBaseSource {
public:
    virtual ~FilterBaseSource() = default;
    // name without brackets; never fails, an unknown name gives empty results.
    virtual FilterBase filterBase(const QString& name) const = 0;
};
