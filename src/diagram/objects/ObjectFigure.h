#pragma once
// A figure that user objects are drawn on, as the object library browser sees it: its chart
// type and axes, the objects laid over it, the polygon or trendline selected in it, and how it
// is drawn again (or drawn anew for the axes of an object). The diagram window and the spider
// window each give one.
#include "diagram/objects/ObjectAxes.h"
#include "diagram/objects/UserObjects.h"

class ObjectFigure {
public:
    virtual ~ObjectFigure() = default;

    // The axes of the figure shown (or of the one its boxes would draw).
    virtual ObjectAxes axes() const = 0;
    virtual bool hasFigure() const = 0;
    virtual UserObjects& objects() = 0;
    // The polygon and trendline picked with Shift+click, -1 for none.
    virtual int selectedPolygon() const = 0;
    virtual int selectedTrendline() const = 0;
    // Draws the figure again with its objects; false when nothing was drawn.
    virtual bool redraw() = 0;
    // The browser's "No = Draw corresponding figures": sets the figure up for these axes and
    // draws it; false after the message saying why not.
    virtual bool drawFigureOf(const ObjectAxes& axes) = 0;
};
