#pragma once
// "Save As Filter..." and "Save As Query...": the grid statement stored as a view of the
// session database. An existing view is replaced only after asking, in one transaction, so a
// statement the database refuses never costs the old view.
#include <QString>

class Dialogs;
class SessionDatabase;

class GridViewSaver {
public:
    GridViewSaver(SessionDatabase& session, Dialogs& dialogs);

    // The stored name, or empty when cancelled or refused. createdStatement receives the
    // CREATE VIEW text the grid then shows.
    QString saveAsFilter(const QString& statement, const QString& gridName, qsizetype records,
                         QString* createdStatement = nullptr);
    QString saveAsQuery(const QString& statement, const QString& gridName, qsizetype records,
                        QString* createdStatement = nullptr);

    // Names that cannot be written safely in every engine's view text.
    static bool acceptableName(const QString& name);

private:
    QString save(const QString& statement, const QString& gridName, qsizetype records, bool filter,
                 QString* createdStatement);
    bool viewExists(const QString& name) const;

    SessionDatabase& session_;
    Dialogs& dialogs_;
};
