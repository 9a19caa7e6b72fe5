#include "automation/ui/BookReport.h"

#include "figure/ui/FigureExporter.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {
constexpr QSize pictureSize{1000, 750};
}

QString BookReport::htmlPathFor(const QString& pdfPath) {
    const QFileInfo info(pdfPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".html");
}

bool BookReport::write(const QString& pdfPath, QString* error) const {
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QPdfWriter pdf(pdfPath);
    pdf.setTitle(QFileInfo(pdfPath).completeBaseName());
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(150);
    QPainter painter;
    if (!painter.begin(&pdf))
        return fail(QStringLiteral("Cannot write ") + pdfPath);
    const QFileInfo info(pdfPath);
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") +
                   info.completeBaseName().toHtmlEscaped() +
                   QStringLiteral("</title></head><body>\n");
    for (size_t i = 0; i < pages_.size(); ++i) {
        const Page& page = pages_[i];
        const QImage image = FigureExporter::image(page.figure, pictureSize);
        if (i > 0)
            pdf.newPage();
        const QRect area = painter.viewport();
        const int captionHeight = area.height() / 8;
        const QRect pictureArea(area.left(), area.top(), area.width(),
                                area.height() - captionHeight);
        const QSize fitted = image.size().scaled(pictureArea.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(pictureArea.topLeft(), fitted), image);
        painter.drawText(QRect(area.left(), pictureArea.bottom(), area.width(), captionHeight),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, page.caption);
        const QString png =
            info.completeBaseName() + QLatin1Char('_') + QString::number(i + 1) + ".png";
        if (!image.save(info.path() + QLatin1Char('/') + png))
            return fail(QStringLiteral("Cannot write ") + png);
        html += QStringLiteral("<figure><img src=\"") + png.toHtmlEscaped() +
                QStringLiteral("\" alt=\"\"><figcaption>") +
                page.caption.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
                QStringLiteral("</figcaption></figure>\n");
    }
    painter.end();
    html += QStringLiteral("</body></html>\n");
    QSaveFile out(htmlPathFor(pdfPath));
    if (!out.open(QIODevice::WriteOnly) || out.write(html.toUtf8()) < 0 || !out.commit())
        return fail(QStringLiteral("Cannot write ") + out.fileName());
    return true;
}
