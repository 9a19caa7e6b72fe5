#pragma once
// Where the rows of link content are read: an ORACLE= or ODBC= connection text becomes a
// PostgreSQL conninfo (the server data source of this program), otherwise DATABASENAME= names
// the database as a session database path would. Provider texts are read as "key=value" pairs
// split at ";": Data Source/DSN gives the service, Server/Host the host, Port, Database/Initial
// Catalog the database, User ID/UID the user and Password/PWD the password; a text that already
// is a conninfo or a postgresql:// URI is taken as it stands.
#include "db/ConnectionTarget.h"
#include "link/LinkContent.h"

#include <QString>

class LinkSource {
public:
    // The database to open, as shown to the person: a path or a conninfo; empty when the
    // content names none.
    static QString databaseOf(const LinkContent& content);
    // How it is opened: a server source for ORACLE= and ODBC=, else by the path's form.
    static ConnectionTarget targetOf(const LinkContent& content);
    // A provider or ODBC connection text as a conninfo; libpq quoting for every value.
    static QString conninfoOf(const QString& connectionText);
};
