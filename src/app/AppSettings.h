#pragma once
// Every value that start-up reads from the initialization files, with its default applied.
// Filled once by SettingsReader; read by every window afterwards.
#include "app/AppPaths.h"
#include "db/SystemTables.h"

#include <QString>

struct ResultsDatabase {
    QString database, user, password, table, counterField, tableField, tableIdField;
    bool isForced = false;
};

struct DetectionLimitSettings {
    int inDataOption = 1;
    QString bldString = QStringLiteral("<");
    int inProcessOption = 2;
    float bdlMultiplier = 0.5f;
    float dlValue = 0.1f;
};

struct AppSettings {
    AppPaths paths;
    QString iniFile;     // the main initialization file
    QString userIniFile; // empty when none
    QString userName;
    QString loginName;
    QString ownerLine; // "Owner:" + owner + "; Run by:" + login name
    QString updatePath;

    QString systemDatabase;
    QString startSessionDatabase; // read only when the command line named no database
    QString helpPath;
    QString defPath;

    QString ddeServer, ddeTopic, ddeItem;
    int linkType = 0;

    SystemTables systemTables;
    ResultsDatabase groupResults;
    ResultsDatabase calcResults;

    QString helpBrowser;
    QString pictureBookPath;
    QString userPictureBookPath;
    QString calcOptionsFile;
    QString thesaurus;
    DetectionLimitSettings detectionLimit;
    QString dataImportLogFile, dataImportLogTable;
    QString mineralLibraryDb, mineralLibraryTable;
    int saveGraphs = 0;
    QString quvGeo;

    QString recentFilesFile() const {
        return paths.userFolder + QStringLiteral("/ini/lastfiles.ini");
    }
};
