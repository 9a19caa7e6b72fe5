#pragma once
// The classification diagrams a new system database starts with, read from the data file built
// into the program (diagram/objects/data/classification-diagrams.tsv): one collection per
// diagram, its polygons named by rock name and its boundary trendlines, each object with the
// collection's axes (tables "*") and its citation in Note. Ternary nodes are given as
// components and stored as the plane points the ternary figure draws.
#include "diagram/objects/UserObjects.h"

#include <vector>

class ObjectLibrary;

struct SeedDiagram {
    QString name;
    QString citation;
    ObjectAxes axes;
    std::vector<UserPolygon> polygons;
    std::vector<Trendline> trendlines;
};

class ClassificationSeed {
public:
    static std::vector<SeedDiagram> diagrams();
    // Writes each diagram the library lacks (no collection of its name, whoever made it) as its
    // objects and a collection, so that a second run adds nothing and the user's own objects
    // stay as they are; the error text, empty on success. The caller holds the transaction.
    static QString seed(ObjectLibrary& library);
};
