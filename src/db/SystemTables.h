#pragma once
// The names of the twelve tables of the system database. Nine are configurable (section
// "SystemTables" of the initialization files); Alias, UserCalc and Settings have fixed names. Plain
// value: the settings code fills it from its own settings, the system database and its users read
// it.
#include <QString>

struct SystemTables {
    QString trendline = QStringLiteral("Trendline");
    QString polygon = QStringLiteral("Polygon");
    QString polygonNodes = QStringLiteral("PolygonNodes");
    QString pointHeader = QStringLiteral("PointHeader");
    QString points = QStringLiteral("Points");
    QString collection = QStringLiteral("Collection");
    QString collectionItems = QStringLiteral("CollectionItems");
    QString spiderMain = QStringLiteral("SpiderMain");
    QString spiderNorm = QStringLiteral("SpiderNorm");
    QString alias = QStringLiteral("Alias");
    QString userCalc = QStringLiteral("UserCalc"); // stored user calculations
    QString settings = QStringLiteral("Settings"); // the library password hash, by key
};
