#pragma once
// The macro lines of a diagram's user objects: DISCRPOLYGON, DISCRTRENDLINE and DISCRRENAME
// run the polygon and trendline discrimination and the naming of the groups, as their menu
// items do; OBJECTLIBRARY and OBJECTHEADER open the object library and the header editor where
// there is a display. Stateless.
#include <QString>
#include <optional>

class DiagramObjectController;

class DiagramObjectCommands {
public:
    // Whether the line ran; nullopt when its keyword is not one of these.
    static std::optional<bool> run(DiagramObjectController& objects, const QString& line);
};
