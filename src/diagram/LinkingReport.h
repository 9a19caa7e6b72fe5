#pragma once
// "Check Linking": how the tables of a definition join, as the window's message shows it.
#include "diagram/DiagramDefinition.h"
#include "platform/Dialogs.h"

class SessionDatabase;

class LinkingReport {
public:
    struct Result {
        bool linked = false;
        MessageKind kind = MessageKind::Information;
        QString text;
    };
    // "Tables are linked as follows" and one line per join (the table itself when there is
    // one), or "No link to join tables " + the two tables joined by " and "; "No data" when
    // nothing is chosen or the rows come from ClipData.
    static Result of(SessionDatabase& session, const DiagramDefinition& d);
};
