#pragma once
// The filter views of the session database: creating, replacing, renaming and dropping them,
// their definitions and record counts. Every change runs in one transaction and counts the
// new view's rows before committing, so a SELECT that does not run (which SQLite accepts as a
// view) never replaces a working filter: on failure the old view is untouched and lastError()
// says why. Definitions are the Jet text the view was created with, on every engine. Holds the
// caller's connection, which must outlive it.
#include "query/QueryDefinitionSource.h"

#include <QString>
#include <functional>
#include <optional>

class Connection;

class FilterViews : public QueryDefinitionSource {
public:
    explicit FilterViews(Connection& connection)
        : db_(connection) {}

    static QString createStatement(const QString& view, const QString& select);

    // New view; its record count, nullopt on failure (an existing name, a bad SELECT).
    std::optional<qint64> create(const QString& view, const QString& select);
    // The view's definition replaced (or made when there is none yet).
    std::optional<qint64> replace(const QString& view, const QString& select);
    // The definition moved to a new name; false keeps the old view.
    bool rename(const QString& oldView, const QString& newView);
    bool drop(const QString& view);

    bool exists(const QString& view) const;
    std::optional<qint64> count(const QString& view) const;
    std::optional<QString> queryDefinition(const QString& view) const override;

    const QString& lastError() const { return error_; }

private:
    // Runs make() in a transaction and counts the view before committing.
    std::optional<qint64> inTransaction(const QString& view, const std::function<bool()>& make);
    bool run(const QString& statement);

    Connection& db_;
    mutable QString error_;
};
