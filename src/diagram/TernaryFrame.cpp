#include "diagram/TernaryFrame.h"

#include "diagram/TernaryTransform.h"

#include <algorithm>

namespace {

bool isFrameLine(const OverlayLine& line) {
    return line.name == TernaryFrame::triangleName() || line.name == TernaryFrame::gridName();
}

bool isCornerLabel(const OverlayText& text) {
    return text.name.startsWith(QLatin1String("TRI_"));
}

} // namespace

void TernaryFrame::remove(Figure& figure) {
    std::erase_if(figure.lines, isFrameLine);
    std::erase_if(figure.texts, isCornerLabel);
    figure.x.visible = true;
    figure.y.visible = true;
}

void TernaryFrame::fixRatio(AxisScaleState& state) {
    state.ratioFixed = true;
    state.xPerYRatio = TernaryTransform::xPerYRatio();
}

std::vector<OverlayLine> TernaryFrame::gridLines(GridStyle style) {
    std::vector<OverlayLine> lines;
    if (style == GridStyle::None)
        return lines;
    const LineDash dash = style == GridStyle::Dashed   ? LineDash::Dashed
                          : style == GridStyle::Dotted ? LineDash::Dotted
                                                       : LineDash::Solid;
    const auto line = [&](QPointF from, QPointF to) {
        OverlayLine l;
        l.name = gridName();
        l.points = {from, to};
        l.color = FigureColor{190, 190, 190};
        l.width = 0.5;
        l.dash = dash;
        l.countsForScale = false;
        lines.push_back(std::move(l));
    };
    for (int k = 10; k < 100; k += 10) {
        const double h = 100.0 - k;
        line({k / 2.0, double(k)}, {100.0 - k / 2.0, double(k)}); // B = k
        line({double(k), 0.0}, {k + h / 2.0, h});                 // C = k
        line({h, 0.0}, {h / 2.0, h});                             // A = k
    }
    return lines;
}

void TernaryFrame::apply(Figure& figure, const std::array<QString, 3>& fieldNames) {
    remove(figure);
    // The grid style chosen under "&Grid" (on either axis) applies to the triangle; the
    // Cartesian axes, and so their grids, are hidden.
    const GridStyle style = figure.x.grid != GridStyle::None ? figure.x.grid : figure.y.grid;
    figure.x.visible = false;
    figure.y.visible = false;
    for (OverlayLine& l : gridLines(style))
        figure.lines.push_back(std::move(l));
    OverlayLine triangle;
    triangle.name = triangleName();
    triangle.points = {{0, 0}, {50, 100}, {100, 0}, {0, 0}};
    triangle.color = FigureColor{0, 0, 0};
    figure.lines.push_back(std::move(triangle));
    const std::array<QPointF, 3> corners{QPointF(-5, -5), QPointF(50, 100), QPointF(105, -5)};
    for (int i = 0; i < 3; ++i) {
        OverlayText label;
        label.name = QStringLiteral("TRI_") + QChar(u'a' + i);
        label.text =
            fieldNames[size_t(i)].isEmpty() ? QString(QChar(u'A' + i)) : fieldNames[size_t(i)];
        label.position = corners[size_t(i)];
        label.color = FigureColor{0, 0, 0};
        figure.texts.push_back(std::move(label));
    }
}
