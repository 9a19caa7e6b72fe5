#include "app/SettingsReader.h"

#include "platform/FilePaths.h"

#include <pwd.h>
#include <unistd.h>

namespace {

int wholeNumber(const QString& text, int fallback) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

float singleNumber(const QString& text, float fallback) {
    bool ok = false;
    const float v = text.trimmed().toFloat(&ok);
    return ok ? v : fallback;
}

} // namespace

SettingsReader::SettingsReader(const Profile& profile, StatusSink status)
    : profile_(profile)
    , status_(std::move(status)) {}

QString SettingsReader::systemLoginName() {
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString SettingsReader::main(const AppSettings& s, const QString& section,
                             const QString& key) const {
    return profile_.readIni(s.iniFile, section, key);
}

QString SettingsReader::setting(const AppSettings& s, const QString& section, const QString& key,
                                const QString& defaultValue) const {
    return profile_.readSetting(s.userIniFile, s.iniFile, section, key, defaultValue);
}

QString SettingsReader::resolvedSetting(const AppSettings& s, const QString& section,
                                        const QString& key, const QString& defaultValue) const {
    return s.paths.resolve(setting(s, section, key), defaultValue);
}

ResultsDatabase SettingsReader::results(const AppSettings& s, const QString& prefix,
                                        bool resolveDatabase) const {
    const QString section = QStringLiteral("UserResults");
    auto key = [&](const char* name) { return setting(s, section, prefix + QLatin1String(name)); };
    ResultsDatabase r;
    r.database = key("Database");
    if (resolveDatabase)
        r.database = s.paths.resolve(r.database);
    r.user = key("User");
    r.password = key("PW");
    r.table = key("Table");
    r.counterField = key("CounterFld");
    r.tableField = key("TableFld");
    r.tableIdField = key("TableIDFld");
    r.isForced = key("IsForced") == QStringLiteral("True");
    return r;
}

void SettingsReader::readUserFolder(AppSettings& s) const {
    const QString users = QStringLiteral("Users");
    QString p1 = s.paths.resolve(main(s, users, QStringLiteral("UserPath1")), s.paths.zolPath);
    QString p2 = s.paths.resolve(main(s, users, QStringLiteral("UserPath2")));
    const int n = wholeNumber(main(s, users, QStringLiteral("UserNamePosition")), 0);

    if (!p1.isEmpty() && !p2.isEmpty()) {
        if (!FilePaths::endsWithSeparator(p1) && !FilePaths::startsWithSeparator(p2))
            p1 += u'/';
    } else if (!p1.isEmpty() && n != 0) {
        if (!FilePaths::endsWithSeparator(p1))
            p1 += u'/';
    } else if (!p2.isEmpty() && n == 2) {
        if (!FilePaths::endsWithSeparator(p2))
            p2 += u'/';
    }
    const QString folder = n == 1 ? p1 + s.userName + p2 : n == 2 ? p1 + p2 + s.userName : p1 + p2;
    s.paths.userFolder = FilePaths::normalized(folder);
}

void SettingsReader::ensureUserFolders(const AppSettings& s) const {
    const QString& u = s.paths.userFolder;
    FilePaths::ensureFolder(u, true);
    const bool exists = FilePaths::ensureFolder(u, false);
    for (const char* sub : {"/ini", "/Books", "/Styles", "/Data"})
        FilePaths::ensureFolder(u + QLatin1String(sub), exists);
}

void SettingsReader::read(AppSettings& s, bool readUserName, bool readStartSessionDatabase) const {
    const QString general = QStringLiteral("General");
    if (readUserName) {
        s.userName = s.loginName;
        if (s.userName.isEmpty())
            s.userName = profile_.readIni(QStringLiteral("Win.ini"), QStringLiteral("MS User Info"),
                                          QStringLiteral("DefName"));
        if (s.userName.isEmpty())
            s.userName = QStringLiteral("ZolUser");
        const QString alias = main(s, QStringLiteral("UserAlias"), s.userName);
        if (!alias.isEmpty())
            s.userName = alias;
    }

    QString zol = main(s, general, QStringLiteral("ZolPath"));
    if (zol.isEmpty())
        zol = s.paths.appPath + QStringLiteral("/QUVData");
    s.paths.zolPath = s.paths.resolve(zol, s.paths.appPath);

    readUserFolder(s);
    s.ownerLine = QStringLiteral("Owner:") + main(s, general, QStringLiteral("Owner")) +
                  QStringLiteral("; Run by:") + s.loginName;
    s.updatePath = s.paths.resolve(main(s, general, QStringLiteral("UpdatePath")));

    status_(QStringLiteral("Checking folders..."));
    ensureUserFolders(s);

    s.userIniFile =
        s.paths.resolve(main(s, QStringLiteral("Users"), QStringLiteral("UserIniFile")));
    status_(QStringLiteral("Reading initials (2)..."));

    s.systemDatabase = resolvedSetting(s, general, QStringLiteral("SystemDatabase"),
                                       s.paths.zolPath + QStringLiteral("/System/QUVData.sqlite"));
    if (readStartSessionDatabase)
        s.startSessionDatabase =
            resolvedSetting(s, general, QStringLiteral("StartSessionDatabase"));
    s.helpPath = resolvedSetting(s, general, QStringLiteral("HelpPath"),
                                 s.paths.zolPath + QStringLiteral("/Help"));
    s.defPath = resolvedSetting(s, general, QStringLiteral("DefPath"),
                                s.paths.zolPath + QStringLiteral("/ini"));

    const QString dde = QStringLiteral("DDE-Link");
    s.ddeServer = setting(s, dde, QStringLiteral("DDE-Server"));
    s.ddeTopic = setting(s, dde, QStringLiteral("DDE-Topic"));
    s.ddeItem = setting(s, dde, QStringLiteral("DDE-Item"));
    s.linkType = wholeNumber(setting(s, dde, QStringLiteral("LinkType")), 0);

    const QString tables = QStringLiteral("SystemTables");
    SystemTables& t = s.systemTables;
    t = SystemTables{}; // the defaults are the keys themselves
    for (QString* name : {&t.trendline, &t.polygonNodes, &t.pointHeader, &t.points, &t.collection,
                          &t.collectionItems, &t.spiderMain, &t.spiderNorm})
        *name = setting(s, tables, *name, *name);
    // The polygon table is shared by everyone: a user file cannot rename it.
    const QString polygon = main(s, tables, t.polygon);
    if (!polygon.isEmpty())
        t.polygon = polygon;

    s.groupResults = results(s, QStringLiteral("Group"), true);
    s.calcResults = results(s, QStringLiteral("Calc"), false);

    s.helpBrowser = setting(s, QStringLiteral("ZolHelp"), QStringLiteral("HelpBrowser"));
    const QString files = QStringLiteral("Files");
    s.pictureBookPath = resolvedSetting(s, files, QStringLiteral("PictureBookPath"),
                                        s.paths.zolPath + QStringLiteral("/Books"));
    s.userPictureBookPath = resolvedSetting(s, files, QStringLiteral("UserPictureBookPath"),
                                            s.paths.userFolder + QStringLiteral("/Books"));
    s.calcOptionsFile =
        resolvedSetting(s, QStringLiteral("ZolRock"), QStringLiteral("CalcOptionsFile"));
    s.thesaurus = resolvedSetting(s, QStringLiteral("ZolRock"), QStringLiteral("Thesaurus"));

    const QString dl = QStringLiteral("DetectionLimit");
    DetectionLimitSettings& d = s.detectionLimit;
    d.inDataOption =
        wholeNumber(setting(s, dl, QStringLiteral("InDataOption"), QStringLiteral("1")), 1);
    d.bldString = setting(s, dl, QStringLiteral("BLDString"), QStringLiteral("<"));
    d.inProcessOption =
        wholeNumber(setting(s, dl, QStringLiteral("InProcessOption"), QStringLiteral("2")), 2);
    d.bdlMultiplier = singleNumber(setting(s, dl, QStringLiteral("BDLMultiplier")), 0.5f);
    d.dlValue = singleNumber(setting(s, dl, QStringLiteral("DLValue")), 0.1f);

    const QString view = QStringLiteral("ZolView");
    s.dataImportLogFile = setting(s, view, QStringLiteral("DataImportLogFile"));
    s.dataImportLogTable = setting(s, view, QStringLiteral("DataImportLogTable"));
    s.mineralLibraryDb = setting(s, general, QStringLiteral("MineralLibraryDB"));
    s.mineralLibraryTable = setting(s, general, QStringLiteral("MineralLibraryTable"));

    const QString graphs = setting(s, QStringLiteral("QUV Data"), QStringLiteral("SaveGraphs"));
    s.saveGraphs = graphs == QStringLiteral("1") ? 1 : graphs == QStringLiteral("2") ? 2 : 0;
    s.quvGeo = resolvedSetting(s, QStringLiteral("Databases"), QStringLiteral("QuvGeo"),
                               s.paths.appPath + QStringLiteral("/Geo/System/QUVGeo.mdb"));
}
