// The windowed program started with hand-over arguments, each checked by what it left in the
// running program: a macro given first runs once start-up is over (or while a message box of the
// start-up waits), saves the ClipData page or the current diagram's figure beside itself, and
// ends the program.
#include "diagram/FigureFile.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class StartupHandOver : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path("rocks.sqlite").toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db,
                               "CREATE TABLE Chem(SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL);"
                               "INSERT INTO Chem VALUES('S1',49,8),('S2',72,0.5),('S3',48,9);",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        writeFile(path("assays.txt"), "SampleNo\tSiO2\tRock\nA1\t49\tPicrite\nA2\t72\tAplite\n");
        Figure figure;
        figure.header = QStringLiteral("Saved dunite chart");
        ASSERT_TRUE(FigureFile::save(path("dunite.akr"), figure));
        // A PictureBook of one figure: type, X and Y in columns 2-6, the marker in column 20.
        writeFile(path("tour.ZOL"), "#QUV-WORKBOOK 1\n[sheet]\tFigures\n\tXY\tChem\tSiO2\tChem\t"
                                    "MgO\t\t\t\t\t\t\t\t\t\t\t\t\t\tFig 1\n#END\n");
        // Link content of the sibling program, CR-only lines.
        writeFile(path("pick.qlk"), ("DATABASENAME=" + path("rocks.sqlite") +
                                     "\rTABLENAME=chem\rKEYFIELDS=SampleNo\rKEYDATA=S2")
                                        .toUtf8());
        // Command lines alone: they run at start-up, before the macro.
        writeFile(path("draw.qlk"), ("COMMAND=OPENDB " + path("rocks.sqlite") +
                                     "\r\nCOMMAND=DRAW2 XY;Chem;SiO2;Chem;MgO")
                                        .toUtf8());
        writeFile(path("quv.ini"),
                  ("[General]\nZolPath=" + path("zol") + "\nSystemDatabase=" + systemDatabase() +
                   "\n[Users]\nUserPath1=" + path("users") + "\n")
                      .toUtf8());
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString systemDatabase() const { return path("zol/System/QUVData.sqlite"); }

    struct Run {
        bool finished = false;
        QString errors; // what the program's message boxes said
    };
    // The program with the probe macro and the arguments; it must end by itself.
    Run start(const QStringList& arguments, const QString& probe) {
        writeFile(path("probe.amc"), probe.toUtf8());
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), dir.path()); // a single-instance guard of its own
        p.setProcessEnvironment(env);
        p.start(testpaths::binaryDir() + QStringLiteral("/quvdata"),
                QStringList{"I/" + path("quv.ini"), path("probe.amc")} + arguments);
        Run run;
        run.finished = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit;
        if (!run.finished)
            p.kill();
        run.errors = QString::fromUtf8(p.readAllStandardError());
        return run;
    }

    QTemporaryDir dir;
};

TEST_F(StartupHandOver, EachArgumentReachesItsWindow) {
    const QString saveClip = QStringLiteral("SAVE clip.txt\nEXIT\n");
    const QString saveFigure = QStringLiteral("SAVEFIGURE figure.svg\nEXIT\n");
    struct Case {
        QStringList arguments;
        QString probe;
        QString output;           // written by the probe, beside it
        QStringList outputHolds;  // texts the output must hold
        QStringList messageHolds; // texts the message boxes must have said
    } cases[] = {
        {{"C/" + path("assays.txt")},
         saveClip,
         "clip.txt",
         {"SampleNo\tSiO2\tRock", "A2\t72\tAplite"},
         {}},
        {{path("assays.txt")}, saveClip, "clip.txt", {"A1\t49\tPicrite"}, {}},
        {{path("pick.qlk")},
         saveClip,
         "clip.txt",
         {"SampleNo\tSampleNo\tSiO2\tMgO", "S2\tS2\t72\t0.5"},
         {}},
        {{path("draw.qlk")}, saveFigure, "figure.svg", {"SiO2", "MgO"}, {}},
        // The statement runs on the database named before it.
        {{"D/" + path("rocks.sqlite"), "CSQL/SELECT * FROM Chem"},
         saveClip,
         "clip.txt",
         {"SampleNo\tSiO2\tMgO", "S2\t72\t0.5"},
         {}},
        // Table Chem for X and Y, its second and third fields: SiO2 against MgO, drawn.
        {{"D/" + path("rocks.sqlite"), "XY/0", "0", "1", "2"},
         saveFigure,
         "figure.svg",
         {"SiO2", "MgO"},
         {}},
        {{path("dunite.akr")},
         saveFigure,
         "figure.svg",
         {"Saved dunite chart"},
         {"Data shown in figure is not necessarily related"}},
        {{"B/" + path("tour.bok")},
         QStringLiteral("EXIT\n"),
         {},
         {},
         {"Error in reading file " + path("tour.bok")}},
        // A book named on the command line is opened and its first figure drawn.
        {{"D/" + path("rocks.sqlite"), path("tour.ZOL")},
         saveFigure,
         "figure.svg",
         {"SiO2", "MgO"},
         {}},
    };
    for (const Case& c : cases) {
        const QString label = c.arguments.join(u',');
        QFile::remove(path(c.output));
        const Run run = start(c.arguments, c.probe);
        ASSERT_TRUE(run.finished) << label.toStdString();
        const QString output = c.output.isEmpty() ? QString() : readFile(path(c.output));
        for (const QString& text : c.outputHolds)
            EXPECT_TRUE(output.contains(text))
                << label.toStdString() << " lacks " << text.toStdString() << "\n"
                << output.left(2000).toStdString() << run.errors.toStdString();
        for (const QString& text : c.messageHolds)
            EXPECT_TRUE(run.errors.contains(text))
                << label.toStdString() << " lacks " << text.toStdString() << "\n"
                << run.errors.toStdString();
    }
    // The system database was made on the first start.
    EXPECT_TRUE(QFile::exists(systemDatabase()));
}

} // namespace
