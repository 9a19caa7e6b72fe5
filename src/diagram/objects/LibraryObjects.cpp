#include "diagram/objects/LibraryObjects.h"

#include "platform/NumberText.h"

namespace {

const char* const axisTables[] = {"XTable", "YTable", "CTable"};
const char* const axisFields[] = {"XValue", "YValue", "CValue"};

struct HeaderColumns {
    QString createdBy, date, note;
};
HeaderColumns objectColumns() {
    return {QStringLiteral("Created by"), QStringLiteral("Date"), QStringLiteral("Note")};
}
HeaderColumns pointColumns() {
    return {QStringLiteral("CreatedBy"), QStringLiteral("DateCreated"), QStringLiteral("Notes")};
}

LibraryRecord common(const ObjectAxes& axes, const QString& name, const ObjectHeader& h,
                     const HeaderColumns& c) {
    LibraryRecord r;
    r.setText(QStringLiteral("Source"), axes.source);
    for (size_t i = 0; i < 3; ++i) {
        r.setText(QString::fromLatin1(axisTables[i]), axes.tables[i]);
        r.setText(QString::fromLatin1(axisFields[i]), axes.fields[i]);
    }
    r.setText(QStringLiteral("Name"), name);
    r.setText(QStringLiteral("Case"), h.caseName);
    r.setText(QStringLiteral("SubCase"), h.subCase);
    r.setText(c.createdBy, h.createdBy);
    r.setText(c.date, h.date);
    r.setText(c.note, h.note);
    return r;
}

ObjectAxes axesOf(const LibraryRecord& r) {
    ObjectAxes a;
    a.source = r.text(QStringLiteral("Source"));
    for (size_t i = 0; i < 3; ++i) {
        a.tables[i] = r.text(QString::fromLatin1(axisTables[i]));
        a.fields[i] = r.text(QString::fromLatin1(axisFields[i]));
    }
    return a;
}

ObjectHeader headerOf(const LibraryRecord& r, const QString& keyColumn, const HeaderColumns& c) {
    ObjectHeader h;
    h.libraryKey = int(r.value(keyColumn).toNumber().value_or(0));
    h.caseName = r.text(QStringLiteral("Case"));
    h.subCase = r.text(QStringLiteral("SubCase"));
    h.createdBy = r.text(c.createdBy);
    h.date = r.text(c.date);
    h.note = r.text(c.note);
    return h;
}

double numberOf(const LibraryRecord& r, const QString& column) {
    const CellValue v = r.value(column);
    if (const auto n = v.toNumber())
        return *n;
    return NumberText::fromText(v.toText().trimmed()).value_or(0);
}

} // namespace

LibraryRecord LibraryObjects::recordOf(const Trendline& t) {
    LibraryRecord r = common(t.axes, t.name, t.header, objectColumns());
    r.setText(QStringLiteral("TriOneTable"), t.header.triOneTable);
    r.set(QStringLiteral("XMin"), CellValue::number(t.xMin));
    r.set(QStringLiteral("XMax"), CellValue::number(t.xMax));
    r.setText(QStringLiteral("AllowMove"), t.header.allowMove);
    r.setText(QStringLiteral("Equation"), t.equation);
    return r;
}

LibraryRecord LibraryObjects::recordOf(const UserPolygon& p) {
    return common(p.axes, p.name, p.header, objectColumns());
}

LibraryRecord LibraryObjects::recordOf(const RefPoint& p) {
    return common(p.axes, p.name, p.header, pointColumns());
}

Trendline LibraryObjects::trendlineOf(const LibraryRecord& r) {
    Trendline t;
    t.axes = axesOf(r);
    t.name = r.text(QStringLiteral("Name"));
    t.xMin = numberOf(r, QStringLiteral("XMin"));
    t.xMax = numberOf(r, QStringLiteral("XMax"));
    t.equation = r.text(QStringLiteral("Equation"));
    t.header = headerOf(r, QStringLiteral("Counter"), objectColumns());
    t.header.triOneTable = r.text(QStringLiteral("TriOneTable"));
    t.header.allowMove = r.text(QStringLiteral("AllowMove"));
    return t;
}

UserPolygon LibraryObjects::polygonOf(const LibraryRecord& r, std::vector<QPointF> nodes) {
    UserPolygon p;
    p.axes = axesOf(r);
    p.name = r.text(QStringLiteral("Name"));
    p.nodes = std::move(nodes);
    p.header = headerOf(r, QStringLiteral("Counter"), objectColumns());
    return p;
}

RefPoint LibraryObjects::pointOf(const LibraryRecord& r, const std::array<double, 3>& at) {
    RefPoint p;
    p.axes = axesOf(r);
    p.name = r.text(QStringLiteral("Name"));
    p.at = {at[0], at[1]};
    p.c = at[2];
    p.header = headerOf(r, QStringLiteral("PointNo"), pointColumns());
    return p;
}
