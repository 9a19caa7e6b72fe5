#pragma once
// An XY (or ternary) diagram as a PictureBook row and back: the figure sheet's columns 2-20,
// the multi-graph sets and axis calculations as rows of the object sheets with their ranges in
// columns 27-30. The graph type goes to column 11 and the Z axis to column 18 ("table;field").
#include "diagram/DiagramDefinition.h"

class PictureBook;

class DiagramBookRow {
public:
    static QString type() { return QStringLiteral("XY"); }
    // "Y vs. X" with the fields; "Fig " + row when the diagram names no fields.
    static QString displayName(const DiagramDefinition& d, int row);
    // Appends the figure; returns its row.
    static int add(PictureBook& book, const DiagramDefinition& d, const QString& graphFile);
    // The definition a row holds (its type must be XY).
    static DiagramDefinition read(const PictureBook& book, int row);
};
