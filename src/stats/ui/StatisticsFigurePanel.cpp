#include "stats/ui/StatisticsFigurePanel.h"

#include "figure/ui/FigureExporter.h"
#include "figure/ui/FigurePlot.h"
#include "platform/Dialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <qcustomplot.h>

StatisticsFigurePanel::StatisticsFigurePanel(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , plot_(new QCustomPlot(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    plot_->setMinimumSize(320, 240);
}

void StatisticsFigurePanel::show(const Figure& figure) {
    figure_ = figure;
    FigurePlot::show(figure_, *plot_, plot_->size());
    plot_->replot();
}

void StatisticsFigurePanel::copy() const {
    QGuiApplication::clipboard()->setImage(
        FigureExporter::image(figure_, plot_->size().expandedTo({640, 480})));
}

bool StatisticsFigurePanel::copyLegend() const {
    if (!plot_->legend || !plot_->legend->visible() || plot_->legend->itemCount() == 0) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    QGuiApplication::clipboard()->setPixmap(plot_->grab(plot_->legend->outerRect()));
    return true;
}

void StatisticsFigurePanel::print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QImage image = FigureExporter::image(figure_, plot_->size().expandedTo({640, 480}));
    painter.drawImage(QRect(page.topLeft(), image.size().scaled(page.size(), Qt::KeepAspectRatio)),
                      image);
}

bool StatisticsFigurePanel::saveAs() {
    const auto path = dialogs_.saveFile(
        QStringLiteral("Save As"),
        QStringLiteral(
            "PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg|PDF file (*.pdf)|*.pdf"),
        {});
    if (!path)
        return false;
    if (!FigureExporter::save(figure_, *path, plot_->size().expandedTo({800, 600}))) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in writing file"));
        return false;
    }
    return true;
}
