#include "diagram/DataPointsCopy.h"

#include "platform/Sheet.h"

namespace {
using D = DiagramDefinition;

CellValue plottedCell(const PlotTable& table, int slot, qsizetype row) {
    switch (slot) {
    case D::X:
        return table.x.cell(row);
    case D::Y:
        return table.y.cell(row);
    case D::Z:
        return table.z.cell(row);
    default:
        return table.classifier.at(row);
    }
}

void writeHeadings(Sheet& sheet, const QStringList& headings) {
    sheet.clear();
    for (int c = 0; c < headings.size(); ++c)
        sheet.setText(1, c + 1, headings[c]);
}

// A heading not yet among the others: two axes titled alike still get two columns.
QString distinct(QString heading, const QStringList& taken) {
    const QString base = heading;
    for (int n = 2; taken.contains(heading, Qt::CaseInsensitive); ++n)
        heading = base + QString::number(n);
    return heading;
}

} // namespace

void DataPointsCopy::fromDrawnRows(const std::vector<Pass>& passes, const Figure& figure,
                                   Sheet& sheet) {
    // The plotted fields of every pass, each once, in axis order.
    QStringList headings{QStringLiteral("Row")};
    std::vector<std::vector<std::pair<int, int>>> columnsOfPass; // (slot, sheet column)
    for (const Pass& pass : passes) {
        std::vector<std::pair<int, int>> columns;
        const std::pair<bool, int> plotted[] = {
            {true, D::X}, {true, D::Y}, {pass.hasZ, D::Z}, {pass.hasClassifier, D::Class}};
        for (const auto& [present, slot] : plotted) {
            if (!present)
                continue;
            const QString& field = pass.definition.fields[size_t(slot)];
            if (!headings.contains(field, Qt::CaseInsensitive))
                headings << field;
            columns.emplace_back(slot, int(headings.indexOf(field)) + 1);
        }
        columnsOfPass.push_back(std::move(columns));
    }
    writeHeadings(sheet, headings);
    int row = 1;
    size_t series = 0;
    for (size_t p = 0; p < passes.size(); ++p) {
        const PlotTable& table = passes[p].table;
        for (size_t s = 0; s < passes[p].seriesCount && series < figure.series.size();
             ++s, ++series)
            for (const FigurePoint& point : figure.series[series].points) {
                // Only rows of this pass's table; anything else is not one of its rows.
                if (point.row < 0 || point.row >= table.rowCount())
                    continue;
                ++row;
                sheet.setNumber(row, 1, row - 1);
                for (const auto& [slot, sheetColumn] : columnsOfPass[p])
                    sheet.setValue(row, sheetColumn, plottedCell(table, slot, point.row));
            }
    }
}

std::array<QString, 4> DataPointsCopy::fromFigure(const Figure& figure, Sheet& sheet) {
    std::array<QString, 4> fields;
    QStringList headings{QStringLiteral("Row")};
    const auto add = [&](int slot, const QString& title, const QString& fallback) {
        fields[size_t(slot)] =
            distinct(title.trimmed().isEmpty() ? fallback : title.trimmed(), headings);
        headings << fields[size_t(slot)];
    };
    add(D::X, figure.x.title, QStringLiteral("X"));
    add(D::Y, figure.y.title, QStringLiteral("Y"));
    const bool bubbles =
        std::any_of(figure.series.begin(), figure.series.end(),
                    [](const Series& s) { return s.shape == SeriesShape::Bubbles; });
    if (bubbles)
        add(D::Z, QString(), QStringLiteral("Z"));
    const bool classes = figure.series.size() > 1;
    if (classes)
        add(D::Class, QString(), QStringLiteral("Class"));
    writeHeadings(sheet, headings);
    int row = 1;
    for (const Series& s : figure.series)
        for (size_t i = 0; i < s.points.size(); ++i) {
            const FigurePoint& point = s.points[i];
            ++row;
            int column = 1;
            sheet.setNumber(row, column++, row - 1);
            sheet.setNumber(row, column++, point.x);
            sheet.setNumber(row, column++, point.y);
            if (bubbles)
                sheet.setNumber(row, column++, s.zAt(i));
            if (classes)
                sheet.setText(row, column, s.name);
        }
    return fields;
}
