#pragma once
// Which figures a user object belongs on: its Source (the chart type "XY", "Tri" or "Spider")
// and the tables and fields of the axes it was drawn on, in the order X, Y, C. "*" in a table or
// field column matches any. Plain value type.
#include "diagram/DiagramDefinition.h"

#include <QString>
#include <array>

struct ObjectAxes {
    QString source = QStringLiteral("XY");
    std::array<QString, 3> tables; // X, Y, C
    std::array<QString, 3> fields;

    // The chart type of a definition: "Tri" for ternary diagrams, "XY" for the others.
    static QString chartTypeOf(const DiagramDefinition& d) {
        return d.graphType == QLatin1String("Ternary") ? QStringLiteral("Tri")
                                                       : QStringLiteral("XY");
    }
    // The axes of the figure a definition draws (C only for a ternary one).
    static ObjectAxes of(const DiagramDefinition& d) {
        ObjectAxes a;
        a.source = chartTypeOf(d);
        const int n = a.source == QLatin1String("Tri") ? 3 : 2;
        for (int i = 0; i < n; ++i) {
            a.tables[size_t(i)] = d.tables[size_t(i)];
            a.fields[size_t(i)] = d.fields[size_t(i)];
        }
        return a;
    }
    // Whether an object with these axes is drawn on the figure of `d`.
    bool matches(const DiagramDefinition& d) const { return matches(of(d)); }
    // Whether an object with these axes is drawn on a figure with the axes `figure`.
    bool matches(const ObjectAxes& figure) const {
        if (source != figure.source)
            return false;
        const auto same = [](const QString& mine, const QString& theirs) {
            return mine == QLatin1String("*") || mine == theirs;
        };
        for (size_t i = 0; i < 3; ++i)
            if (!same(tables[i], figure.tables[i]) || !same(fields[i], figure.fields[i]))
                return false;
        return true;
    }
};
