#pragma once
// What a text typed or pasted into a table's field becomes: in a text field the text as it was
// written ("007", "1E3" stay so, and a key "007" finds the record "007"), in a numeric field its
// number when it reads as one, Null when empty; in a field of any other type a number unless it
// has leading zeros (FieldNumber), else the text. The table's field types are read once, when
// made. Used by the grid's paste, paste-merge, append and add-record.
#include "platform/CellValue.h"

#include <QString>
#include <map>

class Connection;

class FieldValues {
public:
    FieldValues(Connection& database, const QString& table);

    CellValue of(const QString& field, const QString& text) const;
    // Whether the field holds numbers (so that pasted numbers may be scaled for it).
    bool isNumeric(const QString& field) const;
    static CellValue forType(int adoTypeCode, const QString& text);

private:
    std::map<QString, int> types_; // by lower-case field name
};
