#pragma once
// Everything a figure is drawn from: the graph type, the table and field of each axis in the
// fixed order X, Y, Z, classifier, the filter, the data source and the query options. Stored
// and replayed under the field names GraphType, XTable, XField, ... Plain value type; the
// diagram window owns one.
#include "calc/UserCalculation.h"
#include "figure/ClassifyOption.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

struct DiagramDefinition {
    enum Slot { X = 0, Y = 1, Z = 2, Class = 3 };
    enum class Source { DB, ClipData };
    enum class Sort { None, ByY, ByX, ByLabel };

    // One X/Y set of a multi-set graph (XY-MultiGraph, Stacking bar).
    struct Set {
        QString xTable, xField, yTable, yField;
        QString filter; // used unless the filter is common for all sets
    };

    QString graphType = QStringLiteral("XY");
    std::array<QString, 4> tables;
    std::array<QString, 4> fields;
    bool filterOn = false;
    QString filter; // without its "f_"
    Source source = Source::DB;
    Sort sort = Sort::None;
    bool drawNulls = false;      // "Null rows in classifier are drawn"
    bool connectingLine = false; // "Connecting line"
    bool labels = false;         // "Draw Labels"
    ClassifyMode classify = ClassifyMode::AsText;
    bool shewhartLines = true; // "Shewhart: Show AVG, 2S and 3S"
    std::vector<Set> sets;
    bool filterCommonForAll = true;
    bool cumulative = false; // "Cumulative" ("Y Is 100%" for stacking bars)
    bool fill = false;       // multi-graph "Fill": each set's area filled
    bool stacking = false;   // multi-graph "Stacking": each set drawn on top of those before it
    // "Check to use use element sums, ratios, etc." (chkPlus): an axis whose calculation has an
    // equation is that user calculation instead of a plain field. X, Y, Z.
    bool calc = false;
    std::array<UserCalculation, 3> calculations;

    // In the order the type list offers them.
    static QStringList graphTypes() {
        return {QStringLiteral("XY"),           QStringLiteral("XY-MultiGraph"),
                QStringLiteral("Ternary"),      QStringLiteral("XY & Fill"),
                QStringLiteral("Bubble"),       QStringLiteral("Bar"),
                QStringLiteral("Stacking bar"), QStringLiteral("Polar"),
                QStringLiteral("Radar"),        QStringLiteral("Shewhart chart"),
                QStringLiteral("Timetrend")};
    }
    bool isMultiSet() const {
        return graphType == QLatin1String("XY-MultiGraph") ||
               graphType == QLatin1String("Stacking bar");
    }
    // X and Y each have a table and a field (in every set of a multi-set graph that has sets).
    bool isComplete() const {
        const auto filled = [](const QString& a, const QString& b) {
            return !a.isEmpty() && !b.isEmpty();
        };
        if (isMultiSet() && !sets.empty()) {
            for (const Set& s : sets)
                if (!filled(s.xTable, s.xField) || !filled(s.yTable, s.yField))
                    return false;
            return true;
        }
        return filled(tables[X], fields[X]) && filled(tables[Y], fields[Y]);
    }
    bool isCalcAxis(int slot) const {
        return calc && slot >= 0 && slot < 3 &&
               !calculations[size_t(slot)].equation.trimmed().isEmpty();
    }
    bool hasCalcAxis() const { return isCalcAxis(X) || isCalcAxis(Y) || isCalcAxis(Z); }
    // The table box of a calculated axis.
    static QString calcTable() { return QStringLiteral("Calc"); }
    // A calculated axis is named by its parts joined by "-".
    static QString calcTitle(const UserCalculation& c) {
        QStringList parts;
        for (const CalcVariable& v : c.variables)
            if (v.bound())
                parts << v.field;
        return parts.isEmpty() ? c.equation : parts.join(QLatin1Char('-'));
    }
    bool hasClassifier() const { return !tables[Class].isEmpty() && !fields[Class].isEmpty(); }
    bool hasZ() const { return !tables[Z].isEmpty() && !fields[Z].isEmpty(); }
    // Bubble sizes and the third ternary component are the only uses of Z.
    static bool typeUsesZ(const QString& type) {
        return type == QLatin1String("Bubble") || type == QLatin1String("Ternary");
    }
    bool usesZ() const { return hasZ() && typeUsesZ(graphType); }
    // The axis box captions: "A", "B", "C" for a ternary diagram, else "X", "Y", "Z".
    QStringList axisCaptions() const {
        return graphType == QLatin1String("Ternary") ? QStringList{"A", "B", "C"}
                                                     : QStringList{"X", "Y", "Z"};
    }
};
