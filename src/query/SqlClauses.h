#pragma once
// The clause parts of one SQL statement, each without its keyword and trimmed; a part whose
// keyword is missing is empty.
#include <QString>

struct SqlClauses {
    QString selectList;
    QString fromPart;
    QString wherePart;
    QString orderByPart;

    friend bool operator==(const SqlClauses&, const SqlClauses&) = default;
};
