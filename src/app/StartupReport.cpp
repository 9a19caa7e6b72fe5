#include "app/StartupReport.h"

#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/JetSqlQuoting.h"

#include <QDir>

namespace {
QString line(const char* name, const QString& value) {
    return QLatin1String(name) + QStringLiteral(": ") + value + u'\n';
}
QString folderLine(const QString& path) {
    return QStringLiteral("  ") + path +
           (QDir(path).exists() ? QString() : QStringLiteral(" (missing)")) + u'\n';
}
} // namespace

QString StartupReport::text() const {
    const AppSettings& s = result.settings;
    QString out = QStringLiteral("QUV Data start-up\n\n[Settings]\n");
    out += line("AppPath", s.paths.appPath);
    out += line("IniFile", s.iniFile);
    out += line("UserIniFile", s.userIniFile);
    out += line("ZolPath", s.paths.zolPath);
    out += line("UserName", s.userName);
    out += line("UserFolder", s.paths.userFolder);
    out += line("Owner", s.ownerLine);
    out += line("SystemDatabase", ConnectionTextRedactor::redact(s.systemDatabase));
    out += line("HelpPath", s.helpPath);
    out += line("DefPath", s.defPath);
    out += line("PictureBookPath", s.pictureBookPath);
    out += line("UserPictureBookPath", s.userPictureBookPath);
    out += line("BLDString", s.detectionLimit.bldString);
    out += line("BDLMultiplier", QString::number(s.detectionLimit.bdlMultiplier));

    out += QStringLiteral("\n[System database]\n");
    if (!systemDatabase.ok())
        out += line("Error", systemDatabase.error);
    else if (const auto tables = systemDatabase.connection->tables())
        for (const TableDescription& t : *tables)
            out += QStringLiteral("  ") + t.name + u'\n';

    out += QStringLiteral("\n[Folders]\n");
    out += folderLine(s.paths.userFolder);
    for (const char* sub : {"/ini", "/Books", "/Styles", "/Data"})
        out += folderLine(s.paths.userFolder + QLatin1String(sub));

    out += QStringLiteral("\n[Session database]\n");
    out += line("Path", ConnectionTextRedactor::redact(result.sessionDatabasePath));
    out += line("Open", result.databaseOpen ? QStringLiteral("yes") : QStringLiteral("no"));
    out += line("ConnectionType", session.ConnectionType);
    if (Connection* db = session.connection()) {
        const SchemaCatalogue& c = session.catalogue();
        for (const QString& table : c.tableNames()) {
            const auto count =
                db->query(QStringLiteral("SELECT Count(*) FROM ") + JetSqlQuoting::name(table));
            const QString rows =
                count && count->rowCount() ? count->at(0, 0).toText() : QStringLiteral("?");
            out += QStringLiteral("  table %1: %2 fields, %3 rows, keys %4\n")
                       .arg(table)
                       .arg(c.fieldNames(table).size())
                       .arg(rows, c.keyFields(table).join(u','));
        }
        for (const QString& filter : c.filters)
            out += QStringLiteral("  filter ") + filter + u'\n';
        out += QStringLiteral("  links: %1 rows\n").arg(c.links.lastRow());
    }

    auto list = [&](const char* title, const QStringList& items) {
        out += QStringLiteral("\n[") + QLatin1String(title) + QStringLiteral("]\n");
        for (const QString& i : items)
            out += QStringLiteral("  ") + i + u'\n';
    };
    list("Hand-overs", requests);
    list("Status", statusTexts);
    list("Messages", dialogTexts);
    return out;
}
