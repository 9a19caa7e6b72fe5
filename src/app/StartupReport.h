#pragma once
// The text a headless run leaves behind: what start-up set up (settings, folders), the
// database it opened with its catalogue, what it was asked to hand over, and every text shown.
#include "app/StartupRoutine.h"
#include "platform/OpenedConnection.h"

#include <QStringList>

class SessionDatabase;

struct StartupReport {
    const StartupResult& result;
    SessionDatabase& session;
    const OpenedConnection& systemDatabase;
    QStringList requests;
    QStringList statusTexts;
    QStringList dialogTexts;

    QString text() const;
};
