#include "automation/SpiderBookRow.h"

#include "automation/BookRow.h"
#include "automation/PictureBook.h"
#include "spider/SpiderWindow.h"

namespace {
const QString samplesSheet = QStringLiteral("Samples");
}

QString SpiderBookRow::type() {
    return QStringLiteral("Spider");
}

int SpiderBookRow::add(PictureBook& book, const SpiderWindow& w, const QString& graphFile) {
    using P = PictureBook;
    BookRow row = BookRow::append(book, type());
    row.put(P::XTable, w.selectionTable());
    row.put(P::XElement, w.selectionKeyField());
    row.put(P::ClassTable, w.classTable());
    row.put(P::ClassElement, w.classField());
    row.put(P::WindowSetting, w.spiderType());
    row.put(P::WindowSetting2, w.normalization());
    row.putFlag(P::ClipDataOn, w.switches.useClipData);
    row.putOptions({{QStringLiteral("pack"), BookRow::flag(w.switches.pack)},
                    {QStringLiteral("connect"), BookRow::flag(w.switches.connectOverMissing)},
                    {QStringLiteral("elements"), QString::number(int(w.elementStyle))},
                    {QStringLiteral("spidername"), BookRow::flag(w.showSpiderName)},
                    {QStringLiteral("normname"), BookRow::flag(w.showNormalizationName)},
                    {QStringLiteral("legend"), BookRow::flag(w.legendVisible)},
                    {QStringLiteral("ylog"), BookRow::flag(w.yLogarithmic)}});
    std::vector<QStringList> keys;
    keys.reserve(w.selectedKeys().size());
    for (const CellValue& key : w.selectedKeys())
        keys.push_back(
            {key.kind() == CellValue::Kind::Number ? QStringLiteral("N") : QStringLiteral("T"),
             key.toText()});
    row.putRange(P::ItemsR1, book.appendObjects(samplesSheet, keys));
    return row.finish(type() + QStringLiteral(": ") + w.spiderType(), graphFile);
}

void SpiderBookRow::read(const PictureBook& book, int row, SpiderWindow& w) {
    using P = PictureBook;
    const Sheet& f = book.figures();
    w.setSpiderType(f.text(row, P::WindowSetting));
    const QString normalization = f.text(row, P::WindowSetting2);
    w.setNormalization(normalization.isEmpty() ? SpiderWindow::noNormalization() : normalization);
    w.setClassifier(f.text(row, P::ClassTable), f.text(row, P::ClassElement));
    std::vector<CellValue> keys;
    for (const QStringList& k : book.objectRows(row, P::ItemsR1, samplesSheet)) {
        const std::optional<double> number = CellValue::text(k.value(1)).toNumber();
        keys.push_back(k.value(0) == QLatin1String("N") && number ? CellValue::number(*number)
                                                                  : CellValue::text(k.value(1)));
    }
    w.setSelection(f.text(row, P::XTable), f.text(row, P::XElement), std::move(keys));
    const auto o = BookRow::options(book, row);
    const auto on = [&o](const char* name, bool otherwise) {
        const QString key = QString::fromLatin1(name);
        return o.contains(key) ? BookRow::isOn(o.value(key)) : otherwise;
    };
    w.switches.useClipData = BookRow::isOn(f.text(row, P::ClipDataOn));
    w.switches.pack = on("pack", false);
    w.switches.connectOverMissing = on("connect", false);
    w.switches.scan = false;
    w.showSpiderName = on("spidername", false);
    w.showNormalizationName = on("normname", false);
    w.legendVisible = on("legend", true);
    w.yLogarithmic = on("ylog", true);
    bool numeric = false;
    const int style = o.value(QStringLiteral("elements")).toInt(&numeric);
    if (numeric && (style == 0 || style == 1))
        w.elementStyle = SpiderElementNames::Style(style);
}
