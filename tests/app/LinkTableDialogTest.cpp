// The "Open Database" dialog's Link Tables page in the running frame: tables and queries of
// another SQLite database become tables of the open one for this connection, under their own
// names however odd, never hiding a table the open database has.
#include "app/FrameSession.h"
#include "app/ui/OpenDatabaseDialog.h"
#include "db/TableLinker.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

namespace {

const QString oddName = QStringLiteral("Odd\"]; DROP TABLE Chem; --");
// The name inside [ ], its "]" doubled.
QString bracketed() {
    return QString(oddName).replace(QStringLiteral("]"), QStringLiteral("]]"));
}

class LinkTableDialogTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(
            makeDatabase({"CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, Au REAL)",
                          "INSERT INTO Chem VALUES ('S1', 0.5)"}));
        auto source = SqliteConnection::open(sourcePath, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(source.ok());
        for (const QString& sql :
             {QStringLiteral("CREATE TABLE Assay (Hole INTEGER, Cu REAL)"),
              QStringLiteral("INSERT INTO Assay VALUES (1, 0.2), (2, 3.5)"),
              QStringLiteral("CREATE TABLE Chem (x INTEGER)"),
              QStringLiteral("CREATE TABLE [") + bracketed() + QStringLiteral("] (y INTEGER)"),
              QStringLiteral("INSERT INTO [") + bracketed() + QStringLiteral("] VALUES (7)"),
              QStringLiteral("CREATE VIEW RichCu AS SELECT * FROM Assay WHERE Cu > 1")})
            ASSERT_TRUE(source.connection->execute(sql)) << sql.toStdString();
        frame.bind({window, browser, session, dialogs, {dir.path(), dir.path()}});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    }

    // File > Open Database..., the Link Tables page on the source, the names selected and
    // "Link Table" pressed, then "Done".
    void linkThroughTheDialog(const QStringList& names) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<OpenDatabaseDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            ASSERT_EQ(dialog->pages()->count(), 3);
            dialog->pages()->setCurrentIndex(2);
            dialog->linkSourceBox()->setText(sourcePath);
            dialog->readLinkSource();
            for (QListWidget* list : {dialog->linkTables(), dialog->linkQueries()})
                for (int i = 0; i < list->count(); ++i)
                    list->item(i)->setSelected(names.contains(list->item(i)->text()));
            dialog->findChild<QPushButton*>(QStringLiteral("linkTable"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("linkDone"))->click();
        });
        actionAt(frame.menuBar(), {"&File", "&Open Database..."})->trigger();
        EXPECT_TRUE(seen);
    }
    QStringList listedTables() const {
        QStringList names;
        const auto* tables = frame.findChild<QListWidget*>(QStringLiteral("tables"));
        for (int i = 0; i < tables->count(); ++i)
            names << tables->item(i)->text();
        return names;
    }
    // The one value the statement reads; -1 when it cannot be read.
    double valueOf(const QString& sql) {
        const auto rows = session.connection()->query(sql);
        return rows && rows->rowCount() == 1 ? rows->at(0, 0).toNumber().value_or(-1) : -1;
    }

    QString sourcePath = dir.filePath(QStringLiteral("other.sqlite"));
};

TEST_F(LinkTableDialogTest, LinkedTablesAndQueriesAreReadAsTablesOfTheOpenDatabase) {
    linkThroughTheDialog({"Assay", "RichCu", oddName});
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(listedTables(), (QStringList{"Chem", "Assay", oddName, "RichCu"}));
    const struct {
        QString sql;
        double value;
    } reads[] = {{"SELECT Sum([Cu]) FROM [Assay]", 3.7},
                 {"SELECT Count(*) FROM [RichCu]", 1},
                 {"SELECT Sum([y]) FROM [" + bracketed() + "]", 7},
                 {"SELECT Count(*) FROM [Chem]", 1}};
    for (const auto& r : reads)
        EXPECT_DOUBLE_EQ(valueOf(r.sql), r.value) << r.sql.toStdString();

    // Linked once is enough; the open database's own Chem is never hidden.
    linkThroughTheDialog({"Assay", "Chem"});
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_EQ(dialogs.texts()[0],
              QStringLiteral("Not linked:\r\nAssay: the open database has this name already\r\n"
                             "Chem: the open database has this name already"));
    EXPECT_DOUBLE_EQ(valueOf("SELECT Sum([Au]) FROM [Chem]"), 0.5);

    // A map saved now would offer the links on later opens: none is written while they exist.
    const QString map = MapFile::pathFor(dbPath, false, {});
    QFile::remove(map);
    ASSERT_TRUE(window.schemaChanged()); // as after ClipData made a table
    EXPECT_FALSE(QFile::exists(map));
    EXPECT_EQ(listedTables().size(), 4);

    // Links last as long as the connection: mapping opens the database again, without them.
    actionAt(frame.menuBar(), {"&File", "&Map Database and Save the Map"})->trigger();
    EXPECT_EQ(listedTables(), QStringList{"Chem"});
    EXPECT_TRUE(QFile::exists(map));
}

TEST_F(LinkTableDialogTest, WithoutAnOpenDatabaseNothingIsLinked) {
    window.closeDatabase();
    linkThroughTheDialog({"Assay"});
    EXPECT_EQ(dialogs.texts(), QStringList{TableLinker::notAvailable()});
    EXPECT_EQ(TableLinker::read(dir.filePath("missing.sqlite")).error,
              "The file " + dir.filePath("missing.sqlite") + " is not there");
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.sqlite")));
}

} // namespace
