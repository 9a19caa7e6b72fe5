#pragma once
// The macro lines of a diagram's user objects: DISCRPOLYGON, DISCRTRENDLINE and DISCRRENAME
// run the polygon and trendline discrimination and the naming of the groups, as their menu
// items do. Stateless.
#include <QString>
#include <optional>

class DiagramObjectController;

class DiagramObjectCommands {
public:
    // Whether the line ran; nullopt when its keyword is not one of these.
    static std::optional<bool> run(DiagramObjectController& objects, const QString& line);
};
