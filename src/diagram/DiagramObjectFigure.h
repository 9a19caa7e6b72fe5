#pragma once
// The diagram window's figure as the object library sees it: the axes of its definition (X, Y
// and for a ternary figure C), its object controller's objects and selection; "Draw
// corresponding figures" sets the definition from an object's tables and fields (asking which
// table when a field is in several, for "*" tables) and draws. Talks through Dialogs only.
#include "diagram/objects/ObjectFigure.h"

#include <optional>

class DiagramObjectController;
class DiagramWindow;
class Dialogs;

class DiagramObjectFigure : public ObjectFigure {
public:
    DiagramObjectFigure(DiagramWindow& window, DiagramObjectController& objects, Dialogs& dialogs)
        : window_(window)
        , objects_(objects)
        , dialogs_(dialogs) {}

    ObjectAxes axes() const override;
    bool hasFigure() const override;
    UserObjects& objects() override;
    int selectedPolygon() const override;
    int selectedTrendline() const override;
    bool redraw() override;
    bool drawFigureOf(const ObjectAxes& axes) override;

private:
    std::optional<QString> tableWith(const QString& field);

    DiagramWindow& window_;
    DiagramObjectController& objects_;
    Dialogs& dialogs_;
};
