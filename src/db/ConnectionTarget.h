#pragma once
// What a session database path names, decided by the rules of BuildConnectionString: a Jet file,
// a SQLite file, a dBase folder or a server data source. Plain value; made by ConnectionFactory.
#include <QString>

struct ConnectionTarget {
    enum class Kind { Jet, Sqlite, DBase, Server };
    Kind kind = Kind::Server;
    QString dataSource; // file path, dBase folder (with its trailing separator) or data source
    QString user;
    QString password;
};
