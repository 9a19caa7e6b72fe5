#pragma once
// The lines of a KML 2.0 placemark file: one placemark per selected row that has a name, a
// latitude and a longitude, with an optional description, a view and a point. Values are
// written as the database gave them, XML-escaped so that a "&" or "<" in a sample name cannot
// break the file. The file stops growing after 16200 lines and still closes properly.
#include "export/KmlSettings.h"
#include "platform/RowSet.h"

#include <QStringList>
#include <vector>

class KmlDocument {
public:
    static constexpr qsizetype lineLimit = 16200;

    struct Result {
        QStringList lines;
        qsizetype written = 0;  // placemarks
        bool truncated = false; // stopped at the line limit
    };

    static QString kmlNamespace() { return QStringLiteral("http://earth.google.com/kml/2.0"); }

    // rows: the selected rows in selection order, with the grid's column names; visible: one
    // flag per column (used by "<<All visible>>"). The settings must name the three columns.
    static Result build(const RowSet& rows, const std::vector<bool>& visible,
                        const KmlSettings& settings);

    // The only character conversion made: "ä" and "å" become "a", "ö" becomes "o".
    static QString fold(QString line);
};
