#include "db/SystemSchema.h"

namespace {

using Column = SystemTableSchema::Column;
using Type = Column::Type;

Column integer(const char* name) {
    return {QString::fromUtf8(name), Type::Integer};
}
Column number(const char* name) {
    return {QString::fromUtf8(name), Type::Number};
}
Column text(const char* name) {
    return {QString::fromUtf8(name), Type::Text};
}
Column memo(const char* name) {
    return {QString::fromUtf8(name), Type::Memo};
}

// The chart type and the axes an object belongs to ("*" matches any table or field).
std::vector<Column> axes() {
    return {text("Source"), text("XTable"), text("XValue"), text("YTable"),
            text("YValue"), text("CTable"), text("CValue")};
}

void append(std::vector<Column>& to, const std::vector<Column>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

SystemTableSchema table(const QString& name, std::vector<Column> columns, QStringList key) {
    return SystemTableSchema{name, std::move(columns), std::move(key)};
}

} // namespace

std::vector<SystemTableSchema> SystemSchema::tables(const SystemTables& names) {
    std::vector<SystemTableSchema> result;

    std::vector<Column> trendline{integer("Counter")};
    append(trendline, axes());
    append(trendline, {text("TriOneTable"), text("Name"), text("Case"), text("SubCase"),
                       text("Created by"), text("Date"), memo("Note"), number("XMin"),
                       number("XMax"), text("AllowMove"), memo("Equation")});
    result.push_back(table(names.trendline, trendline, {QStringLiteral("Counter")}));

    std::vector<Column> polygon{integer("Counter")};
    append(polygon, axes());
    append(polygon, {text("Name"), text("Case"), text("SubCase"), text("Created by"), text("Date"),
                     memo("Note")});
    result.push_back(table(names.polygon, polygon, {QStringLiteral("Counter")}));

    result.push_back(table(names.polygonNodes,
                           {integer("PolyID"), integer("NodeNo"), number("X"), number("Y")},
                           {QStringLiteral("PolyID"), QStringLiteral("NodeNo")}));

    std::vector<Column> pointHeader{integer("PointNo")};
    append(pointHeader, axes());
    append(pointHeader, {text("Name"), text("Case"), text("SubCase"), text("CreatedBy"),
                         text("DateCreated"), memo("Notes")});
    result.push_back(table(names.pointHeader, pointHeader, {QStringLiteral("PointNo")}));

    result.push_back(table(
        names.points, {integer("PointNo"), number("XCoord"), number("YCoord"), number("CCoord")},
        {QStringLiteral("PointNo")}));

    // Source lets the library list collections by chart type like the other objects.
    result.push_back(table(names.collection,
                           {integer("CollectionID"), text("Source"), text("Name"), text("Case"),
                            text("SubCase"), text("Created by"), text("Date"), memo("Note")},
                           {QStringLiteral("CollectionID")}));

    // ItemNo is the member's key: a trendline's or polygon's Counter, a point's PointNo.
    result.push_back(
        table(names.collectionItems,
              {integer("ColItemNo"), integer("CollectionID"), text("ItemType"), integer("ItemNo")},
              {QStringLiteral("ColItemNo")}));

    // Element references ("table.field" or "[EMPTY_VALUE]") and normalisation values (numbers
    // or "Empty") are texts.
    std::vector<Column> spiderMain{text("SpiderType")};
    std::vector<Column> spiderNorm{text("SpiderType"), text("Sample")};
    for (int i = 1; i <= spiderPositions; ++i) {
        spiderMain.push_back({QStringLiteral("Element%1").arg(i), Type::Text});
        spiderNorm.push_back({QStringLiteral("Value%1").arg(i), Type::Text});
    }
    result.push_back(table(names.spiderMain, spiderMain, {QStringLiteral("SpiderType")}));
    result.push_back(table(names.spiderNorm, spiderNorm,
                           {QStringLiteral("SpiderType"), QStringLiteral("Sample")}));

    result.push_back(
        table(names.alias,
              {integer("AliasID"), text("User"), text("Table"), text("Field"), text("Alias")},
              {QStringLiteral("AliasID")}));

    // A user calculation by name: its equation and the table and field of each variable.
    std::vector<Column> userCalc{text("Name"), memo("Equation")};
    for (const char* v : {"A", "B", "C", "D", "E"})
        userCalc.insert(userCalc.end(),
                        {{QString::fromUtf8(v) + QStringLiteral("Table"), Type::Text},
                         {QString::fromUtf8(v) + QStringLiteral("Field"), Type::Text}});
    result.push_back(table(names.userCalc, userCalc, {QStringLiteral("Name")}));

    result.push_back(table(names.settings, {text("Key"), memo("Value")}, {QStringLiteral("Key")}));
    return result;
}
