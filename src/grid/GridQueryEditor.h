#pragma once
// "Edit SQL Query..." of a grid that shows a stored query: reads its definition and stores an
// edited one under the same name. The new text is tried as a scratch view first, and the old
// view is replaced within one transaction, so a refused text keeps the stored query.
#include <QString>
#include <optional>

class Connection;
class Dialogs;

class GridQueryEditor {
public:
    GridQueryEditor(Connection& database, Dialogs& dialogs);

    // The query's name from a grid caption ("Query/[Rocks]" gives "Rocks").
    static QString queryName(const QString& caption);
    std::optional<QString> definition(const QString& name) const;
    // False when the text is empty, unchanged or refused (said so).
    bool store(const QString& name, const QString& text);

private:
    Connection& database_;
    Dialogs& dialogs_;
};
