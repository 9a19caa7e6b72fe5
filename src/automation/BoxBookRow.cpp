#include "automation/BoxBookRow.h"

#include "automation/BookRow.h"
#include "automation/PictureBook.h"
#include "stats/BoxPlotWindow.h"

#include <tuple>

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
    BookRow row = BookRow::append(book, type());
    row.put(P::XTable, w.classTable);
    row.put(P::XElement, w.classField);
    row.put(P::YTable, w.statTable);
    row.put(P::YElement, w.statField);
    row.putFlag(P::FilterOn, w.useFilter);
    row.put(P::FilterText, w.filter);
    row.put(P::WindowSetting, QString::fromLatin1(orderName(w.order)));
    row.putFlag(P::ClipDataOn, w.useClipData);
    row.putPair(P::WindowSetting2, w.lowerText, w.upperText);
    return row.finish(type() + QStringLiteral(": ") + w.statField, graphFile);
}

void BoxBookRow::read(const PictureBook& book, int row, BoxPlotWindow& w) {
    using P = PictureBook;
    const Sheet& f = book.figures();
    w.classTable = f.text(row, P::XTable);
    w.classField = f.text(row, P::XElement);
    w.statTable = f.text(row, P::YTable);
    w.statField = f.text(row, P::YElement);
    w.useFilter = BookRow::isOn(f.text(row, P::FilterOn));
    w.filter = f.text(row, P::FilterText);
    w.useClipData = BookRow::isOn(f.text(row, P::ClipDataOn));
    const QString order = f.text(row, P::WindowSetting);
    for (auto o : {BoxPlotWindow::Order::User, BoxPlotWindow::Order::Decr,
                   BoxPlotWindow::Order::Incr, BoxPlotWindow::Order::AZ})
        if (order == QLatin1String(orderName(o)))
            w.order = o;
    std::tie(w.lowerText, w.upperText) = BookRow::pair(book, row, P::WindowSetting2);
}
