#pragma once
// The calculations kept in the system database's table UserCalc: one row per name with the
// equation and each variable's table and field. Works on a connection its caller opened and
// keeps alive; every write is one transaction.
#include "calc/UserCalculation.h"

#include <QStringList>
#include <optional>

class Connection;

class StoredCalculations {
public:
    static QString tableName() { return QStringLiteral("UserCalc"); }

    explicit StoredCalculations(Connection& system)
        : system_(system) {}

    // The names in alphabetical order; empty when the table cannot be read.
    QStringList names() const;
    std::optional<UserCalculation> load(const QString& name) const;
    // Replaces a calculation of the same name. False leaves the reason in lastError().
    bool save(const UserCalculation& calculation);
    bool remove(const QString& name);
    QString lastError() const;

private:
    Connection& system_;
};
