#include "figure/ui/FigurePlot.h"

#include <map>

#include "figure/LegendEntries.h"
#include "figure/ui/EveryNthLabelTicker.h"
#include "figure/ui/ScatterThinning.h"

#include <qcustomplot.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

QColor toQColor(FigureColor c) {
    return QColor(c.red, c.green, c.blue, c.alpha);
}

QCPScatterStyle::ScatterShape toShape(SymbolShape s) {
    switch (s) {
    case SymbolShape::None:
        return QCPScatterStyle::ssNone;
    case SymbolShape::Circle:
        return QCPScatterStyle::ssCircle;
    case SymbolShape::Square:
        return QCPScatterStyle::ssSquare;
    case SymbolShape::Diamond:
        return QCPScatterStyle::ssDiamond;
    case SymbolShape::Triangle:
        return QCPScatterStyle::ssTriangle;
    case SymbolShape::TriangleDown:
        return QCPScatterStyle::ssTriangleInverted;
    case SymbolShape::Cross:
        return QCPScatterStyle::ssCross;
    case SymbolShape::Plus:
        return QCPScatterStyle::ssPlus;
    case SymbolShape::Star:
        return QCPScatterStyle::ssStar;
    case SymbolShape::VerticalLine:
    case SymbolShape::HorizontalLine:
        return QCPScatterStyle::ssCustom;
    }
    return QCPScatterStyle::ssCircle;
}

Qt::PenStyle toPenStyle(LineDash d) {
    switch (d) {
    case LineDash::Solid:
        break;
    case LineDash::Dashed:
        return Qt::DashLine;
    case LineDash::Dotted:
        return Qt::DotLine;
    case LineDash::None:
        return Qt::NoPen;
    case LineDash::LongDash:
    case LineDash::LongShortLongDash:
        return Qt::CustomDashLine;
    case LineDash::DashDot:
        return Qt::DashDotLine;
    }
    return Qt::SolidLine;
}

QPen linePen(FigureColor color, double width, LineDash dash) {
    QPen pen(toQColor(color), width);
    pen.setStyle(toPenStyle(dash));
    if (dash == LineDash::LongDash)
        pen.setDashPattern({9, 3});
    else if (dash == LineDash::LongShortLongDash)
        pen.setDashPattern({9, 3, 3, 3});
    return pen;
}

// A log scale shows only positive ends; a range that reaches zero keeps three decades.
QCPRange axisRange(const Axis& axis) {
    double lo = axis.min;
    double hi = axis.max;
    if (hi < lo) {
        std::swap(lo, hi);
    }
    if (axis.logarithmic) {
        if (!(hi > 0)) {
            return {1.0, 10.0};
        }
        if (!(lo > 0)) {
            lo = hi / 1000.0;
        }
    }
    if (lo == hi) {
        hi = lo + 1.0;
    }
    return {lo, hi};
}

// Tick labels that tell the ticks apart over the span (seconds) without needless digits: the
// year over many years, month and year over months, the day over weeks, the hour over days.
QString dateFormatFor(double span) {
    constexpr double day = 86400.0;
    if (span > 3 * 365 * day)
        return QStringLiteral("yyyy");
    if (span > 90 * day)
        return QStringLiteral("MM.yyyy");
    if (span > 3 * day)
        return QStringLiteral("dd.MM.yyyy");
    return QStringLiteral("dd.MM.yyyy\nHH:mm");
}

void setUpAxis(QCPAxis* qAxis, const Axis& axis) {
    qAxis->setVisible(axis.visible);
    qAxis->setLabel(axis.titleVisible ? axis.title : QString());
    qAxis->setTickLabelRotation(axis.labelRotation);
    if (axis.logarithmic) {
        qAxis->setScaleType(QCPAxis::stLogarithmic);
        qAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
    } else if (!axis.categoryLabels.isEmpty()) {
        qAxis->setScaleType(QCPAxis::stLinear);
        auto ticker = QSharedPointer<QCPAxisTickerText>::create();
        for (qsizetype i = 0; i < axis.categoryLabels.size(); ++i)
            if (i % std::max(axis.labelFrequency, 1) == 0)
                ticker->addTick(double(i + 1), axis.categoryLabels[i]);
        qAxis->setTicker(ticker);
    } else if (axis.dateTime) {
        qAxis->setScaleType(QCPAxis::stLinear);
        auto ticker =
            QSharedPointer<EveryNthLabelTicker<QCPAxisTickerDateTime>>::create(axis.labelFrequency);
        ticker->setDateTimeFormat(dateFormatFor(std::abs(axis.max - axis.min)));
        ticker->setDateTimeSpec(Qt::UTC);
        qAxis->setTicker(ticker);
    } else {
        qAxis->setScaleType(QCPAxis::stLinear);
        qAxis->setTicker(
            QSharedPointer<EveryNthLabelTicker<QCPAxisTicker>>::create(axis.labelFrequency));
    }
    qAxis->setRangeReversed(axis.reversed);
    qAxis->setRange(axisRange(axis));
    QPen gridPen(QColor(200, 200, 200), 0);
    // A hidden axis has no grid: a ternary figure hides its axes and draws its own grid.
    switch (axis.visible ? axis.grid : GridStyle::None) {
    case GridStyle::None:
        qAxis->grid()->setVisible(false);
        return;
    case GridStyle::Solid:
        break;
    case GridStyle::Dashed:
        gridPen.setStyle(Qt::DashLine);
        break;
    case GridStyle::Dotted:
        gridPen.setStyle(Qt::DotLine);
        break;
    }
    qAxis->grid()->setVisible(true);
    qAxis->grid()->setPen(gridPen);
}

void addTextRow(QCustomPlot& plot, int& row, const QString& text, const QFont& font) {
    plot.plotLayout()->insertRow(row);
    plot.plotLayout()->addElement(row, 0, new QCPTextElement(&plot, text, font));
    ++row;
}

// A plot shows one figure: whatever an earlier show put on it goes first (series, labels, the
// text rows above the plot, the legend's note, a fixed plot area).
void clearPlot(QCustomPlot& plot) {
    plot.clearPlottables();
    plot.clearItems();
    QCPLayoutGrid* layout = plot.plotLayout();
    for (int i = layout->elementCount() - 1; i >= 0; --i) {
        if (layout->elementAt(i) && layout->elementAt(i) != plot.axisRect()) {
            layout->removeAt(i);
        }
    }
    layout->simplify();
    for (int i = plot.legend->elementCount() - 1; i >= 0; --i) {
        if (plot.legend->elementAt(i)) {
            plot.legend->removeAt(i);
        }
    }
    plot.legend->simplify();
    plot.axisRect()->setAutoMargins(QCP::msAll);
}

// Header, filter line and notes above the plot; axes with their resolved ranges.
QString fontFamily(const FigureLook& look, const QCustomPlot& plot) {
    return look.fontFamily.isEmpty() ? plot.font().family() : look.fontFamily;
}

// The look's font at `size` points, or at `ownSize` when the look keeps the program's sizes.
QFont lookFont(const FigureLook& look, const QCustomPlot& plot, int size, int ownSize) {
    QFont font(fontFamily(look, plot), look.fontSize > 0 ? size : ownSize);
    font.setBold(look.bold);
    font.setItalic(look.italic);
    return font;
}

void addBorder(QCustomPlot& plot, QCPItemPosition::PositionType type, const FigureLook::Area& area,
               int penWidth) {
    auto* rect = new QCPItemRect(&plot);
    rect->setClipToAxisRect(false);
    for (QCPItemPosition* corner : {rect->topLeft, rect->bottomRight})
        corner->setType(type);
    rect->topLeft->setCoords(0, 0);
    rect->bottomRight->setCoords(1, 1);
    rect->setPen(QPen(toQColor(area.border), penWidth));
    rect->setBrush(Qt::NoBrush);
}

// Fills and borders of the chart and plot areas, and the font of the axes and the legend. The
// chart area's border is drawn over the picture's edge, so the layout keeps its width free.
void showLook(const FigureLook& look, QCustomPlot& plot) {
    plot.setBackground(toQColor(look.chartArea.fill));
    plot.axisRect()->setBackground(QBrush(toQColor(look.plotArea.fill)));
    const int chartBorder = look.chartArea.borderWidth;
    plot.plotLayout()->setMargins(QMargins(chartBorder, chartBorder, chartBorder, chartBorder));
    if (chartBorder > 0)
        addBorder(plot, QCPItemPosition::ptViewportRatio, look.chartArea, 2 * chartBorder);
    if (look.plotArea.borderWidth > 0)
        addBorder(plot, QCPItemPosition::ptAxisRectRatio, look.plotArea, look.plotArea.borderWidth);
    const bool ownFont =
        look.fontFamily.isEmpty() && look.fontSize == 0 && !look.bold && !look.italic;
    const QFont axisFont =
        ownFont ? plot.font() : lookFont(look, plot, look.fontSize, plot.font().pointSize());
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis, plot.yAxis2}) {
        axis->setTickLabelFont(axisFont);
        axis->setLabelFont(axisFont);
    }
    plot.legend->setFont(axisFont);
}

void showFrame(const Figure& figure, QCustomPlot& plot, const QStringList& notes) {
    plot.setLocale(QLocale::c());
    showLook(figure.look, plot);
    int row = 0;
    QFont headerFont = lookFont(figure.look, plot, figure.look.fontSize + 2, 11);
    headerFont.setBold(true);
    if (!figure.header.isEmpty()) {
        addTextRow(plot, row, figure.header, headerFont);
    }
    const QFont smallFont = lookFont(figure.look, plot, std::max(figure.look.fontSize - 1, 6), 8);
    for (const QString& line : figure.subtitles) {
        addTextRow(plot, row, line, smallFont);
    }
    if (!notes.isEmpty()) {
        addTextRow(plot, row, notes.join(QLatin1Char('\n')), smallFont);
    }
    setUpAxis(plot.xAxis, figure.x);
    setUpAxis(plot.yAxis, figure.y);
    // Without axes (a ternary figure) the plot area would reach the edges, and texts placed
    // just outside the data (the corner labels) would be cut off. With axes, the last tick
    // labels stand half beyond the plot area's right and top edges, so those keep some room.
    const bool axesHidden = !figure.x.visible || !figure.y.visible;
    plot.axisRect()->setMinimumMargins(axesHidden ? QMargins(45, 20, 45, 25)
                                                  : QMargins(0, 10, 20, 0));
    Axis y2 = figure.y2;
    y2.min = figure.y.min;
    y2.max = figure.y.max;
    y2.logarithmic = figure.y.logarithmic;
    y2.reversed = figure.y.reversed;
    y2.visible = figure.y2Visible;
    y2.grid = GridStyle::None;
    setUpAxis(plot.yAxis2, y2);
    plot.yAxis2->setTickLabels(true);
    QObject::connect(plot.yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), plot.yAxis2,
                     qOverload<const QCPRange&>(&QCPAxis::setRange), Qt::UniqueConnection);
}

QSizeF layOut(QCustomPlot& plot, QSize size) {
    plot.toPixmap(size.width(), size.height());
    return plot.axisRect()->rect().size();
}

// Keeps the plot area at exactly `area`, centred where the automatic layout put it.
void fixPlotArea(QCustomPlot& plot, QSize size, QSizeF area) {
    layOut(plot, size);
    QCPAxisRect* rect = plot.axisRect();
    // An area larger than the room there is keeps its shape, smaller: the ratio holds.
    const double fit =
        std::min({1.0, rect->rect().width() / area.width(), rect->rect().height() / area.height()});
    area *= fit;
    const QMargins auto_ = rect->margins();
    const int extraW = std::max(0, rect->rect().width() - int(area.width() + 0.5));
    const int extraH = std::max(0, rect->rect().height() - int(area.height() + 0.5));
    rect->setAutoMargins(QCP::msNone);
    rect->setMargins(QMargins(auto_.left() + extraW / 2, auto_.top() + extraH / 2,
                              auto_.right() + extraW - extraW / 2,
                              auto_.bottom() + extraH - extraH / 2));
    layOut(plot, size);
}

QCPScatterStyle scatterStyle(const SeriesStyle& style) {
    const QColor color = toQColor(style.color);
    if (style.symbol == SymbolShape::VerticalLine || style.symbol == SymbolShape::HorizontalLine) {
        // The path is scaled to the symbol's size; a bar across the point.
        QPainterPath bar;
        const bool vertical = style.symbol == SymbolShape::VerticalLine;
        bar.moveTo(vertical ? QPointF(0, -0.5) : QPointF(-0.5, 0));
        bar.lineTo(vertical ? QPointF(0, 0.5) : QPointF(0.5, 0));
        return QCPScatterStyle(bar, QPen(color, 1.5), Qt::NoBrush, style.symbolSize);
    }
    return QCPScatterStyle(toShape(style.symbol), color,
                           style.filled ? color : QColor(Qt::transparent), style.symbolSize);
}

// The symbol drawn once into a pixmap that is stamped at every point: for dense series, where
// stamping is many times faster than drawing each symbol anew.
QCPScatterStyle stampStyle(const SeriesStyle& style) {
    const QCPScatterStyle shape = scatterStyle(style);
    const int side = int(std::ceil(style.symbolSize)) + 3;
    QPixmap stamp(side, side);
    stamp.fill(Qt::transparent);
    QCPPainter painter(&stamp);
    painter.setAntialiasing(true);
    shape.applyTo(&painter, QPen(toQColor(style.color)));
    shape.drawShape(&painter, side / 2.0, side / 2.0);
    painter.end();
    return QCPScatterStyle(stamp);
}

// The largest |Z| of the figure, against which bubble areas grow.
double largestZ(const Figure& figure) {
    double zMax = 0.0;
    for (const Series& s : figure.series)
        for (const double z : s.z)
            if (std::isfinite(z))
                zMax = std::max(zMax, std::abs(z));
    return zMax;
}

// Draws `members` (series of one shape and style, the first one naming it) as one plottable.
QCPAbstractPlottable* addSeries(QCustomPlot& plot, const Figure& figure,
                                const std::vector<const Series*>& members, double zMax,
                                qsizetype& labelsLeft) {
    const Series& series = *members.front();
    QCPAxis* valueAxis = series.valueAxis == AxisId::Y2 ? plot.yAxis2 : plot.yAxis;
    qsizetype pointCount = 0;
    for (const Series* member : members)
        pointCount += member->pointCount();
    QVector<double> keys;
    QVector<double> values;
    QVector<double> sizes; // Z, for bubbles
    keys.reserve(pointCount);
    values.reserve(pointCount);
    std::optional<ScatterThinning> thinning;
    if (!series.connectingLine && pointCount > FigurePlot::thinningThreshold) {
        thinning.emplace(*plot.xAxis, *valueAxis, plot.axisRect()->rect(),
                         int(series.style.symbolSize) + 2);
    }
    const bool logX = figure.x.logarithmic;
    const bool logY = figure.y.logarithmic;
    const bool withSizes = series.shape == SeriesShape::Bubbles;
    for (const Series* member : members) {
        const bool withLabels = member->showLabels && member->hasLabels();
        for (qsizetype i = 0; i < member->pointCount(); ++i) {
            const FigurePoint& p = member->points[size_t(i)];
            // NaN or infinite coordinates have no place on the plot (and would break sorting);
            // on a line that breaks at gaps they end the line.
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || (logX && !(p.x > 0)) ||
                (logY && !(p.y > 0))) {
                if (member->connectingLine && member->gapsBreakLine && !keys.isEmpty() &&
                    !std::isnan(values.back())) {
                    keys.push_back(keys.back());
                    values.push_back(std::numeric_limits<double>::quiet_NaN());
                    if (withSizes)
                        sizes.push_back(0.0);
                }
                continue;
            }
            if (thinning && !thinning->keep(p.x, p.y)) {
                continue;
            }
            keys.push_back(p.x);
            values.push_back(p.y);
            if (withSizes)
                sizes.push_back(member->zAt(size_t(i)));
            if (withLabels && labelsLeft > 0) {
                --labelsLeft;
                auto* label = new QCPItemText(&plot);
                label->position->setAxes(plot.xAxis, valueAxis);
                label->position->setCoords(p.x, p.y);
                label->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
                label->setText(member->label(size_t(i)));
                label->setFont(QFont(plot.font().family(), 7));
            }
        }
    }
    QCPAbstractPlottable* plottable = nullptr;
    if (series.shape == SeriesShape::Bubbles) {
        // Areas grow with Z against the largest Z of the figure; symbols of one size (to 2 px)
        // share a graph.
        std::map<int, QCPGraph*> bySize;
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const double share =
                zMax > 0 && std::isfinite(sizes[i]) ? std::abs(sizes[i]) / zMax : 0;
            const double grow = std::max(0, figure.bubbleMaxPixels - 4);
            const int px = 2 * int(std::lround((4.0 + grow * std::sqrt(share)) / 2.0));
            QCPGraph*& graph = bySize[px];
            if (!graph) {
                graph = new QCPGraph(plot.xAxis, valueAxis);
                graph->setLineStyle(QCPGraph::lsNone);
                SeriesStyle style = series.style;
                style.symbolSize = px;
                graph->setScatterStyle(scatterStyle(style));
                graph->setName(series.name);
                graph->removeFromLegend();
                if (!plottable)
                    plottable = graph;
            }
            graph->addData(keys[i], values[i]);
        }
        if (!plottable) {
            plottable = new QCPGraph(plot.xAxis, valueAxis);
            static_cast<QCPGraph*>(plottable)->setScatterStyle(scatterStyle(series.style));
        }
    } else if (series.shape == SeriesShape::Bars || series.shape == SeriesShape::StackedBars) {
        auto* bars = new QCPBars(plot.xAxis, valueAxis);
        bars->setData(keys, values);
        bars->setWidth(figure.barWidth);
        const QColor color = toQColor(series.style.color);
        bars->setPen(QPen(color.darker(130)));
        bars->setBrush(color);
        if (series.shape == SeriesShape::StackedBars)
            for (int i = plot.plottableCount() - 2; i >= 0; --i)
                if (auto* below = qobject_cast<QCPBars*>(plot.plottable(i))) {
                    bars->moveAbove(below);
                    break;
                }
        plottable = bars;
    } else if (series.shape == SeriesShape::Filled) {
        auto* graph = new QCPGraph(plot.xAxis, valueAxis);
        graph->setData(keys, values);
        QColor fill = toQColor(series.style.color);
        graph->setPen(linePen(series.style.color, series.style.lineWidth,
                              series.style.linePattern == LineDash::None
                                  ? LineDash::Solid
                                  : series.style.linePattern));
        fill.setAlpha(70);
        graph->setBrush(fill);
        // Between series: down to the filled series before this one, if there is one.
        if (figure.fillMode == Figure::FillMode::BetweenSeries)
            for (int i = plot.graphCount() - 2; i >= 0; --i)
                if (plot.graph(i)->brush().style() != Qt::NoBrush) {
                    graph->setChannelFillGraph(plot.graph(i));
                    break;
                }
        graph->setScatterStyle(scatterStyle(series.style));
        plottable = graph;
    } else if (series.connectingLine) {
        // A curve keeps the points in series order; a graph would sort them by X.
        auto* curve = new QCPCurve(plot.xAxis, valueAxis);
        curve->setData(keys, values);
        curve->setScatterStyle(scatterStyle(series.style));
        curve->setPen(
            linePen(series.style.lineColor, series.style.lineWidth, series.style.linePattern));
        plottable = curve;
    } else {
        auto* graph = new QCPGraph(plot.xAxis, valueAxis);
        if (thinning) {
            QVector<QCPGraphData> data;
            data.reserve(keys.size());
            for (const qsizetype k : thinning->inOrderOfX(keys.constData()))
                data.push_back({keys[k], values[k]});
            graph->data()->set(data, true);
        } else {
            graph->setData(keys, values);
        }
        graph->setLineStyle(QCPGraph::lsNone);
        graph->setScatterStyle(thinning ? stampStyle(series.style) : scatterStyle(series.style));
        graph->setPen(QPen(toQColor(series.style.color)));
        plottable = graph;
    }
    plottable->setName(series.name);
    plottable->removeFromLegend();
    return plottable;
}

QCPAbstractPlottable* addLine(QCustomPlot& plot, const Figure& figure, const OverlayLine& line) {
    QVector<double> keys;
    QVector<double> values;
    std::vector<QPointF> points = line.points;
    if (line.closed && !points.empty()) {
        points.push_back(points.front());
    }
    for (const QPointF& p : points) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) ||
            (figure.x.logarithmic && !(p.x() > 0)) || (figure.y.logarithmic && !(p.y() > 0))) {
            continue;
        }
        keys.push_back(p.x());
        values.push_back(p.y());
    }
    auto* curve = new QCPCurve(plot.xAxis, plot.yAxis);
    curve->setData(keys, values);
    curve->setPen(linePen(line.color, line.width, line.dash));
    curve->setName(line.name);
    curve->removeFromLegend();
    return curve;
}

void addText(QCustomPlot& plot, const OverlayText& text, const QString& family) {
    auto* item = new QCPItemText(&plot);
    item->position->setType(QCPItemPosition::ptPlotCoords);
    item->position->setCoords(text.position);
    item->setText(text.text);
    item->setClipToAxisRect(false);
    item->setColor(toQColor(text.color));
    item->setFont(QFont(family, int(text.pointSize)));
}

Qt::Alignment legendAlignment(LegendPosition position) {
    switch (position) {
    case LegendPosition::TopLeft:
        return Qt::AlignTop | Qt::AlignLeft;
    case LegendPosition::BottomLeft:
        return Qt::AlignBottom | Qt::AlignLeft;
    case LegendPosition::TopRight:
        break;
    case LegendPosition::BottomRight:
        return Qt::AlignBottom | Qt::AlignRight;
    }
    return Qt::AlignTop | Qt::AlignRight;
}

qsizetype labelCount(const Figure& figure) {
    qsizetype n = 0;
    for (const Series& s : figure.series) {
        if (s.showLabels) {
            n += s.hasLabels() ? s.pointCount() : 0;
        }
    }
    return n;
}

QStringList notesOf(const Figure& figure) {
    QStringList notes = figure.logScaleNotes();
    if (labelCount(figure) > FigurePlot::labelCap) {
        notes
            << QStringLiteral("Labels are shown for the first %1 points").arg(FigurePlot::labelCap);
    }
    return notes;
}

// The series in drawing order, grouped into plottables: each series has its own, but for
// figures of more classes than the legend lists, where the unlisted plain scatter series share
// one per style and axis. The chart library scans its list of plottables on every addition and
// removal, so a hundred thousand classes would cost far more than their points.
std::vector<std::vector<const Series*>> plottableGroups(const Figure& figure,
                                                        const LegendEntries& entries) {
    std::vector<std::vector<const Series*>> groups;
    groups.reserve(figure.series.size());
    if (figure.series.size() <= size_t(LegendEntries::defaultCap)) {
        for (const Series& s : figure.series)
            groups.push_back({&s});
        return groups;
    }
    std::vector<bool> listed(figure.series.size(), false);
    for (const LegendEntries::Entry& e : entries.shown())
        if (e.isSeries)
            listed[size_t(e.index)] = true;
    using StyleKey = std::tuple<int, int, quint32, double, bool>;
    std::map<StyleKey, size_t> groupOfStyle;
    for (size_t i = 0; i < figure.series.size(); ++i) {
        const Series& s = figure.series[i];
        if (listed[i] || s.shape != SeriesShape::Points || s.connectingLine) {
            groups.push_back({&s});
            continue;
        }
        const FigureColor c = s.style.color;
        const StyleKey key{int(s.valueAxis), int(s.style.symbol),
                           quint32(c.red) << 24 | quint32(c.green) << 16 | quint32(c.blue) << 8 |
                               c.alpha,
                           s.style.symbolSize, s.style.filled};
        const auto [it, added] = groupOfStyle.try_emplace(key, groups.size());
        if (added)
            groups.emplace_back();
        groups[it->second].push_back(&s);
    }
    return groups;
}

} // namespace

void FigurePlot::show(const Figure& figure, QCustomPlot& plot, QSize size) {
    if (std::any_of(figure.series.begin(), figure.series.end(),
                    [](const Series& s) { return s.style.hidden; })) {
        Figure shown = figure;
        std::erase_if(shown.series, [](const Series& s) { return s.style.hidden; });
        show(shown, plot, size);
        return;
    }
    clearPlot(plot);
    showFrame(figure, plot, notesOf(figure));
    const LegendEntries entries(figure);
    const std::vector<std::vector<const Series*>> groups = plottableGroups(figure, entries);
    const auto thinned = [](const std::vector<const Series*>& members) {
        qsizetype n = 0;
        for (const Series* s : members)
            n += s->pointCount();
        return n > thinningThreshold;
    };
    if (figure.plotAreaSize) {
        fixPlotArea(plot, size, *figure.plotAreaSize);
    } else if (std::any_of(groups.begin(), groups.end(), thinned)) {
        layOut(plot, size); // thinning needs the axes' pixels
    }
    std::vector<QCPAbstractPlottable*> seriesPlottables(figure.series.size());
    const double zMax = largestZ(figure);
    qsizetype labelsLeft = labelCap;
    for (const std::vector<const Series*>& members : groups) {
        QCPAbstractPlottable* plottable = addSeries(plot, figure, members, zMax, labelsLeft);
        for (const Series* member : members)
            seriesPlottables[size_t(member - figure.series.data())] = plottable;
    }
    std::vector<QCPAbstractPlottable*> linePlottables;
    for (const OverlayLine& line : figure.lines) {
        linePlottables.push_back(addLine(plot, figure, line));
    }
    for (const OverlayText& text : figure.texts) {
        addText(plot, text, fontFamily(figure.look, plot));
    }

    for (const LegendEntries::Entry& e : entries.shown()) {
        (e.isSeries ? seriesPlottables : linePlottables)[size_t(e.index)]->addToLegend();
    }
    if (entries.hiddenCount() > 0) {
        auto* more = new QCPTextElement(&plot, entries.moreText(), QFont(plot.font().family(), 8));
        plot.legend->addElement(more);
    }
    plot.legend->setVisible(figure.legend.visible && !entries.shown().empty());
    plot.axisRect()->insetLayout()->setInsetAlignment(0, legendAlignment(figure.legend.position));
}

QSizeF FigurePlot::automaticPlotArea(const Figure& figure, QSize size) {
    QCustomPlot plot;
    showFrame(figure, plot, notesOf(figure));
    return layOut(plot, size);
}
