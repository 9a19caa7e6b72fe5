#pragma once
// The object menu items that change or copy the selected polygon or trendline (selected with
// Shift + click): "&Smooth" (with none selected it offers the last polygon of the figure),
// "Show in Legend" of either kind (flips), "&Copy equation" and "Copy Nodes" (the text for the
// clipboard, nodes as X TAB Y rows that "Polygon nodes" pastes back). Each says why when there
// is nothing to do.
#include <QString>
#include <optional>

class DiagramObjectController;
class DiagramWindow;
class Dialogs;

class ObjectEdits {
public:
    ObjectEdits(DiagramObjectController& objects, DiagramWindow& window, Dialogs& dialogs);

    bool smooth();
    bool toggleLegend(bool polygon);
    std::optional<QString> equationToCopy();
    std::optional<QString> nodesToCopy();

private:
    bool hint(bool polygon);
    bool redraw();

    DiagramObjectController& objects_;
    DiagramWindow& window_;
    Dialogs& dialogs_;
};
