#include "diagram/objects/DiagramObjectCommands.h"

#include "diagram/DiagramObjectController.h"

std::optional<bool> DiagramObjectCommands::run(DiagramObjectController& objects,
                                               const QString& line) {
    const QString keyword = line.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    if (keyword == QLatin1String("DISCRPOLYGON"))
        return objects.discriminatePolygons();
    if (keyword == QLatin1String("DISCRTRENDLINE"))
        return objects.discriminateTrendlines();
    if (keyword == QLatin1String("DISCRRENAME"))
        return objects.renameGroups();
    if (keyword == QLatin1String("OBJECTLIBRARY"))
        return objects.openLibrary && objects.openLibrary();
    if (keyword == QLatin1String("OBJECTHEADER"))
        return objects.openHeader && objects.openHeader();
    return std::nullopt;
}
