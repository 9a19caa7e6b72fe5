#pragma once
// Finnish national grid coordinates (ETRS-TM35FIN: transverse Mercator on GRS80, central
// meridian 27 deg E, scale 0.9996, false easting 500 km) from WGS84 latitude and longitude, so
// that the sample sites' X/Y and Lat/Long columns describe the same places. Pure function.
#include <utility>

class Tm35FinProjection {
public:
    // Returns (easting, northing) in metres.
    static std::pair<double, double> forward(double latDeg, double lonDeg);
};
