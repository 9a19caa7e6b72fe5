// The running frame linked with a sibling program in a process of its own (quv_link_client,
// written from the documented message format): content sent over the socket fills ClipData,
// and "Launch Linked" in ClipData sends the picked row back. A link file dropped in the watched
// folder is taken the same way.
#include "app/MainWindow.h"
#include "app/SampleBrowser.h"
#include "app/WindowGeometry.h"
#include "app/ui/MainFrame.h"
#include "clipdata/ClipDataWindow.h"
#include "clipdata/ui/ClipDataView.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "diagram/ui/DiagramView.h"
#include "link/LinkEngine.h"
#include "link/ui/LinkController.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserSettingsStore.h"
#include "platform/qt/QtStatus.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QTableView>
#include <QThread>

namespace {

class LinkSocketTest : public LinkEngine {
protected:
    void SetUp() override {
        LinkEngine::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        frame.bind({window,
                    browser,
                    session,
                    dialogs,
                    {dir.path(), dir.path()},
                    dir.filePath(QStringLiteral("system/QUVData.sqlite")),
                    {},
                    {},
                    {},
                    {path("sibling.sock"), path("quv.sock"), path("drop"), LinkSettings::Socket},
                    {}});
        frame.show();
    }
    void TearDown() override {
        frame.deleteChildWindows();
        LinkEngine::TearDown();
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    static QString client() { return testpaths::binaryDir() + QStringLiteral("/quv_link_client"); }
    // Lets the frame take what arrives until ClipData has rows, or a while has passed.
    bool waitForClipData() {
        const Sheet& page = frame.clipData()->sheet().activePage();
        QDeadlineTimer deadline(30000);
        while (page.lastRow() == 0 && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return page.lastRow() > 0;
    }
    QString clipDataTsv() const { return frame.clipData()->sheet().activePage().toTsv(); }

    UserSettingsStore store{dir.filePath(QStringLiteral("config"))};
    WindowGeometry geometry{store};
    ScriptedDialogs dialogs;
    MainFrame frame{geometry};
    SessionDatabase session{dialogs, frame.status(),
                            [](const QString& p) { return SqliteConnection::open(p); },
                            [](const QString& p) { return MapFile::pathFor(p, false, {}); }};
    MainWindow window{session, dialogs, frame.status(),
                      RecentFiles(dir.filePath(QStringLiteral("lastfiles.ini"))), dir.path()};
    SampleBrowser browser{session, dialogs, frame.status()};
};

TEST_P(LinkSocketTest, SiblingSendsASelectionAndReceivesThePickedRow) {
    QProcess sibling;
    sibling.start(client(), {QStringLiteral("receive"), path("sibling.sock")});
    ASSERT_TRUE(sibling.waitForReadyRead(30000));
    ASSERT_EQ(sibling.readLine(), QByteArray("listening\n"));

    QFile content(path("pick.qlk.tmp"));
    ASSERT_TRUE(content.open(QIODevice::WriteOnly));
    content.write((databaseLines() +
                   QStringLiteral("TABLENAME=Chem\rFLD=Au\rKEYFIELDS=SampleNo\rKEYDATA=S2,O'Neil"))
                      .toUtf8());
    content.close();
    QProcess sender;
    sender.start(client(), {QStringLiteral("send"), path("quv.sock"), content.fileName()});
    ASSERT_TRUE(sender.waitForFinished(30000));
    ASSERT_EQ(sender.exitCode(), 0);
    ASSERT_TRUE(waitForClipData()) << dialogs.texts().join(u'|').toStdString();
    const QString tsv = clipDataTsv();
    EXPECT_TRUE(tsv.startsWith(QStringLiteral("SampleNo\tSampleNo\tHole\tAu\r\n")))
        << tsv.toStdString();
    EXPECT_TRUE(tsv.contains(QStringLiteral("O'Neil\tO'Neil\t14\t7\r\n"))) << tsv.toStdString();
    EXPECT_EQ(tsv.count(QStringLiteral("\r\n")), 3);

    // The ClipData window came up with the rows; its "Launch Linked" tells the second row.
    auto* view = frame.findChild<ClipDataView*>();
    ASSERT_NE(view, nullptr);
    view->table()->setCurrentIndex(view->table()->model()->index(2, 3));
    const QString picked = frame.clipData()->sheet().activePage().text(3, 1);
    QAction* launch = nullptr;
    for (QAction* a : view->findChildren<QAction*>())
        if (a->text() == QStringLiteral("Launch Linked"))
            launch = a;
    ASSERT_NE(launch, nullptr);
    launch->trigger();
    ASSERT_TRUE(sibling.waitForFinished(30000));
    EXPECT_EQ(sibling.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(sibling.readAllStandardOutput()),
              QStringLiteral("DATABASENAME=\r\nTABLENAME=Chem\r\nFLD=Au\r\nODBC=\r\n"
                             "KEYFIELDS=SampleNo\r\nKEYDATA=") +
                  picked);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(u'|').toStdString();
}

// COMMAND= lines run through the frame's command interpreter once the rows are in ClipData:
// SAVE writes the fetched page, VIEW XY opens the numbered diagram window.
TEST_P(LinkSocketTest, CommandLinesRunAfterTheRowsAreFetched) {
    dialogs.queueAnswer(Answer::Yes); // the sibling is not listening: go on
    const QString saved = path("fetched.txt");
    QFile content(path("commands.txt"));
    ASSERT_TRUE(content.open(QIODevice::WriteOnly));
    content.write((databaseLines() +
                   QStringLiteral("TABLENAME=Chem\r\nKEYFIELDS=Hole\r\n"
                                  "COMMAND=SAVE ") +
                   saved +
                   QStringLiteral("\r\nKEYDATA=13\r\ncommand=VIEW XY\r\nCOMMAND=NOSUCHWORD"))
                      .toUtf8());
    content.close();
    QProcess sender;
    sender.start(client(), {QStringLiteral("send"), path("quv.sock"), content.fileName()});
    ASSERT_TRUE(sender.waitForFinished(30000));
    ASSERT_EQ(sender.exitCode(), 0);
    QDeadlineTimer deadline(30000);
    while (!frame.currentDiagram() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    ASSERT_NE(frame.currentDiagram(), nullptr) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(frame.currentDiagram()->windowTitle(), QStringLiteral("XY Diagram (1)"));
    QFile page(saved);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(QStringLiteral("S2\t13\t4")));
    ASSERT_EQ(dialogs.texts().size(), 1) << dialogs.texts().join(u'|').toStdString();
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Linked program not found.")));
}

TEST_P(LinkSocketTest, LinkFileDroppedInTheWatchedFolderIsTakenAndRemoved) {
    // The sibling is not listening: the person is asked, and goes on.
    dialogs.queueAnswer(Answer::Yes);
    QFile file(path("drop/pick.qlk.part"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        (databaseLines() + QStringLiteral("TABLENAME=Chem\nKEYFIELDS=Hole\nKEYDATA=13")).toUtf8());
    file.close();
    ASSERT_TRUE(file.rename(path("drop/pick.qlk")));
    ASSERT_TRUE(waitForClipData());
    EXPECT_EQ(clipDataTsv(), QStringLiteral("Hole\tSampleNo\tHole\tAu\r\n13\tS2\t13\t4\r\n"));
    EXPECT_FALSE(QFile::exists(path("drop/pick.qlk")));
    EXPECT_TRUE(dialogs.texts().value(0).startsWith(QStringLiteral("Linked program not found.")));
}

INSTANTIATE_TEST_SUITE_P(Engines, LinkSocketTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
