#include "stats/fit/FitWindow.h"

#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "diagram/objects/TrendlineEquation.h"
#include "figure/AxisScaler.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "platform/Status.h"

#include <algorithm>
#include <cmath>

namespace {

QString optionalText(const std::optional<double>& v) {
    return v ? NumberText::toDisplayText(*v) : QString();
}

} // namespace

FitWindow::FitWindow(Dialogs& dialogs, Status& status)
    : dialogs_(dialogs)
    , status_(status) {
    clear();
}

const QStringList& FitWindow::resultRows() {
    static const QStringList rows{QStringLiteral("Equation"), QStringLiteral("R squared"),
                                  QStringLiteral("Probability"), QStringLiteral("Chi-square")};
    return rows;
}

void FitWindow::clear() {
    data_.clear();
    data_.setText(1, 1, QStringLiteral("X(i)"));
    data_.setText(1, 2, QStringLiteral("Y(i)"));
    fit_.reset();
    note_.clear();
    showResults();
}

bool FitWindow::loadFromDiagram() {
    std::vector<QPointF> found;
    if (diagram_ && diagram_->hasFigure())
        for (const Series& s : diagram_->figure().series)
            for (const FigurePoint& p : s.points)
                if (std::isfinite(p.x) && std::isfinite(p.y))
                    found.emplace_back(p.x, p.y);
    if (found.empty()) {
        dialogs_.message(MessageKind::Information, noData());
        return false;
    }
    clear();
    for (size_t i = 0; i < found.size(); ++i) {
        data_.setNumber(int(i) + 2, 1, found[i].x());
        data_.setNumber(int(i) + 2, 2, found[i].y());
    }
    return true;
}

bool FitWindow::pasteData(const QString& tsv) {
    Sheet pasted;
    if (!pasted.fromTsv(tsv))
        return false;
    clear();
    // A heading line that is not numbers is left out.
    const int first = pasted.number(1, 1) || pasted.number(1, 2) ? 1 : 2;
    for (int r = first; r <= pasted.lastRow(); ++r)
        for (int c = 1; c <= 2; ++c)
            data_.setValue(r - first + 2, c, pasted.value(r, c));
    return true;
}

QString FitWindow::copyData() const {
    return data_.toTsv(1, 1, data_.lastRow(), 2);
}

bool FitWindow::deleteRow(int row) {
    if (row < 2 || row > data_.lastRow())
        return false;
    return data_.deleteRows(row);
}

bool FitWindow::removePoint(int index) {
    int seen = -1;
    for (int r = 2; r <= data_.lastRow(); ++r)
        if (data_.number(r, 1) && data_.number(r, 2) && ++seen == index)
            return data_.deleteRows(r);
    return false;
}

std::vector<QPointF> FitWindow::points() const {
    std::vector<QPointF> out;
    for (int r = 2; r <= data_.lastRow(); ++r) {
        const auto x = data_.number(r, 1), y = data_.number(r, 2);
        if (x && y)
            out.emplace_back(*x, *y);
    }
    return out;
}

bool FitWindow::setOrder(int order) {
    const int rows = int(points().size());
    const int highest = std::clamp(rows - 1, 1, CurveFitRequest::maxOrder);
    if (order < 1 || order > highest) {
        dialogs_.message(MessageKind::Exclamation, CurveFitter::orderRefused(highest, rows));
        return false;
    }
    request.order = order;
    return true;
}

std::optional<QPointF> FitWindow::forcedPoint(bool& ok) {
    ok = true;
    if (!forceThrough)
        return std::nullopt;
    const auto x = NumberText::fromText(forceX), y = NumberText::fromText(forceY);
    if (!x || !y) {
        ok = false;
        dialogs_.message(MessageKind::Exclamation, CurveFitter::cannotForce());
        return std::nullopt;
    }
    return QPointF(*x, *y);
}

bool FitWindow::run(bool best) {
    if (data_.lastRow() < 2) {
        dialogs_.message(MessageKind::Information, noData());
        return false;
    }
    const std::vector<QPointF> pts = points();
    if (pts.empty()) {
        dialogs_.message(MessageKind::Information, CurveFitter::noValidData());
        return false;
    }
    bool ok = true;
    CurveFitRequest r = request;
    r.through = forcedPoint(ok);
    if (!ok)
        return false;
    const CurveFitOutcome o = best ? CurveFitter::bestFit(pts, r) : CurveFitter::fit(pts, r);
    note_ = o.note;
    if (!o.fit) {
        dialogs_.message(MessageKind::Exclamation, o.error);
        return false;
    }
    fit_ = o.fit;
    request.model = fit_->model;
    showResults();
    status_.showStatus(note_, 0);
    return true;
}

bool FitWindow::fit() {
    return run(false);
}

bool FitWindow::bestFit() {
    return run(true);
}

void FitWindow::showResults() {
    results_.clear();
    const QStringList& rows = resultRows();
    for (int i = 0; i < rows.size(); ++i)
        results_.setText(i + 1, 1, rows[i]);
    if (!fit_)
        return;
    results_.setText(1, 2, fit_->equation);
    results_.setText(2, 2, optionalText(fit_->rSquared));
    results_.setText(3, 2, optionalText(fit_->probability));
    results_.setText(4, 2,
                     isMovingAverage(fit_->model) ? QString()
                                                  : NumberText::toDisplayText(fit_->chiSquare));
}

Figure FitWindow::figure() const {
    Figure f;
    f.header = caption();
    f.x.title = QStringLiteral("X");
    f.y.title = QStringLiteral("Y");
    f.legend.visible = false;
    if (showPoints) {
        Series s;
        s.name = QStringLiteral("Data");
        for (const QPointF& p : points())
            s.points.push_back({p.x(), p.y(), FigurePoint::noRow});
        s.style.color = {0, 0, 160, 255};
        f.series.push_back(std::move(s));
    }
    if (showLine && fit_) {
        Series s;
        s.name = QStringLiteral("Fit");
        for (const QPointF& p : fit_->curve)
            s.points.push_back({p.x(), p.y(), FigurePoint::noRow});
        s.connectingLine = true;
        s.style.symbol = SymbolShape::None;
        s.style.lineWidth = 2;
        s.style.lineColor = {200, 0, 0, 255};
        f.series.push_back(std::move(s));
    }
    AxisScaler::autoScaleX(f);
    AxisScaler::autoScaleY(f);
    return f;
}

std::optional<QString> FitWindow::formulaToCopy() {
    if (!fit_ || fit_->formula.isEmpty()) {
        dialogs_.message(MessageKind::Information, noData());
        return std::nullopt;
    }
    return fit_->formula;
}

std::optional<QString> FitWindow::outputToCopy() {
    if (!fit_) {
        dialogs_.message(MessageKind::Information, noData());
        return std::nullopt;
    }
    return results_.toTsv();
}

bool FitWindow::accept() {
    if (!fit_) {
        dialogs_.message(MessageKind::Information, noData());
        return false;
    }
    if (!diagram_ || !diagram_->objects || fit_->curve.size() < 2) {
        dialogs_.message(MessageKind::Exclamation, noDiagram());
        return false;
    }
    UserObjects& objects = diagram_->objects->objects;
    Trendline t;
    t.axes = ObjectAxes::of(diagram_->definition);
    const std::vector<QPointF>& curve = fit_->curve;
    const bool xOfY = fit_->model == CurveModel::MovingAverageX;
    double lo = xOfY ? curve.front().y() : curve.front().x(), hi = lo;
    for (const QPointF& p : curve) {
        lo = std::min(lo, xOfY ? p.y() : p.x());
        hi = std::max(hi, xOfY ? p.y() : p.x());
    }
    t.xMin = lo;
    t.xMax = hi;
    const size_t number = objects.trendlines.size() + 1;
    if (isMovingAverage(fit_->model)) {
        std::vector<QPointF> nodes;
        for (const QPointF& p : curve)
            nodes.push_back(xOfY ? QPointF(p.y(), p.x()) : p);
        t.equation = TrendlineEquation::polylineThrough(nodes, xOfY);
        t.name = QStringLiteral("Moving average %1 (period %2)").arg(number).arg(fit_->period);
    } else {
        t.equation = QStringLiteral("Y=") + fit_->expression;
        t.name = QStringLiteral("Trendline %1").arg(number);
    }
    if (t.equation.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, noDiagram());
        return false;
    }
    // The labels at the upper left of the curve, one line apart.
    double top = curve.front().y(), bottom = top;
    for (const QPointF& p : curve) {
        top = std::max(top, p.y());
        bottom = std::min(bottom, p.y());
    }
    // Texts are centred on their point: a third of the way in keeps them inside the plot.
    const double left = curve.front().x() + 0.3 * (curve.back().x() - curve.front().x());
    const double line = 0.07 * (top - bottom);
    if (!fit_->equation.isEmpty()) {
        objects.texts.push_back({fit_->equation, {left, top}});
        objects.texts.push_back(
            {QStringLiteral("R^2=") + optionalText(fit_->rSquared), {left, top - line}});
    }
    objects.addTrendline(std::move(t));
    if (diagram_->hasFigure())
        diagram_->draw();
    return true;
}

bool FitWindow::fitLinearToDiagram() {
    if (!loadFromDiagram())
        return false;
    request.model = CurveModel::Linear;
    return fit() && accept();
}
