#pragma once
// One column of a table or view. Ordinals run 1, 2, 3, ... without gaps in column order.
#include "platform/AdoType.h"

#include <QString>

struct ColumnDescription {
    QString table;
    QString name;
    int ordinal = 0;
    int typeCode = AdoType::Variant; // an AdoType code
    int maxLength = -1;              // character maximum length; -1 when the type has none
    bool nullable = true;
    QString declaredType; // the engine's own type text, for messages and schema editing
};
