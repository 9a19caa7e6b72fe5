#pragma once
// Chart templates (".oc2"): the appearance of a figure without its data: the axes (scale kind,
// direction, grid, title visibility, label frequency, fixed ranges), the second Y axis and the
// legend. Stored in the graph-file format with no series. The default template of a graph type
// is "DefChart" + type + ".oc2" in the user's "\ini\" folder, else in the program's.
#include "figure/Figure.h"

#include <optional>

class ChartTemplate {
public:
    static QString fileFilter() { return QStringLiteral("Quv graph template (*.sty)|*.oc2"); }
    static QString defaultFileName(const QString& graphType) {
        return QStringLiteral("DefChart") + graphType + QStringLiteral(".oc2");
    }

    static bool save(const QString& path, const Figure& figure);
    static std::optional<Figure> load(const QString& path);
    // The first default template of the type that loads, from the folders in order.
    static std::optional<Figure> loadDefault(const QString& graphType, const QStringList& folders);
    // Takes the template's appearance; the figure keeps its data, header and axis titles.
    static void apply(const Figure& appearance, Figure& figure);
};
