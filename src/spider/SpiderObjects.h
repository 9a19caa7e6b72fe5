#pragma once
// The user objects of a spider window (Source "Spider"): trendlines, polygons and reference
// points in the figure's own units, the element's position (1 ... n) on X and the normalised
// value on Y. A spider figure's axes are its spider type (XTable SpiderMain, XValue the type)
// and its normalization sample (YTable SpiderNorm, YValue the sample); "*" matches any. Lays the
// matching objects over each figure the window builds, selects them with Shift+click, erases
// them, and is what the object library browser draws into. Talks through Dialogs only.
#include "diagram/objects/ObjectFigure.h"
#include "diagram/objects/ObjectOverlay.h"

#include <QPointF>

class Dialogs;
class SpiderWindow;

class SpiderObjects : public ObjectFigure {
public:
    // Registers itself as the window's overlay for its lifetime.
    SpiderObjects(SpiderWindow& window, Dialogs& dialogs);
    ~SpiderObjects() override;
    SpiderObjects(const SpiderObjects&) = delete;
    SpiderObjects& operator=(const SpiderObjects&) = delete;

    static QString chartType() { return QStringLiteral("Spider"); }

    ObjectAxes axes() const override;
    bool hasFigure() const override;
    UserObjects& objects() override { return objects_; }
    int selectedPolygon() const override { return selectedPolygon_; }
    int selectedTrendline() const override { return selectedTrendline_; }
    bool redraw() override;
    // Chooses the object's spider type and normalization sample (unless "*") and draws.
    bool drawFigureOf(const ObjectAxes& axes) override;

    // Shift+click: the polygon or trendline within `reach` of `at` is selected (or none);
    // `project` maps data to the units of `at` and `reach` (pixels on the log axis).
    bool select(QPointF at, double reach, const ObjectOverlay::Projection& project);
    // Polygon and Trendline "&Erase": the selected one, else the hint (and the trendline's number).
    bool erasePolygon();
    bool eraseTrendline();

private:
    SpiderWindow& window_;
    Dialogs& dialogs_;
    UserObjects objects_;
    int selectedPolygon_ = -1;
    int selectedTrendline_ = -1;
};
