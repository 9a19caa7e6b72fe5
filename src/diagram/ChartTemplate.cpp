#include "diagram/ChartTemplate.h"

#include "diagram/FigureFile.h"

#include <QDir>

bool ChartTemplate::save(const QString& path, const Figure& figure) {
    Figure appearance;
    appearance.x = figure.x;
    appearance.y = figure.y;
    appearance.y2 = figure.y2;
    appearance.y2Visible = figure.y2Visible;
    appearance.legend = figure.legend;
    return FigureFile::save(path, appearance);
}

std::optional<Figure> ChartTemplate::load(const QString& path) {
    return FigureFile::load(path);
}

std::optional<Figure> ChartTemplate::loadDefault(const QString& graphType,
                                                 const QStringList& folders) {
    for (const QString& folder : folders)
        if (auto figure = load(QDir(folder).filePath(defaultFileName(graphType))))
            return figure;
    return std::nullopt;
}

void ChartTemplate::apply(const Figure& appearance, Figure& figure) {
    const auto take = [](const Axis& from, Axis& to) {
        const QString title = to.title;
        to = from;
        to.title = title;
    };
    take(appearance.x, figure.x);
    take(appearance.y, figure.y);
    take(appearance.y2, figure.y2);
    figure.y2Visible = appearance.y2Visible;
    figure.legend = appearance.legend;
}
