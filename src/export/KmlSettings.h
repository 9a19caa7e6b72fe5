#pragma once
// What the KML export writes: which grid columns give each placemark its name, position and
// description, and how the globe viewer looks at it. Kept by the program for the whole run, so
// the next export starts from the last valid choice. Plain value type.
#include <optional>

struct KmlSettings {
    // What the description holds besides a single column.
    enum class Description { None, Column, All, AllVisible };

    static constexpr float defaultRange = 40000.0f;

    std::optional<int> headerColumn; // 0-based grid columns
    std::optional<int> latitudeColumn;
    std::optional<int> longitudeColumn;
    Description description = Description::None;
    int descriptionColumn = -1; // with Description::Column
    float range = defaultRange;
    float tilt = 0.0f;

    bool hasPlacement() const { return headerColumn && latitudeColumn && longitudeColumn; }
};
