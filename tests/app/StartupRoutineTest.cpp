#include "app/StartupRoutine.h"
#include "app/Profile.h"
#include "app/RecentFiles.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Records every hand-over as one line of text; reads succeed unless the path holds "missing".
class RecordingHost : public StartupHost {
public:
    QStringList calls;

    bool readClipDataFile(const QString& path) override {
        return log("readClipData " + path, path);
    }
    bool loadClipDataFromSql(const QString& sql, const QString& db, const QString& c1,
                             const QString& c2) override {
        return log("clipDataSql " + sql + " @" + db + " " + c1 + "/" + c2, sql);
    }
    void showClipDataWindow() override { calls << "showClipData"; }
    void showDiagramWindow(bool maximised) override {
        calls << (maximised ? "showDiagram maximised" : "showDiagram");
    }
    void setDiagramSelectors(const std::vector<int>& v) override {
        QStringList s;
        for (int x : v)
            s << QString::number(x);
        calls << "selectors " + s.join(',');
    }
    void setDiagramUsesClipData() override { calls << "useClipData"; }
    bool loadChartFile(const QString& path) override { return log("loadChart " + path, path); }
    void pressDiagramDraw() override { calls << "drawDiagram"; }
    bool ReadPictureBook(const QString& path) override { return log("readBook " + path, path); }
    void showPictureBookPanel() override { calls << "showBookPanel"; }
    void setCurrentPictureBook(const QString& path) override { calls << "currentBook " + path; }
    void pressPictureBookDraw() override { calls << "drawBook"; }
    void AvaaMacro(const QString& path) override { calls << "macro " + path; }
    void showMainWindow() override { calls << "showMain"; }
    void setMainCaption(const QString& caption) override { calls << "caption " + caption; }
    void HaeClipAvaaPB(const QString& sql, const QString& book, const QString& title) override {
        calls << "mail " + sql + " | " + book + " | " + title;
    }
    void AJADDE() override { calls << "siblingLink"; }
    void processLinkFile(const QString& path) override { calls << "linkFile " + path; }
    void closeSplash() override { calls << "closeSplash"; }

private:
    bool log(const QString& call, const QString& path) {
        calls << call;
        return !path.contains(QStringLiteral("missing"));
    }
};

class FakeInstances : public InstanceCheck {
public:
    bool running = false;
    int activations = 0;
    int claims = 0;
    bool otherInstanceRunning() override { return running; }
    void activateOtherInstance() override { ++activations; }
    void claim() override { ++claims; }
};

class StartupTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingHost host;
    FakeInstances instances;
    Profile profile{dir.filePath(QStringLiteral("profile.ini")),
                    [](const QString&) { return QString(); }};
    QStringList splash;
    QStringList opened;
    bool openSucceeds = true;

    QString app() const { return dir.filePath(QStringLiteral("app")); }

    void writeMainIni(const QString& text) {
        QDir().mkpath(app() + QStringLiteral("/ini"));
        QFile f(app() + QStringLiteral("/ini/QuvData.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

    StartupResult run(const QString& commandLine) {
        StartupRoutine routine({dialogs, host, profile,
                                [this](const QString& p, const AppSettings&) {
                                    opened << p;
                                    return openSucceeds;
                                },
                                [this](const QString& t) { splash << t; }, &instances});
        StartupResult result = routine.run(app(), QStringLiteral("anna"), commandLine);
        routine.handOver(result);
        return result;
    }
};

TEST_F(StartupTest, EmptyCommandLineOpensTheStartDatabase) {
    writeMainIni(QStringLiteral("[General]\nStartSessionDatabase=@\\s.sqlite\n"));
    const StartupResult r = run(QString());
    const QString db = app() + QStringLiteral("/s.sqlite");
    EXPECT_EQ(opened, QStringList{db});
    EXPECT_TRUE(r.databaseOpen);
    EXPECT_EQ(splash.filter(QStringLiteral("Applying")), QStringList());
    EXPECT_EQ(splash.front(), QStringLiteral("Reading command line.."));
    EXPECT_TRUE(splash.contains(QStringLiteral("Reading initialization file (") + app() +
                                QStringLiteral("/ini/QuvData.ini) ....")));
    EXPECT_TRUE(splash.contains(QStringLiteral("Mapping database ") + db + QStringLiteral(" ...")));
    EXPECT_EQ(host.calls,
              (QStringList{"caption QUV Data (" + db + ")", "showMain", "closeSplash"}));
    EXPECT_EQ(RecentFiles(r.settings.recentFilesFile()).entries(QStringLiteral("Session")).front(),
              db);
}

TEST_F(StartupTest, CommandLineDatabaseSuppressesTheStartDatabaseAndTheLastOneWins) {
    writeMainIni(QStringLiteral("[General]\nStartSessionDatabase=/start.sqlite\n"));
    struct Case {
        const char* line;
        const char* expected;
    } cases[] = {
        {"D/ /d/first.mdb", "/d/first.mdb"},
        {"D/ /d/first.mdb,/d/second.MDB", "/d/second.MDB"},
        {"/d/second.mdb,D/\\d\\third.mdb", "/d/third.mdb"},
        {"/d/rocks.sqlite", "/d/rocks.sqlite"},
        {"/d/rocks.db3", "/d/rocks.db3"},
    };
    for (const Case& c : cases) {
        opened.clear();
        const StartupResult r = run(QString::fromUtf8(c.line));
        EXPECT_EQ(opened, QStringList{QString::fromUtf8(c.expected)}) << c.line;
        EXPECT_TRUE(r.settings.startSessionDatabase.isEmpty());
    }
    // A relative name is kept in the recent files as the whole path it had when started.
    for (const char* line : {"samples/rocks.sqlite", "D/samples\\rocks.sqlite"}) {
        opened.clear();
        const StartupResult r = run(QString::fromUtf8(line));
        const QString whole =
            QDir::current().absoluteFilePath(QStringLiteral("samples/rocks.sqlite"));
        EXPECT_EQ(opened, QStringList{whole}) << line;
        EXPECT_EQ(
            RecentFiles(r.settings.recentFilesFile()).entries(QStringLiteral("Session")).value(0),
            whole)
            << line;
    }
}

TEST_F(StartupTest, IniSwitchKeepsItsBlank) {
    const StartupResult r = run(QStringLiteral("I/ /etc/quv.ini"));
    EXPECT_EQ(r.settings.iniFile, QStringLiteral(" /etc/quv.ini"));
    EXPECT_TRUE(splash.contains(QStringLiteral("Applying command line (I/ /etc/quv.ini)")));
    EXPECT_EQ(run(QStringLiteral("/etc/other.INI")).settings.iniFile,
              QStringLiteral("/etc/other.INI"));
}

TEST_F(StartupTest, FailedOpenShowsOneMessageAndLeavesRecentFilesAlone) {
    openSucceeds = false;
    const StartupResult r = run(QStringLiteral("D//d/broken.mdb"));
    EXPECT_FALSE(r.databaseOpen);
    ASSERT_EQ(dialogs.log().size(), 1u);
    EXPECT_EQ(dialogs.log()[0].text, QStringLiteral("Error in opening database /d/broken.mdb"));
    EXPECT_EQ(dialogs.log()[0].kind, MessageKind::Critical);
    EXPECT_EQ(host.calls, (QStringList{"showMain", "closeSplash"}));
    EXPECT_FALSE(QFile::exists(r.settings.recentFilesFile()));
}

TEST_F(StartupTest, ArgumentsHandOverInOrder) {
    struct Case {
        const char* line;
        QStringList calls; // after "showMain" and "closeSplash", before any end actions
        QStringList atEnd;
    } cases[] = {
        {"C//d/sheet.txt", {"readClipData /d/sheet.txt", "showClipData"}, {}},
        {"CSQL/SELECT 1", {"clipDataSql SELECT 1 @ GEO/GEO", "showClipData", "useClipData"}, {}},
        {"B//d/book.bok", {"readBook /d/book.bok", "showBookPanel"}, {}},
        {"B//d/missing.bok", {"readBook /d/missing.bok"}, {}},
        {"/d/book.BOK",
         {"readBook /d/book.BOK", "showBookPanel", "currentBook /d/book.BOK", "drawBook"},
         {}},
        {"/d/missing.zol",
         {"readBook /d/missing.zol", "currentBook /d/missing.zol", "drawBook"},
         {}},
        {"/d/data.xls", {"readClipData /d/data.xls", "showClipData"}, {}},
        {"/d/chart.akr", {"loadChart /d/chart.akr", "showDiagram maximised"}, {}},
        {"/d/demo.amc", {"macro /d/demo.amc", "showMain"}, {}},
        {"XY/1,2,3", {"showDiagram"}, {}},
        {"XY/1,2,3,4,5", {"showDiagram", "selectors 1,2,3,4"}, {"drawDiagram", "showDiagram"}},
        {"XY/1,2,3,4,5,6",
         {"showDiagram", "selectors 1,2,3,4,5,6"},
         {"drawDiagram", "showDiagram"}},
        {"XY/1,2,3,4,", {"showDiagram", "selectors 1,2,3,4"}, {"drawDiagram", "showDiagram"}},
        {"XY/1,x,3,4", {"showDiagram"}, {}},
        {"DDE", {}, {"siblingLink"}},
        {"odd,.x,C/", {"readClipData ", "showClipData"}, {}},
        {"/d/unknown.csv,abc", {}, {}},
    };
    for (const Case& c : cases) {
        host.calls.clear();
        run(QString::fromUtf8(c.line));
        const QStringList expected = QStringList{"showMain", "closeSplash"} + c.calls + c.atEnd;
        EXPECT_EQ(host.calls, expected) << c.line;
    }
    // A statement runs on the database named before it, though it is handed over later.
    host.calls.clear();
    run(QStringLiteral("D//d/first.mdb,CSQL/SELECT 2,D//d/second.mdb"));
    EXPECT_TRUE(host.calls.contains(QStringLiteral("clipDataSql SELECT 2 @/d/first.mdb GEO/GEO")))
        << host.calls.join('\n').toStdString();
}

TEST_F(StartupTest, SiblingTokenAnywhereSuppressesEveryOtherArgument) {
    const StartupResult r = run(QStringLiteral("D//data/ODDEVEN/a.mdb,/d/demo.amc"));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(r.sessionDatabasePath.isEmpty());
    EXPECT_TRUE(splash.contains(QStringLiteral("Started from Vimbo32....")));
    EXPECT_EQ(host.calls, (QStringList{"showMain", "closeSplash", "siblingLink"}));
}

TEST_F(StartupTest, MailHandOver) {
    const QString line = QStringLiteral(
        " \"NotesMineralDatabase\" ,/d/mail.mdb,/d/book.bok,SELECT [A].[B] FROM [A], [C]");
    const StartupResult r = run(line);
    EXPECT_TRUE(splash.contains(QStringLiteral("Started from Notes....")));
    EXPECT_EQ(opened, QStringList{"/d/mail.mdb"});
    EXPECT_EQ(host.calls.last(),
              QStringLiteral("mail SELECT [A].[B] FROM [A], [C] | /d/book.bok | Chemistry"));

    // Without SELECT there is nothing to fetch; the third pass is still skipped.
    host.calls.clear();
    run(QStringLiteral("NOTESMINERALDATABASE,/d/x.txt"));
    EXPECT_EQ(host.calls.filter(QStringLiteral("mail")), QStringList());
    EXPECT_EQ(host.calls.filter(QStringLiteral("readClipData")), QStringList());
}

TEST_F(StartupTest, SecondInstanceAsks) {
    instances.running = true;
    struct Case {
        std::optional<Answer> answer;
        bool keepsRunning;
    } cases[] = {{Answer::Yes, true}, {Answer::No, false}, {Answer::Cancel, false}, {{}, false}};
    for (const Case& c : cases) {
        dialogs.clearLog();
        host.calls.clear();
        instances.activations = 0;
        instances.claims = 0;
        if (c.answer)
            dialogs.queueAnswer(*c.answer);
        const StartupResult r = run(QString());
        EXPECT_EQ(r.keepRunning, c.keepsRunning);
        EXPECT_EQ(dialogs.texts(), QStringList{StartupRoutine::alreadyRunningQuestion()});
        EXPECT_EQ(instances.activations, c.keepsRunning ? 0 : 1);
        EXPECT_EQ(instances.claims, c.keepsRunning ? 1 : 0);
        EXPECT_EQ(host.calls.isEmpty(), !c.keepsRunning);
    }
}

} // namespace
