#pragma once
// The tables of the system database, version 2: the object library (trendlines, polygons and
// their nodes, reference points, collections), the spider types and normalisation samples, and
// the field aliases, the stored user calculations and the settings kept with the library. Keys,
// XMin/XMax and coordinates are numbers, everything else text, so descriptive values keep exactly
// what the user typed. Stateless; used by SystemDatabase.
#include "db/SystemTableSchema.h"
#include "db/SystemTables.h"

class SystemSchema {
public:
    // Stored in PRAGMA user_version; a file with a higher number was written by a newer program.
    // Version 2 has the same tables as 1; a file of version 1 was made before the object library
    // was seeded, and gets the shipped classification diagrams it lacks when it is opened.
    static constexpr int version = 2;
    // Element positions of a spider type (columns Element1... and Value1...).
    static constexpr int spiderPositions = 50;

    // The twelve tables under their configured names, in creation order.
    static std::vector<SystemTableSchema> tables(const SystemTables& names);
};
