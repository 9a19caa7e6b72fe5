#include "export/KmlDocument.h"

#include "platform/NumberText.h"

namespace {

QString escaped(const CellValue& value) {
    return value.toText().toHtmlEscaped();
}

bool isPlacementColumn(int column, const KmlSettings& s) {
    return column == *s.headerColumn || column == *s.latitudeColumn || column == *s.longitudeColumn;
}

QString field(const RowSet& rows, int column, const CellValue& value) {
    return rows.columnNames().at(column).toHtmlEscaped() + QStringLiteral(": ") + escaped(value);
}

void appendDescription(QStringList& out, const RowSet& rows, const RowSet::Row& row,
                       const std::vector<bool>& visible, const KmlSettings& s) {
    using D = KmlSettings::Description;
    switch (s.description) {
    case D::None:
        return;
    case D::Column: {
        const int c = s.descriptionColumn;
        if (c >= 0 && c < rows.columnCount() && !row[size_t(c)].isMissing())
            out << QStringLiteral("    <description>") + field(rows, c, row[size_t(c)]) +
                       QStringLiteral("</description>");
        return;
    }
    case D::All:
    case D::AllVisible:
        out << QStringLiteral("    <description>");
        for (int c = 0; c < rows.columnCount(); ++c) {
            const bool shown = size_t(c) < visible.size() ? visible[size_t(c)] : true;
            if (isPlacementColumn(c, s) || row[size_t(c)].isMissing() ||
                (s.description == D::AllVisible && !shown))
                continue;
            out << field(rows, c, row[size_t(c)]);
        }
        out << QStringLiteral("    </description>");
        return;
    }
}

} // namespace

KmlDocument::Result KmlDocument::build(const RowSet& rows, const std::vector<bool>& visible,
                                       const KmlSettings& s) {
    Result r;
    QStringList& out = r.lines;
    out << QStringLiteral("<?xml version='1.0' encoding='UTF-8'?>")
        << QStringLiteral("<kml xmlns=\"") + kmlNamespace() + QStringLiteral("\">")
        << QStringLiteral("<Folder>") << QStringLiteral("  <name></name>")
        << QStringLiteral("  <open>1</open>");
    const QString range = NumberText::floatToText(s.range);
    const QString tilt = NumberText::floatToText(s.tilt);
    for (qsizetype i = 0; i < rows.rowCount() && s.hasPlacement(); ++i) {
        const RowSet::Row& row = rows.row(i);
        const CellValue& name = row[size_t(*s.headerColumn)];
        const CellValue& latitude = row[size_t(*s.latitudeColumn)];
        const CellValue& longitude = row[size_t(*s.longitudeColumn)];
        if (name.isMissing() || latitude.isMissing() || longitude.isMissing())
            continue;
        const QString lon = escaped(longitude);
        const QString lat = escaped(latitude);
        out << QStringLiteral("  <Placemark>")
            << QStringLiteral("    <name>") + escaped(name) + QStringLiteral("</name>");
        appendDescription(out, rows, row, visible, s);
        out << QStringLiteral("    <LookAt>")
            << QStringLiteral("      <longitude>") + lon + QStringLiteral("</longitude>")
            << QStringLiteral("      <latitude>") + lat + QStringLiteral("</latitude>")
            << QStringLiteral("      <range>") + range + QStringLiteral("</range>")
            << QStringLiteral("      <tilt>") + tilt + QStringLiteral("</tilt>")
            << QStringLiteral("      <heading>0.000</heading>") << QStringLiteral("    </LookAt>")
            << QStringLiteral("    <styleUrl>root://styles#default+icon=0x307</styleUrl>")
            << QStringLiteral("    <Point>")
            << QStringLiteral("      <coordinates>") + lon + QLatin1Char(',') + lat +
                   QStringLiteral(",0</coordinates>")
            << QStringLiteral("    </Point>") << QStringLiteral("  </Placemark>");
        ++r.written;
        if (out.size() > lineLimit) {
            r.truncated = i + 1 < rows.rowCount();
            break;
        }
    }
    out << QStringLiteral("</Folder>") << QStringLiteral("</kml>");
    for (QString& line : out)
        line = fold(line);
    return r;
}

QString KmlDocument::fold(QString line) {
    line.replace(QChar(0xE4), QLatin1Char('a'));
    line.replace(QChar(0xF6), QLatin1Char('o'));
    line.replace(QChar(0xE5), QLatin1Char('a'));
    return line;
}
