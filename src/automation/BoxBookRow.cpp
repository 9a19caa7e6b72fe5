#include "automation/BoxBookRow.h"

#include "automation/PictureBook.h"
#include "stats/BoxPlotWindow.h"

namespace {
const char* orderName(BoxPlotWindow::Order o) {
    switch (o) {
    case BoxPlotWindow::Order::Decr:
        return "Decr";
    case BoxPlotWindow::Order::Incr:
        return "Incr";
    case BoxPlotWindow::Order::AZ:
        return "AZ";
    case BoxPlotWindow::Order::User:
        break;
    }
    return "User";
}
} // namespace

QString BoxBookRow::type() {
    return QStringLiteral("Box&Whisker");
}

int BoxBookRow::add(PictureBook& book, const BoxPlotWindow& w, const QString& graphFile) {
    using P = PictureBook;
    const int row = book.nextRow();
    Sheet& f = book.figures();
    const auto put = [&f, row](int column, const QString& text) {
        if (!text.isEmpty())
            f.setText(row, column, text);
    };
    put(P::Source, type());
    put(P::XTable, w.classTable);
    put(P::XElement, w.classField);
    put(P::YTable, w.statTable);
    put(P::YElement, w.statField);
    put(P::FilterOn, w.useFilter ? QStringLiteral("1") : QStringLiteral("0"));
    put(P::FilterText, w.filter);
    put(P::WindowSetting, QString::fromLatin1(orderName(w.order)));
    put(P::ClipDataOn, w.useClipData ? QStringLiteral("1") : QStringLiteral("0"));
    if (!w.lowerText.isEmpty() || !w.upperText.isEmpty())
        put(P::WindowSetting2, w.lowerText + QLatin1Char(';') + w.upperText);
    put(P::DisplayName, type() + QStringLiteral(": ") + w.statField);
    put(P::Marker, QStringLiteral("Fig ") + QString::number(row));
    put(P::GraphFile, graphFile);
    book.setModified();
    return row;
}

void BoxBookRow::read(const PictureBook& book, int row, BoxPlotWindow& w) {
    using P = PictureBook;
    const Sheet& f = book.figures();
    w.classTable = f.text(row, P::XTable);
    w.classField = f.text(row, P::XElement);
    w.statTable = f.text(row, P::YTable);
    w.statField = f.text(row, P::YElement);
    w.useFilter = f.text(row, P::FilterOn) == QLatin1String("1");
    w.filter = f.text(row, P::FilterText);
    w.useClipData = f.text(row, P::ClipDataOn) == QLatin1String("1");
    const QString order = f.text(row, P::WindowSetting);
    for (auto o : {BoxPlotWindow::Order::User, BoxPlotWindow::Order::Decr,
                   BoxPlotWindow::Order::Incr, BoxPlotWindow::Order::AZ})
        if (order == QLatin1String(orderName(o)))
            w.order = o;
    const QString limits = f.text(row, P::WindowSetting2);
    w.lowerText = limits.section(QLatin1Char(';'), 0, 0);
    w.upperText = limits.section(QLatin1Char(';'), 1);
}
