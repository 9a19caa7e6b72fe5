#include "stats/ui/SheetPrinter.h"

#include "platform/Sheet.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

QString SheetPrinter::html(const Sheet& sheet, const QString& title) {
    QString out = QStringLiteral("<h3>") + title.toHtmlEscaped() +
                  QStringLiteral("</h3><table border=1 cellspacing=0 cellpadding=2>");
    for (int r = 1; r <= sheet.lastRow(); ++r) {
        out += QStringLiteral("<tr>");
        for (int c = 1; c <= sheet.lastColumn(); ++c)
            out +=
                QStringLiteral("<td>") + sheet.text(r, c).toHtmlEscaped() + QStringLiteral("</td>");
        out += QStringLiteral("</tr>");
    }
    return out + QStringLiteral("</table>");
}

bool SheetPrinter::print(QPrinter& printer, const Sheet& sheet, const QString& title,
                         QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QTextDocument document;
    document.setHtml(html(sheet, title));
    document.print(&printer);
    return true;
}
