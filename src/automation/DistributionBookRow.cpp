#include "automation/DistributionBookRow.h"

#include "automation/BookRow.h"
#include "automation/PictureBook.h"
#include "stats/DistributionWindow.h"

#include <tuple>

namespace {
const QString classesSheet = QStringLiteral("Classes");

QString numberText(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 17) : QString();
}
std::optional<double> numberOf(const QString& text) {
    bool numeric = false;
    const double value = text.toDouble(&numeric);
    return numeric ? std::optional<double>(value) : std::nullopt;
}
} // namespace

QString DistributionBookRow::type() {
    return QStringLiteral("Distribution");
}

int DistributionBookRow::add(PictureBook& book, const DistributionWindow& w,
                             const QString& graphFile) {
    using P = PictureBook;
    const DistributionChart& c = w.chart;
    BookRow row = BookRow::append(book, type());
    row.put(P::XTable, w.table);
    row.put(P::XElement, w.field);
    row.putFlag(P::FilterOn, w.useFilter);
    row.put(P::FilterText, w.filter);
    row.put(P::WindowSetting, w.classesText);
    row.putFlag(P::ClipDataOn, w.useClipData);
    row.putPair(P::WindowSetting2, w.minUsed, w.maxUsed);
    const auto flag = &BookRow::flag;
    row.putOptions({{QStringLiteral("range"), w.rangeText},
                    {QStringLiteral("maxclasses"), QString::number(w.maxClasses)},
                    {QStringLiteral("nulls"), flag(w.acceptNulls)},
                    {QStringLiteral("fieldis"), QString::number(int(w.fieldIs))},
                    {QStringLiteral("case"), flag(w.caseSensitive)},
                    {QStringLiteral("percent"), flag(c.showPercent)},
                    {QStringLiteral("cumulative"), flag(c.cumulative)},
                    {QStringLiteral("cumup"), flag(c.cumulativeUp)},
                    {QStringLiteral("label"), QString::number(int(c.barLabel))},
                    {QStringLiteral("decimals"), QString::number(c.decimals)},
                    {QStringLiteral("grid"), flag(c.showGrid)},
                    {QStringLiteral("color"), QStringLiteral("%1,%2,%3")
                                                  .arg(c.barColor.red)
                                                  .arg(c.barColor.green)
                                                  .arg(c.barColor.blue)},
                    {QStringLiteral("xrev"), flag(c.xReversed)},
                    {QStringLiteral("ylog"), flag(c.yLogarithmic)},
                    {QStringLiteral("xmin"), numberText(c.xMin)},
                    {QStringLiteral("xmax"), numberText(c.xMax)},
                    {QStringLiteral("ymin"), numberText(c.yMin)},
                    {QStringLiteral("ymax"), numberText(c.yMax)},
                    {QStringLiteral("header"), c.header},
                    {QStringLiteral("every"), QString::number(c.labelEvery)},
                    {QStringLiteral("numbers"), flag(c.onlyNumbers)},
                    {QStringLiteral("rotate"), flag(c.rotateLabels)},
                    {QStringLiteral("space"), QString::number(c.barSpace)},
                    {QStringLiteral("xtitle"), c.xTitle}});
    std::vector<QStringList> classes;
    if (w.manualClasses)
        for (const DistributionClass& c : w.classes())
            classes.push_back({numberText(c.from), numberText(c.to), BookRow::flag(c.fromExcluded),
                               BookRow::flag(c.toExcluded), c.name, c.name2});
    row.putRange(P::ItemsR1, book.appendObjects(classesSheet, classes));
    return row.finish(type() + QStringLiteral(": ") + w.field, graphFile);
}

void DistributionBookRow::read(const PictureBook& book, int row, DistributionWindow& w) {
    using P = PictureBook;
    const Sheet& f = book.figures();
    w.table = f.text(row, P::XTable);
    w.field = f.text(row, P::XElement);
    w.useFilter = BookRow::isOn(f.text(row, P::FilterOn));
    w.filter = f.text(row, P::FilterText);
    w.useClipData = BookRow::isOn(f.text(row, P::ClipDataOn));
    const QString classes = f.text(row, P::WindowSetting);
    if (!classes.isEmpty())
        w.classesText = classes;
    std::tie(w.minUsed, w.maxUsed) = BookRow::pair(book, row, P::WindowSetting2);
    DistributionWindow::Classes typed;
    for (const QStringList& c : book.objectRows(row, P::ItemsR1, classesSheet))
        typed.push_back({numberOf(c.value(0)), numberOf(c.value(1)), BookRow::isOn(c.value(2)),
                         BookRow::isOn(c.value(3)), c.value(4).trimmed(), c.value(5)});
    w.manualClasses = !typed.empty();
    if (w.manualClasses)
        w.setClasses(std::move(typed));

    const auto o = BookRow::options(book, row);
    const auto text = [&o](const char* name) { return o.value(QString::fromLatin1(name)); };
    const auto on = [&text](const char* name) { return BookRow::isOn(text(name)); };
    const auto whole = [&text](const char* name, int otherwise) {
        bool numeric = false;
        const int value = text(name).toInt(&numeric);
        return numeric ? value : otherwise;
    };
    w.rangeText = text("range");
    w.maxClasses = whole("maxclasses", w.maxClasses);
    w.acceptNulls = on("nulls");
    const int fieldIs = whole("fieldis", 0);
    if (fieldIs >= 0 && fieldIs <= int(StatisticsComponent::DistributionRead::Any))
        w.fieldIs = StatisticsComponent::DistributionRead(fieldIs);
    w.caseSensitive = on("case");

    DistributionChart& c = w.chart;
    c.showPercent = on("percent");
    c.cumulative = on("cumulative");
    c.cumulativeUp = o.contains(QStringLiteral("cumup")) ? on("cumup") : true;
    const int label = whole("label", 0);
    if (label >= 0 && label <= int(DistributionChart::BarLabel::Median))
        c.barLabel = DistributionChart::BarLabel(label);
    c.decimals = whole("decimals", c.decimals);
    c.showGrid = on("grid");
    if (const QStringList rgb = text("color").split(QLatin1Char(',')); rgb.size() == 3)
        c.barColor = {std::uint8_t(rgb[0].toInt()), std::uint8_t(rgb[1].toInt()),
                      std::uint8_t(rgb[2].toInt())};
    c.xReversed = on("xrev");
    c.yLogarithmic = on("ylog");
    c.xMin = numberOf(text("xmin"));
    c.xMax = numberOf(text("xmax"));
    c.yMin = numberOf(text("ymin"));
    c.yMax = numberOf(text("ymax"));
    c.header = text("header");
    c.labelEvery = whole("every", 1);
    c.onlyNumbers = on("numbers");
    c.rotateLabels = on("rotate");
    c.barSpace = whole("space", c.barSpace);
    c.xTitle = text("xtitle");
}
