#include "diagram/DiagramPaste.h"

#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "diagram/objects/TrendlineEquation.h"
#include "figure/StylePalette.h"
#include "platform/Sheet.h"

#include <cmath>

namespace {

// The text without its closing line breaks (a leading TAB is an empty first cell, not space).
QString rows(const QString& text) {
    QString t = text;
    while (t.endsWith(QLatin1Char('\n')) || t.endsWith(QLatin1Char('\r')))
        t.chop(1);
    return t;
}

Sheet sheetOf(const QString& text, bool transpose) {
    Sheet read;
    read.fromTsv(rows(text));
    if (!transpose)
        return read;
    Sheet turned;
    for (int r = 1; r <= read.lastRow(); ++r)
        for (int c = 1; c <= read.lastColumn(); ++c)
            turned.setValue(c, r, read.value(r, c));
    return turned;
}

} // namespace

DiagramPaste::DiagramPaste(DiagramWindow& window, DiagramObjectController& objects,
                           Dialogs& dialogs)
    : window_(window)
    , objects_(objects)
    , dialogs_(dialogs) {}

bool DiagramPaste::refuse(const QString& why) {
    dialogs_.message(MessageKind::Information, why);
    return false;
}

std::vector<Series> DiagramPaste::valuesAsSeries(const QString& text, bool transpose) {
    const Sheet sheet = sheetOf(text, transpose);
    // Headings when some cell of the first row past X is a text.
    bool headed = false;
    for (int c = 2; c <= sheet.lastColumn(); ++c)
        headed = headed || (!sheet.isEmpty(1, c) && !sheet.number(1, c));
    std::vector<Series> out;
    for (int c = 2; c <= sheet.lastColumn(); ++c) {
        Series s;
        s.name = headed && !sheet.text(1, c).isEmpty() ? sheet.text(1, c)
                                                       : QStringLiteral("Values %1").arg(c - 1);
        for (int r = headed ? 2 : 1; r <= sheet.lastRow(); ++r) {
            const auto x = sheet.number(r, 1);
            const auto y = sheet.number(r, c);
            if (x && y && std::isfinite(*x) && std::isfinite(*y))
                s.points.push_back({*x, *y, FigurePoint::noRow});
        }
        if (!s.points.empty())
            out.push_back(std::move(s));
    }
    return out;
}

std::vector<QPointF> DiagramPaste::nodes(const QString& text) {
    const Sheet sheet = sheetOf(text, false);
    std::vector<QPointF> out;
    for (int r = 1; r <= sheet.lastRow(); ++r) {
        const auto x = sheet.number(r, 1);
        const auto y = sheet.number(r, 2);
        if (x && y && std::isfinite(*x) && std::isfinite(*y))
            out.emplace_back(*x, *y);
    }
    return out;
}

bool DiagramPaste::pasteClipData(const QString& text) {
    Sheet* clipData = window_.clipDataSheet();
    if (!clipData || text.trimmed().isEmpty())
        return refuse(QStringLiteral("No data"));
    Sheet pasted;
    if (!pasted.fromTsv(rows(text)))
        return refuse(QStringLiteral("No data"));
    *clipData = std::move(pasted);
    return true;
}

bool DiagramPaste::pasteValues(const QString& text, bool transpose) {
    if (!window_.hasFigure())
        return refuse(QStringLiteral("Draw a figure first"));
    std::vector<Series> added = valuesAsSeries(text, transpose);
    if (added.empty())
        return refuse(QStringLiteral("No data"));
    std::vector<Series> series = window_.figure().series;
    for (Series& s : added) {
        s.style = StylePalette::styleFor(int(series.size()));
        series.push_back(std::move(s));
    }
    window_.showSeries(std::move(series));
    window_.resetScale(); // an automatic scale that takes in the pasted values
    return true;
}

bool DiagramPaste::pasteTrendline(const QString& text) {
    const QString equation = text.trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
    const auto parsed = TrendlineEquation::parse(equation);
    if (!parsed)
        return refuse(QStringLiteral("No trendline equation on the clipboard: ") + equation);
    if (!window_.hasFigure())
        return refuse(QStringLiteral("Draw a figure first"));
    const Figure& f = window_.figure();
    // Across the figure: X for a "Y=" line, Y for an "X=" one.
    const Axis& along = parsed->isXOfY() ? f.y : f.x;
    Trendline t;
    t.axes = ObjectAxes::of(window_.definition);
    t.name = QStringLiteral("Trendline %1").arg(objects_.objects.trendlines.size() + 1);
    t.xMin = along.min;
    t.xMax = along.max;
    t.equation = equation;
    objects_.objects.addTrendline(std::move(t));
    return window_.draw();
}

bool DiagramPaste::pastePolygon(const QString& text) {
    std::vector<QPointF> polygonNodes = nodes(text);
    if (polygonNodes.size() < 3)
        return refuse(QStringLiteral("No polygon nodes on the clipboard"));
    UserPolygon p{ObjectAxes::of(window_.definition),
                  QStringLiteral("Polygon %1").arg(objects_.objects.polygons.size() + 1),
                  std::move(polygonNodes), false};
    if (const auto refused = objects_.objects.addPolygon(std::move(p)))
        return refuse(*refused);
    return !window_.hasFigure() || window_.draw();
}
