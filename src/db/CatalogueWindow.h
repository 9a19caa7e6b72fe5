#pragma once
// The catalogue window ("Links and Usernames"): shows the session catalogue's tables and
// fields, key fields and links, lets the person edit the links in place, and reads ("Open
// Links") or writes ("Save Links") the links list as a link file, or builds it anew. The lists are
// the session's; talks to the person only through Dialogs.
#include <QString>

class Dialogs;
class SessionDatabase;

class CatalogueWindow {
public:
    static QString caption() { return QStringLiteral("Links and Usernames"); }
    // Geometry keys in the per-user store: "LinksLeft", "LinksTop", ...
    static QString shortName() { return QStringLiteral("Links"); }
    static QString openFilter() {
        return QStringLiteral("Link Files (*.dbl)|*.dbl|All Files (*.*)|*.*");
    }
    static QString saveFilter() {
        return QStringLiteral("Link Files (*.alk)|*.alk|All Files (*.*)|*.*");
    }

    CatalogueWindow(SessionDatabase& session, Dialogs& dialogs);

    // "Open Links": a link file replaces the links list. False when cancelled or unreadable
    // (the list then stays as it was, and the person is told).
    bool openLinks();
    // "Save Links": the links list into a file; the link file read when the database opens is
    // offered. False when cancelled or not written (said so).
    bool saveLinks();
    // "Build Links": the links list anew from the key fields (a pair of tables sharing a key
    // name is linked on it), replacing edits and links read from files.
    void buildLinks();

private:
    SessionDatabase& session_;
    Dialogs& dialogs_;
};
