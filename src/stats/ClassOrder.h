#pragma once
// The order in which the statistics windows' statements deliver their classes ("ORDER BY 1
// ASC"): the empty class (Null) first, then numbers by value, then texts by their characters.
// The windows fetch without that ORDER BY, so that a big table is not sorted only to put its
// classes in order, and order the component's classes afterwards instead.
#include <QString>
#include <vector>

class StatisticsComponent;

class ClassOrder {
public:
    // The component's classes (1-based) in that order.
    static std::vector<int> sorted(const StatisticsComponent& component);
    // The statement without its closing ORDER BY clause.
    static QString unordered(const QString& statement);
    static bool before(const QString& a, const QString& b);
};
