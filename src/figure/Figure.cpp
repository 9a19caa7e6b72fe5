#include "figure/Figure.h"

Figure Figure::withoutData() const {
    Figure empty;
    empty.x = x;
    empty.y = y;
    empty.y2 = y2;
    empty.y2Visible = y2Visible;
    empty.legend = legend;
    empty.look = look;
    empty.fillMode = fillMode;
    empty.bubbleMaxPixels = bubbleMaxPixels;
    empty.barWidth = barWidth;
    empty.plotAreaSize = plotAreaSize;
    return empty;
}

namespace {
void takeAxisLook(const Axis& from, Axis& to) {
    to.title = from.title;
    to.titleVisible = from.titleVisible;
    to.visible = from.visible;
    to.logarithmic = from.logarithmic;
    to.reversed = from.reversed;
    to.grid = from.grid;
    to.labelFrequency = from.labelFrequency;
    if (!from.autoMin) {
        to.autoMin = false;
        to.min = from.min;
    }
    if (!from.autoMax) {
        to.autoMax = false;
        to.max = from.max;
    }
}
} // namespace

void Figure::takeAppearance(const Figure& saved) {
    header = saved.header;
    takeAxisLook(saved.x, x);
    takeAxisLook(saved.y, y);
    takeAxisLook(saved.y2, y2);
    y2Visible = saved.y2Visible;
    legend = saved.legend;
    look = saved.look;
    fillMode = saved.fillMode;
    bubbleMaxPixels = saved.bubbleMaxPixels;
    for (Series& s : series)
        for (const Series& look : saved.series)
            if (look.name == s.name) {
                s.style = look.style;
                s.connectingLine = look.connectingLine;
                s.showLabels = look.showLabels;
                s.showInLegend = look.showInLegend;
                break;
            }
}

Axis& Figure::axis(AxisId id) {
    switch (id) {
    case AxisId::X:
        return x;
    case AxisId::Y:
        return y;
    case AxisId::Y2:
        break;
    }
    return y2;
}

const Axis& Figure::axis(AxisId id) const {
    return const_cast<Figure*>(this)->axis(id);
}

AxisExtent Figure::extent(AxisId id) const {
    AxisExtent e;
    for (const Series& s : series) {
        if (id == AxisId::X) {
            for (const FigurePoint& p : s.points) {
                e.add(p.x);
            }
        } else if (s.valueAxis == id) {
            for (const FigurePoint& p : s.points) {
                e.add(p.y);
            }
        }
    }
    if (id != AxisId::Y2) {
        for (const OverlayLine& line : lines) {
            if (!line.countsForScale) {
                continue;
            }
            for (const QPointF& p : line.points) {
                e.add(id == AxisId::X ? p.x() : p.y());
            }
        }
    }
    return e;
}

qsizetype Figure::pointCount() const {
    qsizetype n = 0;
    for (const Series& s : series) {
        n += s.pointCount();
    }
    return n;
}

QStringList Figure::logScaleNotes() const {
    QStringList notes;
    const auto note = [&](AxisId id, const QString& axisName, const QString& valueName) {
        if (!axis(id).logarithmic) {
            return;
        }
        const AxisExtent e = extent(id);
        if (e.nonPositive == 0) {
            return;
        }
        notes << QStringLiteral("Log %1 axis: %2 %3 with %4 <= 0 %5 not shown")
                     .arg(axisName)
                     .arg(e.nonPositive)
                     .arg(e.nonPositive == 1 ? QStringLiteral("point") : QStringLiteral("points"),
                          valueName,
                          e.nonPositive == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    };
    note(AxisId::X, QStringLiteral("X"), QStringLiteral("X"));
    note(AxisId::Y, QStringLiteral("Y"), QStringLiteral("Y"));
    if (y2Visible) {
        note(AxisId::Y2, QStringLiteral("Y2"), QStringLiteral("Y2"));
    }
    return notes;
}
