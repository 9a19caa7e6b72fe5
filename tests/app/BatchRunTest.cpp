// The program itself, run the way `./quv run` runs it without a display.
#include "support/TestPaths.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

void makeDatabase(const QString& path) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    const char* sql = "CREATE TABLE Samples(SampleNo TEXT PRIMARY KEY, Rock TEXT);"
                      "INSERT INTO Samples VALUES('S1','Basalt'),('S2','Granite'),('S3','Basalt');"
                      "CREATE VIEW f_Basalts AS SELECT SampleNo FROM Samples WHERE Rock='Basalt';";
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

struct BatchResult {
    int exitCode;
    QString report;
};

// The macro's lines in a file of the test's own.
QString writeMacro(const QTemporaryDir& dir, const QString& text) {
    const QString path = dir.filePath(QStringLiteral("test.amc"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text.toUtf8());
    return path;
}

BatchResult runBatch(const QTemporaryDir& dir, const QStringList& extra,
                     const QString& macro = QStringLiteral("' nothing to do\n")) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    const QString out = dir.filePath(QStringLiteral("out"));
    p.start(testpaths::binaryDir() + QStringLiteral("/quvdata"),
            QStringList{"--batch", writeMacro(dir, macro), "--out", out} + extra);
    if (!p.waitForFinished(60000))
        return {-1, {}};
    QFile report(out + QStringLiteral("/startup.txt"));
    report.open(QIODevice::ReadOnly);
    return {p.exitCode(), QString::fromUtf8(report.readAll())};
}

TEST(BatchRun, OpensTheNamedDatabaseAndReportsWhatItSetUp) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("rocks.sqlite"));
    makeDatabase(db);
    const BatchResult run = runBatch(dir, {QStringLiteral("D/") + db});
    ASSERT_EQ(run.exitCode, 0) << run.report.toStdString();
    EXPECT_TRUE(run.report.contains(QStringLiteral("Path: ") + db));
    EXPECT_TRUE(run.report.contains(QStringLiteral("Open: yes")));
    EXPECT_TRUE(
        run.report.contains(QStringLiteral("table Samples: 2 fields, 3 rows, keys SampleNo")));
    EXPECT_TRUE(run.report.contains(QStringLiteral("filter Basalts\n")));
    EXPECT_TRUE(run.report.contains(QStringLiteral("ConnectionType: ADO")));
    EXPECT_TRUE(run.report.contains(QStringLiteral("caption QUV Data (") + db + u')'));
    EXPECT_TRUE(run.report.contains(QStringLiteral("open macro ")));
    EXPECT_TRUE(run.report.contains(QStringLiteral("[System database]\n  Trendline\n")));
    EXPECT_TRUE(
        run.report.contains(QStringLiteral("Mapping database ") + db + QStringLiteral(" ...")));
}

TEST(BatchRun, AnUnreadableDatabaseFailsWithTheStartupMessage) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("broken.sqlite"));
    QFile f(db);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a database, just text that is long enough to have a header........");
    f.close();
    const BatchResult run = runBatch(dir, {QStringLiteral("D/") + db});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.report.contains(QStringLiteral("Open: no")));
    EXPECT_TRUE(run.report.contains(QStringLiteral("Error in opening database ") + db));
}

TEST(BatchRun, TheMacroDrawsAndSavesFiguresAndLogsEachLine) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("rocks.sqlite"));
    makeDatabase(db);
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(db.toUtf8().constData(), &handle), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(handle,
                           "CREATE TABLE Chem(SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL);"
                           "INSERT INTO Chem VALUES('S1',49,8),('S2',72,0.5),('S3',48,9);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(handle);
    const BatchResult run =
        runBatch(dir, {},
                 QStringLiteral("OPENDB ") + db +
                     QStringLiteral("\nVIEW XY\n"
                                    "DRAW2 XY;Chem;SiO2;Chem;MgO;;;Samples;Rock;\n"
                                    "SAVEFIGURE by-rock.png 400 300\n"
                                    "SAVEFIGURE by-rock.svg\n"
                                    "DRAW2 XY;Chem;SiO2;Chem;Cu;;;;;\n"
                                    "SAVEFIGURE not-drawn.png\n"));
    EXPECT_EQ(run.exitCode, 1); // the DRAW2 names a field that is not there
    const QString out = dir.filePath(QStringLiteral("out"));
    QImage png(out + QStringLiteral("/by-rock.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(400, 300));
    QFile svg(out + QStringLiteral("/by-rock.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("Basalt")); // the legend names the classes
    QFile log(out + QStringLiteral("/macro.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines[3], QStringLiteral("ok     SAVEFIGURE by-rock.png 400 300"));
    // A failed line carries what the dialogs said, the driver's reason included.
    EXPECT_EQ(lines[5], QStringLiteral("FAILED DRAW2 XY;Chem;SiO2;Chem;Cu;;;;;"));
    EXPECT_EQ(lines[6], QStringLiteral("       Error in drawing (115)"));
    EXPECT_TRUE(lines[7].contains(QStringLiteral("Cu"))) << lines[7].toStdString();
    // The failed draw left no figure: the earlier one is not saved under the new name.
    EXPECT_EQ(lines.mid(lines.size() - 2),
              (QStringList{"FAILED SAVEFIGURE not-drawn.png", "       No figure to save"}));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/not-drawn.png")));
}

TEST(BatchRun, ABookMadeInOneRunDrawsTheSameFiguresInTheNext) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("rocks.sqlite"));
    makeDatabase(db);
    const QString open = QStringLiteral("OPENDB ") + db + QStringLiteral("\nVIEW XY\n");
    const BatchResult made =
        runBatch(dir, {},
                 open + QStringLiteral("DRAW2 XY;Samples;SampleNo;Samples;Rock;;;;;\n"
                                       "SAVEFIGURE first.png\nPBADD\n"
                                       "DRAW2 Bar;Samples;SampleNo;Samples;Rock;;;Samples;Rock;\n"
                                       "SAVEFIGURE second.png\nPBADD\nPBSAVE tour.bok\n"));
    ASSERT_EQ(made.exitCode, 0);
    const QString out = dir.filePath(QStringLiteral("out"));
    for (const char* name : {"first.png", "second.png"})
        ASSERT_TRUE(QFile::rename(out + u'/' + QLatin1String(name),
                                  dir.filePath(QStringLiteral("made-") + QLatin1String(name))));
    const BatchResult replayed =
        runBatch(dir, {},
                 QStringLiteral("OPENDB ") + db + QStringLiteral("\nPBOPEN ") + out +
                     QStringLiteral("/tour.bok\nPBNEXT\nSAVEFIGURE first.png\nPBNEXT\nSAVEFIGURE "
                                    "second.png\n"));
    ASSERT_EQ(replayed.exitCode, 0);
    for (const char* name : {"first.png", "second.png"}) {
        const QImage again(out + u'/' + QLatin1String(name));
        ASSERT_FALSE(again.isNull()) << name;
        EXPECT_EQ(again, QImage(dir.filePath(QStringLiteral("made-") + QLatin1String(name))))
            << name;
    }
}

TEST(BatchRun, ClipDataVerbsFillTheSheetThatDiagramsDrawWithUseClipData) {
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("assays.txt"));
    {
        QFile f(input);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // Rock names that no database holds: the figure can only come from the sheet.
        f.write("SampleNo\tSiO2\tMgO\tRock\nA1\t49\t8\tPicrite\nA2\t72\t0.5\tAplite\n"
                "A3\t48\t9\tPicrite\n");
    }
    const QString saved = dir.filePath(QStringLiteral("out/clip.txt"));
    const BatchResult run =
        runBatch(dir, {},
                 QStringLiteral("SETACTIVEWINDOW clipdata\nOPEN ") + input +
                     QStringLiteral("\nFIRSTISHEADERROW\nCREATEIDCOL\nSAVE clip.txt\n"
                                    "VIEW XY\nUSECLIPDATA 1\n"
                                    "DRAW2 XY;ClipData;SiO2;ClipData;MgO;;;ClipData;Rock;\n"
                                    "SAVEFIGURE clip.svg\n"
                                    "USECLIPDATA 0\n"
                                    "DRAW\n"
                                    "OPEN ") +
                     dir.filePath(QStringLiteral("missing.txt")) +
                     QStringLiteral("\nUSECLIPDATA yes\nSETACTIVEWINDOW KITCHEN\n"));
    EXPECT_EQ(run.exitCode, 1); // the lines after SAVEFIGURE fail on purpose
    const QString out = dir.filePath(QStringLiteral("out"));
    QFile log(out + QStringLiteral("/macro.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.back(), QStringLiteral("       SETACTIVEWINDOW KITCHEN names no window"));
    lines.removeIf([](const QString& l) { return l.startsWith(u' '); }); // what was said
    const QStringList expected{
        "ok     SETACTIVEWINDOW clipdata",
        "ok     OPEN " + input,
        "ok     FIRSTISHEADERROW",
        "ok     CREATEIDCOL",
        "ok     SAVE clip.txt",
        "ok     VIEW XY",
        "ok     USECLIPDATA 1",
        "ok     DRAW2 XY;ClipData;SiO2;ClipData;MgO;;;ClipData;Rock;",
        "ok     SAVEFIGURE clip.svg",
        "ok     USECLIPDATA 0",
        "FAILED DRAW", // back on the database, and none is open
        "FAILED OPEN " + dir.filePath(QStringLiteral("missing.txt")),
        "FAILED USECLIPDATA yes",
        "FAILED SETACTIVEWINDOW KITCHEN",
    };
    EXPECT_EQ(lines, expected);

    QFile sheet(saved);
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    const QStringList rows =
        QString::fromUtf8(sheet.readAll()).split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], QStringLiteral("ID\tSampleNo\tSiO2\tMgO\tRock"));
    EXPECT_EQ(rows[3], QStringLiteral("3\tA3\t48\t9\tPicrite"));

    QFile svg(out + QStringLiteral("/clip.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray picture = svg.readAll();
    EXPECT_TRUE(picture.contains("Picrite"));
    EXPECT_TRUE(picture.contains("Aplite"));
}

TEST(BatchRun, HelpPrintsTheUsageAndEndsWithoutAWindow) {
    for (const char* ask : {"--help", "-h"}) {
        QTemporaryDir dir;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(testpaths::binaryDir() + QStringLiteral("/quvdata"), {QString::fromLatin1(ask)});
        // Without the usage the window would open and wait for a person.
        if (!p.waitForFinished(20000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << ask << " opened the program instead of printing the usage";
            continue;
        }
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << ask;
        EXPECT_EQ(p.exitCode(), 0) << ask;
        const QString usage = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(usage.startsWith(QStringLiteral("Usage: quvdata"))) << ask;
        for (const char* named : {"I/", "D/", "C/", "CSQL/", "XY/", "B/", ".akr", ".amc", ".mdb",
                                  ".bok", "--batch", "--out", "--help"})
            EXPECT_TRUE(usage.contains(QString::fromLatin1(named))) << ask << " " << named;
        // Nothing was set up: no settings folder was made.
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("config")))) << ask;
    }
}

} // namespace
