#include "figure/ui/FigureExporter.h"

#include "figure/ui/FigurePlot.h"

#include <QFileInfo>
#include <QSvgGenerator>
#include <qcustomplot.h>

std::optional<FigureExporter::Format> FigureExporter::formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return Format::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return Format::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return Format::Pdf;
    }
    return std::nullopt;
}

bool FigureExporter::save(const Figure& figure, const QString& path, QSize size) {
    const std::optional<Format> format = formatOf(path);
    return format && save(figure, path, size, *format);
}

bool FigureExporter::save(const Figure& figure, const QString& path, const PictureSize& size) {
    const std::optional<Format> format = formatOf(path);
    if (!format)
        return false;
    const QSize layout = size.layoutSize();
    if (*format != Format::Png)
        return save(figure, path, layout, *format);
    QCustomPlot plot;
    FigurePlot::show(figure, plot, layout);
    return plot.savePng(path, layout.width(), layout.height(), size.scale(), -1, size.dotsPerInch);
}

bool FigureExporter::save(const Figure& figure, const QString& path, QSize size, Format format) {
    if (size.isEmpty()) {
        return false;
    }
    QCustomPlot plot;
    FigurePlot::show(figure, plot, size);
    switch (format) {
    case Format::Png:
        return plot.savePng(path, size.width(), size.height());
    case Format::Pdf:
        return plot.savePdf(path, size.width(), size.height());
    case Format::Svg:
        break;
    }
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(figure.header);
    QCPPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    plot.toPainter(&painter, size.width(), size.height());
    return painter.end() && QFileInfo(path).size() > 0;
}

QImage FigureExporter::image(const Figure& figure, QSize size) {
    QCustomPlot plot;
    FigurePlot::show(figure, plot, size);
    return plot.toPixmap(size.width(), size.height()).toImage();
}
