#pragma once
// Between the object library's records and a figure's objects: the axes (Source, XTable,
// XValue, ...), the name and the descriptive fields of each kind under their columns (points
// name theirs CreatedBy, DateCreated and Notes), a trendline's XMin, XMax and Equation.
// Stateless.
#include "diagram/objects/LibraryRecord.h"
#include "diagram/objects/UserObjects.h"

#include <array>

class LibraryObjects {
public:
    static LibraryRecord recordOf(const Trendline& t);
    static LibraryRecord recordOf(const UserPolygon& p);
    static LibraryRecord recordOf(const RefPoint& p);

    static Trendline trendlineOf(const LibraryRecord& r);
    static UserPolygon polygonOf(const LibraryRecord& r, std::vector<QPointF> nodes);
    static RefPoint pointOf(const LibraryRecord& r, const std::array<double, 3>& at);
};
