#pragma once
// The four kinds of records in the object library, with the table, key column and caption of
// each: trendlines, polygons (nodes in PolygonNodes), reference points (coordinates in Points)
// and collections (members in CollectionItems). Stateless helpers.
#include "db/SystemTables.h"

#include <array>

enum class LibraryKind { Trendline, Polygon, Point, Collection };

struct LibraryKinds {
    static constexpr std::array<LibraryKind, 4> all{LibraryKind::Trendline, LibraryKind::Polygon,
                                                    LibraryKind::Point, LibraryKind::Collection};
    // The tab caption and the ItemType of a collection member.
    static QString caption(LibraryKind k) {
        switch (k) {
        case LibraryKind::Trendline:
            return QStringLiteral("Trendline");
        case LibraryKind::Polygon:
            return QStringLiteral("Polygon");
        case LibraryKind::Point:
            return QStringLiteral("Point");
        case LibraryKind::Collection:
            break;
        }
        return QStringLiteral("Collection");
    }
    static QString table(LibraryKind k, const SystemTables& names) {
        switch (k) {
        case LibraryKind::Trendline:
            return names.trendline;
        case LibraryKind::Polygon:
            return names.polygon;
        case LibraryKind::Point:
            return names.pointHeader;
        case LibraryKind::Collection:
            break;
        }
        return names.collection;
    }
    static QString keyColumn(LibraryKind k) {
        switch (k) {
        case LibraryKind::Trendline:
        case LibraryKind::Polygon:
            return QStringLiteral("Counter");
        case LibraryKind::Point:
            return QStringLiteral("PointNo");
        case LibraryKind::Collection:
            break;
        }
        return QStringLiteral("CollectionID");
    }
};
