// "Axis" > "Change &units..." on a drawn diagram, on the offscreen platform over a real SQLite
// session: the drawn values are rescaled axis by axis and the axes relabelled, from the values
// already drawn (the database is changed after the draw and never read again).
#include "diagram/ui/UnitChangeDialog.h"
#include "db/SessionDatabase.h"
#include "diagram/ui/DiagramView.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/SqliteSession.h"
#include "support/TestPaths.h"

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

class UnitChangeDialogTest : public SqliteSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath("assays.sqlite");
        {
            auto db = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
            for (const char* sql :
                 {"CREATE TABLE [Assay] ([SampleNo] TEXT PRIMARY KEY, [Fe2O3%] DOUBLE, "
                  "[Cu_ppm] DOUBLE)",
                  "INSERT INTO [Assay] VALUES ('S1', 10, 1500), ('S2', 5, 200)"})
                ASSERT_TRUE(db.connection->execute(QString::fromUtf8(sql))) << sql;
        }
        session.SessionDatabasePath = path;
        ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
        QDir().mkpath(dir.filePath("user/ini"));
        view = std::make_unique<DiagramView>(session, dialogs, status,
                                             DiagramView::Folders{dir.filePath("user"), {}});
        view->resize(900, 600);
        view->show();
        const QList<QComboBox*> combos = view->findChildren<QComboBox*>();
        const QStringList boxes{"Assay", "Fe2O3%", "Assay", "Cu_ppm"};
        for (int i = 0; i < boxes.size(); ++i)
            combos[i + 1]->setCurrentText(boxes[i]);
        view->findChild<QPushButton*>()->click();
        ASSERT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
        plot = view->findChild<QCustomPlot*>();
        // What the database holds now is never seen by a unit change.
        ASSERT_TRUE(session.connection()->execute("UPDATE [Assay] SET [Fe2O3%] = 0, [Cu_ppm] = 0"));
    }
    void TearDown() override { view.reset(); }

    UnitChangeDialog* openDialog() {
        for (QMenu* menu : view->findChildren<QMenu*>())
            if (menu->title() == "Axis")
                for (QAction* a : menu->actions())
                    if (a->text() == "Change &units...")
                        a->trigger();
        const auto dialogs = view->findChildren<UnitChangeDialog*>();
        return dialogs.isEmpty() ? nullptr : dialogs.back();
    }
    std::vector<std::pair<double, double>> drawn() const {
        std::vector<std::pair<double, double>> points;
        for (const Series& s : view->controller().figure().series)
            for (const FigurePoint& p : s.points)
                points.emplace_back(p.x, p.y);
        std::sort(points.begin(), points.end());
        return points;
    }

    std::unique_ptr<DiagramView> view;
    QCustomPlot* plot = nullptr;
};
} // namespace

TEST_F(UnitChangeDialogTest, RescalesDrawnValuesAxisByAxisAndRelabelsTheAxes) {
    UnitChangeDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Change units (XY -diagrams)");
    EXPECT_EQ(dialog->axisBox()->count(), 2);
    // X: Fe2O3 % into molar proportion of the cation (FeO chosen as the form, which a cation
    // count does not depend on); the change is confirmed on leaving the axis.
    ASSERT_EQ(dialog->formBox()->currentText(), "Fe2O3");
    dialog->formBox()->setCurrentText("FeO");
    dialog->unitOptions()[3]->click();
    dialogs.queueAnswer(Answer::Yes);
    dialog->axisBox()->setCurrentIndex(1);
    EXPECT_EQ(dialogs.texts().value(0), "Would you like to change % to FeO Mol. prop.");
    const double m = 79.8435; // Fe2O3 per iron
    auto points = drawn();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_NEAR(points[0].first, 5 / m, 1e-12);
    EXPECT_NEAR(points[1].first, 10 / m, 1e-12);
    EXPECT_EQ(plot->xAxis->label(), "FeO Mol. prop.");

    // Y: ppm to per cent, applied with "&Apply", which closes the window.
    EXPECT_EQ(dialog->formBox()->currentText(), "Cu");
    dialog->unitOptions()[0]->click();
    dialog->applyButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    points = drawn();
    EXPECT_NEAR(points[0].second, 0.02, 1e-12);
    EXPECT_NEAR(points[1].second, 0.15, 1e-12);
    EXPECT_EQ(plot->yAxis->label(), "Cu %");
    // Scaled again to the new values (it was beyond 1500).
    EXPECT_GE(plot->yAxis->range().upper, 0.15);
    EXPECT_LE(plot->yAxis->range().upper, 0.25);
    const QString out = testpaths::binaryDir() + "/test-output";
    QDir().mkpath(out);
    EXPECT_TRUE(plot->toPixmap().save(out + "/diagram-unit-change.png"));

    // Opened again, the window reads the new units; applying nothing changes nothing.
    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->unitOptions()[3]->isChecked());
    dialog->applyButton()->click();
    EXPECT_EQ(drawn(), points);
    EXPECT_EQ(dialogs.texts().size(), 1);
}
