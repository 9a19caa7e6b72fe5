#pragma once
// One record of the object library as column name -> value, in the order the fields were set.
// Written to the table by column name, so a table whose columns lie in another order (or lack
// some) still gets each value in its own column. Plain value type.
#include "platform/CellValue.h"

#include <QStringList>
#include <utility>
#include <vector>

class LibraryRecord {
public:
    // Null for a column the record does not hold; names compared without case.
    CellValue value(const QString& column) const {
        for (const auto& [name, v] : fields_)
            if (name.compare(column, Qt::CaseInsensitive) == 0)
                return v;
        return CellValue::null();
    }
    QString text(const QString& column) const { return value(column).toText(); }
    void set(const QString& column, const CellValue& v) {
        for (auto& [name, old] : fields_)
            if (name.compare(column, Qt::CaseInsensitive) == 0) {
                old = v;
                return;
            }
        fields_.emplace_back(column, v);
    }
    void setText(const QString& column, const QString& v) { set(column, CellValue::text(v)); }
    const std::vector<std::pair<QString, CellValue>>& fields() const { return fields_; }

private:
    std::vector<std::pair<QString, CellValue>> fields_;
};
