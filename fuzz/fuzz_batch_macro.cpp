// Any text as a batch macro, run line by line against a small session database the way
// `quvdata --batch` runs it: DRAW2 and the diagram verbs, the ClipData verbs, SAVEFIGURE. The
// lines that name files are kept inside the fuzzer's folder (OPENDB always opens the fixture's
// copy; OPEN and SAVE keep only a plain file name), figures are checked instead of written.
// Nothing crashes, and every line that is not a comment gets its log entry.
#include "FuzzInput.h"
#include "automation/BatchMacro.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {

const char* fixtureSql =
    "CREATE TABLE Samples(SampleNo TEXT PRIMARY KEY, Rock TEXT, Depth REAL);"
    "INSERT INTO Samples VALUES('S1','Basalt',1.5),('S2','Granite',2),('S3','Basalt',NULL),"
    "('007','Gneiss',-4);"
    "CREATE TABLE Chem(SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL, Au REAL);"
    "INSERT INTO Chem VALUES('S1',49,8,0.01),('S2',72,0.5,0),('S3',48,9,NULL),"
    "('007',1e300,-1,1e-300);"
    "CREATE VIEW f_Basalts AS SELECT SampleNo FROM Samples WHERE Rock='Basalt';";

QString fixtureDatabase() {
    static const QString path = [] {
        const QString p = fuzz::Sandbox::instance().root() + QStringLiteral("/fixture.sqlite");
        sqlite3* db = nullptr;
        fuzz::check(sqlite3_open(p.toUtf8().constData(), &db) == SQLITE_OK &&
                        sqlite3_exec(db, fixtureSql, nullptr, nullptr, nullptr) == SQLITE_OK,
                    "cannot make the fixture database");
        sqlite3_close(db);
        return p;
    }();
    return path;
}

// A plain file name inside the work folder for what a line names.
QString sandboxed(const fuzz::WorkFiles& files, const QString& argument) {
    QString name = argument.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1);
    name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")));
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return files.path(name.isEmpty() ? QStringLiteral("x") : name.left(40));
}

QString sandboxedMacro(const fuzz::WorkFiles& files, const QString& database, const QString& text) {
    QStringList lines;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        const QString verb = line.section(u' ', 0, 0).toUpper();
        if (verb == QLatin1String("OPENDB"))
            lines << QStringLiteral("OPENDB ") + database;
        else if (verb == QLatin1String("OPEN") || verb == QLatin1String("SAVE"))
            lines << verb + u' ' + sandboxed(files, line.section(u' ', 1).trimmed());
        else
            lines << raw;
    }
    return lines.join(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString database = files.path(QStringLiteral("session.sqlite"));
    QFile::copy(fixtureDatabase(), database);
    // Files a macro may open by these names.
    files.write(QStringLiteral("rocks.csv"), "SampleNo,SiO2,Rock\r\nS1,49,Basalt\r\n007,72,\r\n");
    files.write(QStringLiteral("rocks.txt"), "SampleNo\tSiO2\nS1\t49\nS2\tNA\n");

    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status, [](const QString& p) { return SqliteConnection::open(p); },
        [&files](const QString&) { return files.path(QStringLiteral("session.map")); });
    BatchMacro batch(session, dialogs, status, files.folder(), files.path(QStringLiteral("out")),
                     files.path(QStringLiteral("lastfiles.ini")),
                     [](const Figure& figure, const QString&, QSize size) {
                         fuzz::check(size.isValid(), "a figure saved at an invalid size");
                         return figure.pointCount() >= 0;
                     });
    const QString macro = sandboxedMacro(files, database, fuzz::text(data, size));
    batch.run(QStringLiteral("OPENDB ") + database + u'\n' + macro);
    qsizetype lines = 1;
    for (const QString& line : macro.split(u'\n'))
        if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(u'\''))
            ++lines;
    fuzz::check(batch.log().size() == lines, "a macro line has no log entry");
    return 0;
}
