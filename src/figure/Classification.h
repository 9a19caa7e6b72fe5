#pragma once
// The result of classing rows: the classes in drawing order, each with its name and the
// (0-based) rows that belong to it, and how many rows were left out and why. Plain value type.
#include <QString>
#include <QtGlobal>
#include <vector>

struct DataClass {
    QString name;
    std::vector<quint32> rows; // four bytes a row: a million-point plot holds them all
};

struct Classification {
    std::vector<DataClass> classes;
    qsizetype nullRowsDropped = 0;       // classifier Null and Null rows not drawn
    qsizetype nonNumericRowsDropped = 0; // ClipData with ranges: classifier not a number

    qsizetype rowCount() const {
        qsizetype n = 0;
        for (const DataClass& c : classes) {
            n += qsizetype(c.rows.size());
        }
        return n;
    }
};
