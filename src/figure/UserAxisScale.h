#pragma once
// User-set axis ranges, from the axis menus and from the scale dialog. Each operation checks
// its input, and either changes the figure and the scale state or returns the message that
// tells the user why nothing changed (the caller shows it). The Y range always goes to both
// Y axes. Anyone may call it; the diagram window does.
#include "figure/AxisScaleState.h"
#include "figure/Figure.h"

#include <QString>
#include <array>
#include <optional>

class UserAxisScale {
public:
    // Menus "X axis scale" / "Y axis scale": min must be below max.
    static std::optional<QString> setFromMenu(Figure& figure, AxisScaleState& state, AxisId axis,
                                              double min, double max);

    // Scale dialog "Apply" with the texts of its boxes X min, X max, Y min, Y max; equal ends
    // pass here.
    static std::optional<QString> applyDialog(Figure& figure, AxisScaleState& state,
                                              const std::array<QString, 4>& boxes);
    // "Data def": the data extent as X min, X max, Y min, Y max.
    static std::array<double, 4> dataDefinition(const Figure& figure);
    // "Reset": back to automatic ranges; the note disappears.
    static void reset(Figure& figure, AxisScaleState& state);

    // The dialog's line "(xmin-xmax;  ymin-ymax)".
    static QString dataRangeText(const Figure& figure);
    // The step of an up/down button for a box whose axis spans from thisEnd to otherEnd.
    static double upDownStep(double thisEnd, double otherEnd);
    // An up (+1) or down (-1) button of the dialog's box `index` (X min, X max, Y min, Y max):
    // the box's new text, one step from its number, the step taken from the other end of its
    // axis. Nullopt when the box holds no number.
    static std::optional<QString> stepBox(const std::array<QString, 4>& boxes, size_t index,
                                          int direction);
    // "Frequency for X-axis label...": a number whose integer part is > 0; nullopt otherwise.
    static std::optional<int> labelFrequency(const QString& answer);
};
