// The catalogue window "Links and Usernames" on the offscreen platform, over a real SQLite
// session: it lists tables and fields with their keys, edits links in place, writes and reads
// link files through its menu and builds the links anew.
#include "db/ui/CatalogueView.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CatalogueViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = dir.filePath(QStringLiteral("rocks.sqlite"));
        {
            auto created = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
            ASSERT_TRUE(created.ok());
            for (const char* sql :
                 {"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
                  "CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL)"})
                ASSERT_TRUE(created.connection->execute(QString::fromUtf8(sql)));
        }
        session.SessionDatabasePath = path;
        ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
    }
    void trigger(const QString& caption) {
        for (QAction* a : view->findChild<QMenuBar*>()->actions())
            if (a->text() == caption)
                return a->trigger();
        FAIL() << "no menu item " << caption.toStdString();
    }
    QString linkCell(int row, int column) const {
        const QAbstractItemModel* m = view->links()->model();
        return m->data(m->index(row, column)).toString();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status,
                            [](const QString& p) { return SqliteConnection::open(p); },
                            [this](const QString&) { return dir.filePath("rocks.ake"); }};
    std::unique_ptr<CatalogueView> view;
};

TEST_F(CatalogueViewTest, ShowsTablesFieldsAndKeysAndKeepsEditedLinksThroughLinkFiles) {
    view = std::make_unique<CatalogueView>(session, dialogs);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Links and Usernames"));
    ASSERT_EQ(view->tables()->count(), 2);
    view->tables()->setCurrentRow(1);
    QListWidget* fields = view->fields();
    ASSERT_EQ(fields->count(), 3);
    EXPECT_EQ(fields->item(0)->text(), QStringLiteral("SampleNo"));
    EXPECT_TRUE(fields->item(0)->font().bold()); // the key
    EXPECT_FALSE(fields->item(1)->font().bold());

    // The built links: a self row per keyed table, then the pair on their shared key.
    const Sheet& links = session.catalogue().links;
    ASSERT_EQ(links.lastRow(), 3);
    EXPECT_EQ(linkCell(2, 0) + linkCell(2, 1) + linkCell(2, 2),
              QStringLiteral("SamplesChemSampleNo"));

    // An edit in the table is the catalogue's link at once.
    QAbstractItemModel* model = view->links()->model();
    ASSERT_TRUE(model->setData(model->index(2, 3), QStringLiteral("SampleNo2")));
    EXPECT_EQ(links.text(3, 4), QStringLiteral("SampleNo2"));

    // "Save Links" offers the link file read when the database opens.
    const QString file = MapFile::linkFilePathFor(session.SessionDatabasePath);
    dialogs.queueText(file);
    trigger(QStringLiteral("Save Links"));
    EXPECT_EQ(dialogs.lastSuggestedPath(), file);
    ASSERT_TRUE(QFile::exists(file));

    EXPECT_TRUE(view->noLinksHint()->isHidden());
    session.catalogue().links.clear();
    view->refresh();
    EXPECT_TRUE(linkCell(2, 0).isEmpty());
    EXPECT_FALSE(view->noLinksHint()->isHidden()); // an empty list says what to do
    dialogs.queueText(file);
    trigger(QStringLiteral("Open Links"));
    EXPECT_EQ(linkCell(2, 3), QStringLiteral("SampleNo2"));
    EXPECT_EQ(links.text(3, 4), QStringLiteral("SampleNo2"));

    // A file that is no link file leaves the links alone and says so.
    QFile junk(dir.filePath(QStringLiteral("junk.dbl")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\x01\x02 not a workbook");
    junk.close();
    dialogs.clearLog();
    dialogs.queueText(junk.fileName());
    trigger(QStringLiteral("Open Links"));
    EXPECT_EQ(links.text(3, 4), QStringLiteral("SampleNo2"));
    ASSERT_EQ(dialogs.texts().size(), 2); // the file box, then the message
    EXPECT_TRUE(dialogs.texts().back().startsWith(QStringLiteral("Links cannot be read from ")));

    // "Build Links" makes them anew from the keys, the edit gone.
    trigger(QStringLiteral("Build Links"));
    EXPECT_EQ(linkCell(2, 3), QStringLiteral("SampleNo"));
    EXPECT_EQ(links.lastRow(), 3);
}

} // namespace
