#pragma once
// Links tables and stored queries of another SQLite database into the open session database
// (the "Link Table" page of the "Open Database" dialog): the other file is attached to the
// session's connection and each linked name becomes a temporary view over it, so the grids,
// diagrams and queries read it as a table of the open database. Links last as long as the
// connection: opening a database (the same one too) starts without them. No map file is saved
// while links exist (SchemaMapper), so no later open offers a link that is gone. Names are quoted
// and the file name bound, never written into the statements as they came.
#include <QString>
#include <QStringList>
#include <functional>

class Dialogs;
class SessionDatabase;

class TableLinker {
public:
    TableLinker(SessionDatabase& session, Dialogs& dialogs);

    static QString notAvailable() {
        return QStringLiteral("Tables can be linked into an open SQLite database only");
    }

    // The tables and stored queries a database offers for linking.
    struct Source {
        QStringList tables;
        QStringList queries;
        QString error; // why the database could not be read
    };
    static Source read(const QString& path);

    // Links each name of the source database; says why for each one that cannot be linked.
    // The number linked.
    int link(const QString& sourcePath, const QStringList& names);

    // Told after names were linked and the catalogue read again: the windows refresh their lists.
    std::function<void()> linked;

private:
    // The schema name the source is attached under; empty after saying why it cannot be.
    QString attach(const QString& sourcePath);

    SessionDatabase& session_;
    Dialogs& dialogs_;
};
