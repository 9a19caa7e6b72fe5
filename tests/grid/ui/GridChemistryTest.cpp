// The grid's chemistry items on the offscreen platform, over a real SQLite table: the FeOTOT sum
// of the selected rows and iron columns, and conversions into new columns.
#include "db/SessionDatabase.h"
#include "grid/OpenViews.h"
#include "grid/ui/GridWindow.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/SqliteSession.h"

#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

class GridChemistryTest : public SqliteSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("assays.sqlite"));
        {
            auto db = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
            for (const char* sql :
                 {"CREATE TABLE [Assay] ([SampleNo] TEXT PRIMARY KEY, [FeO%] DOUBLE, "
                  "[Fe2O3%] DOUBLE, [SiO2%] DOUBLE, [FeOTOT%] DOUBLE, [Cu_ppm] DOUBLE)",
                  "INSERT INTO [Assay] VALUES ('S1', 5.0, 2.0, 60.083, NULL, 1500)",
                  "INSERT INTO [Assay] VALUES ('S2', NULL, 10.0, 50, NULL, NULL)",
                  "INSERT INTO [Assay] VALUES ('S3', NULL, NULL, 45, 99, 20)",
                  "INSERT INTO [Assay] VALUES ('S4', 3.0, 3.0, 70, NULL, 5)",
                  "CREATE TABLE [Loose] ([FeO%] DOUBLE, [FeOTOT%] DOUBLE)",
                  "INSERT INTO [Loose] VALUES (5.0, NULL)"})
                ASSERT_TRUE(db.connection->execute(QString::fromUtf8(sql))) << sql;
        }
        session.SessionDatabasePath = path;
        ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
        grid = new GridWindow(session, dialogs, status, views, {dir.path(), dir.path()});
        ASSERT_TRUE(grid->open("SELECT * FROM [Assay] ORDER BY [SampleNo]", "Table/Assay"));
        grid->resize(800, 400);
        grid->show();
    }
    void TearDown() override { delete grid; }

    void select(int firstRow, int firstColumn, int lastRow, int lastColumn) {
        const QAbstractItemModel* m = grid->table()->model();
        grid->table()->selectionModel()->select(
            QItemSelection(m->index(firstRow, firstColumn), m->index(lastRow, lastColumn)),
            QItemSelectionModel::ClearAndSelect);
    }
    void trigger(const QString& caption) {
        for (QAction* menu : grid->findChild<QMenuBar*>()->actions())
            if (menu->text() == "&Tools")
                for (QAction* a : menu->menu()->actions())
                    if (a->text() == caption)
                        return a->trigger();
        ADD_FAILURE() << "no menu item " << caption.toStdString();
    }
    std::vector<std::optional<double>> values(const QString& field) {
        std::vector<std::optional<double>> out;
        const auto rows =
            session.connection()->query("SELECT [" + field + "] FROM [Assay] ORDER BY [SampleNo]");
        for (qsizetype r = 0; rows && r < rows->rowCount(); ++r)
            out.push_back(rows->at(r, 0).toNumber());
        return out;
    }

    OpenViews views;
    GridWindow* grid = nullptr;
};

void expectValues(const std::vector<std::optional<double>>& got,
                  const std::vector<std::optional<double>>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].has_value(), want[i].has_value()) << "row " << i;
        if (want[i]) {
            EXPECT_NEAR(*got[i], *want[i], 1e-6 * std::abs(*want[i])) << "row " << i;
        }
    }
}
} // namespace

TEST_F(GridChemistryTest, FeOTotSumsTheSelectedIronColumnsAsFeO) {
    // Rows S1-S3, columns FeO% to SiO2%: SiO2 is no iron, Fe2O3 counts as FeO (× 0.8998).
    select(0, 1, 2, 3);
    trigger("&Calculate FeOTOT");
    const double fe2o3AsFeO = 71.844 / 79.8435;
    expectValues(values("FeOTOT%"), {5.0 + 2.0 * fe2o3AsFeO, 10.0 * fe2o3AsFeO, 99.0, {}});
    EXPECT_EQ(dialogs.texts().value(0), "FeOTOT% calculated in 2 records.");
    // The grid shows the written values.
    EXPECT_NEAR(grid->table()->model()->index(1, 4).data().toDouble(), 8.9981, 1e-4);

    dialogs.clearLog();
    select(0, 3, 3, 3);
    trigger("&Calculate FeOTOT");
    EXPECT_EQ(dialogs.texts().value(0), "Select the iron columns (FeO, Fe2O3, Fe) to add up.");

    // Rows without a key cannot be written back: the user is told why and nothing changes.
    delete grid;
    grid = new GridWindow(session, dialogs, status, views, {dir.path(), dir.path()});
    ASSERT_TRUE(grid->open("SELECT * FROM [Loose]", "Table/Loose"));
    dialogs.clearLog();
    select(0, 0, 0, 0);
    trigger("&Calculate FeOTOT");
    EXPECT_EQ(dialogs.texts().value(0),
              "The records of this grid cannot be changed: table Loose has no primary key in the "
              "grid.");
    EXPECT_FALSE(session.connection()->query("SELECT [FeOTOT%] FROM [Loose]")->at(0, 0).toNumber());
}

TEST_F(GridChemistryTest, ConversionsWriteNewColumns) {
    select(0, 5, 3, 5);
    dialogs.queueText("Cu %");
    trigger("Convert units and oxides...");
    expectValues(values("Cu%"), {0.15, {}, 0.002, 0.0005});
    EXPECT_EQ(dialogs.texts().value(1), "Converted values written:\r\nCu%: 3 records");

    // Oxides to their element, in the same unit; the grid shows the new column.
    dialogs.clearLog();
    select(0, 2, 0, 3);
    trigger("Add element content");
    const double feInFe2O3 = 55.845 / 79.8435, siInSiO2 = 28.085 / 60.083;
    expectValues(values("Fe%"), {2.0 * feInFe2O3, 10.0 * feInFe2O3, {}, 3.0 * feInFe2O3});
    expectValues(values("Si%"), {28.085, 50 * siInSiO2, 45 * siInSiO2, 70 * siInSiO2});
    EXPECT_EQ(dialogs.texts().value(0),
              "Element content written:\r\nFe%: 3 records\r\nSi%: 4 records");
    EXPECT_EQ(grid->table()->model()->columnCount(), 9);

    // A conversion to another element is refused; an existing field is overwritten only on Yes.
    dialogs.clearLog();
    select(0, 3, 0, 3);
    dialogs.queueText("FeO %");
    trigger("Convert units and oxides...");
    EXPECT_EQ(dialogs.texts().value(1), "SiO2% cannot be converted to FeO %");
    dialogs.clearLog();
    dialogs.queueText("Si %");
    dialogs.queueAnswer(Answer::No);
    trigger("Convert units and oxides...");
    EXPECT_EQ(dialogs.texts().value(1), "Field Si% exists. Overwrite its values?");
    expectValues(values("Si%"), {28.085, 50 * siInSiO2, 45 * siInSiO2, 70 * siInSiO2});
}
