#pragma once
// The descriptive fields a user object carries besides its geometry: the key it has in the
// object library (0 while it is not stored) and the texts of its library record. Plain value
// type, part of each point, polygon and trendline of a figure.
#include <QString>

struct ObjectHeader {
    int libraryKey = 0;
    QString caseName; // column "Case"
    QString subCase;
    QString createdBy;
    QString date;
    QString note;
    QString allowMove;   // trendlines only
    QString triOneTable; // trendlines only

    bool operator==(const ObjectHeader&) const = default;
};
