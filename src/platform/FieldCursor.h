#pragma once
// One row of a query read field by field, for callers that take millions of rows: a number or
// a text can be read without making a CellValue (and its QString) per cell. What each field
// holds is exactly what the row's CellValue would hold. Valid only inside the visit it is
// handed to.
#include "platform/CellValue.h"

#include <QByteArrayView>
#include <optional>

class FieldCursor {
public:
    virtual ~FieldCursor() = default;

    virtual int columnCount() const = 0;
    // The field as the row's CellValue.
    virtual CellValue value(int column) const = 0;
    // The number, when the CellValue is a number; nullopt otherwise.
    virtual std::optional<double> number(int column) const = 0;
    // The UTF-8 bytes of a text, when the CellValue is a text and the driver holds it so;
    // nullopt otherwise (value() still tells). Valid until the next row.
    virtual std::optional<QByteArrayView> utf8(int column) const = 0;
};
