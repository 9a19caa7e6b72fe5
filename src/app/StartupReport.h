#pragma once
// The text a headless run leaves behind: what start-up set up (settings, folders), the
// database it opened, what it was asked to hand over, and every text it showed.
#include "app/DatabaseSummary.h"
#include "app/StartupRoutine.h"

#include <QStringList>

struct StartupReport {
    const StartupResult& result;
    const std::optional<DatabaseSummary>& database;
    QStringList requests;
    QStringList statusTexts;
    QStringList dialogTexts;

    QString text() const;
};
