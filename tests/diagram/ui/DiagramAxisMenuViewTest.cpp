// The diagram view's "Axis" menu and "Scale axis" dialog on the offscreen platform over a real
// SQLite session: reversing and a grid show in the rendered chart and outlive a redraw, the
// user-scale note comes and goes, and the dialog steps, applies on F2 and keeps its place.
#include "app/WindowGeometry.h"
#include "diagram/ui/AxisScaleDialog.h"
#include "diagram/ui/DiagramAxisMenu.h"
#include "diagram/ui/DiagramView.h"
#include "filter/FilterSession.h"
#include "platform/IniFile.h"
#include "support/TestPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <qcustomplot.h>

namespace {

class DiagramAxisMenuViewTest : public FilterSession {
protected:
    std::unique_ptr<DiagramView> view;
    QCustomPlot* plot = nullptr;

    void SetUp() override {
        FilterSession::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const QString userFolder = dir.filePath(QStringLiteral("user"));
        QDir().mkpath(userFolder + QStringLiteral("/ini"));
        view = std::make_unique<DiagramView>(*session, dialogs, status,
                                             DiagramView::Folders{userFolder, {}});
        view->resize(900, 600);
        view->show();
        const QList<QComboBox*> combos = view->findChildren<QComboBox*>();
        const QStringList boxes{"Rocks", "Au", "Assays", "Value"};
        for (int i = 0; i < boxes.size(); ++i)
            combos[i + 1]->setCurrentText(boxes[i]);
        plot = view->findChild<QCustomPlot*>();
        ASSERT_NE(plot, nullptr);
        draw();
    }

    void TearDown() override {
        view.reset(); // it stores its last figure through the session
        FilterSession::TearDown();
    }

    void draw() {
        view->findChild<QPushButton*>()->click();
        ASSERT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
    }

    // The item `text` of the menu titled `title`, inside the menu titled `within` if given.
    QAction* item(const QString& title, const QString& text, const QString& within = {}) {
        for (QMenu* menu : view->findChildren<QMenu*>()) {
            if (menu->title() != title)
                continue;
            const auto* parent = qobject_cast<QMenu*>(menu->parentWidget());
            if (!within.isEmpty() && (!parent || parent->title() != within))
                continue;
            for (QAction* a : menu->actions())
                if (a->text() == text)
                    return a;
        }
        ADD_FAILURE() << "no item " << text.toStdString() << " in " << title.toStdString();
        return new QAction(view.get());
    }

    // Pixels of the grid's grey inside the plot area of the chart as now rendered.
    int gridPixels() {
        const QImage image = plot->toPixmap().toImage();
        const QRect area = plot->axisRect()->rect().adjusted(2, 2, -2, -2);
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixelColor(x, y) == QColor(200, 200, 200);
        return n;
    }

    QLabel* note() { return view->axisMenu().note(); }
};

TEST_P(DiagramAxisMenuViewTest, ReversedAxisAndGridShowAndOutliveARedraw) {
    EXPECT_EQ(gridPixels(), 0);
    EXPECT_FALSE(plot->xAxis->rangeReversed());
    const int rows = plot->plotLayout()->rowCount(); // the header above the plot area

    item(QStringLiteral("X axis"), QStringLiteral("X Is &Reversed"))->trigger();
    item(QStringLiteral("&Grid"), QStringLiteral("&Solid"), QStringLiteral("X axis"))->trigger();
    draw(); // a new draw keeps both
    EXPECT_TRUE(plot->xAxis->rangeReversed());
    // Small X to the right of large X.
    EXPECT_GT(plot->xAxis->coordToPixel(0.5), plot->xAxis->coordToPixel(12));
    EXPECT_GT(gridPixels(), 100);
    EXPECT_FALSE(plot->yAxis->grid()->visible()); // the Y grid is its own
    EXPECT_TRUE(item(QStringLiteral("X axis"), QStringLiteral("X Is &Reversed"))->isChecked());
    // Shown four times now, the chart holds one figure: one series, one header.
    EXPECT_EQ(plot->graphCount(), 1);
    EXPECT_EQ(plot->plotLayout()->rowCount(), rows);
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    EXPECT_TRUE(plot->toPixmap().save(out + QStringLiteral("/diagram-axis-reversed-grid.png")));

    item(QStringLiteral("&Grid"), QStringLiteral("&None"), QStringLiteral("X axis"))->trigger();
    EXPECT_EQ(gridPixels(), 0);
}

TEST_P(DiagramAxisMenuViewTest, TheNoteShowsAUserOrFrozenScaleUntilARedrawFreesIt) {
    EXPECT_TRUE(note()->isHidden());
    dialogs.queueText(QStringLiteral("0"));
    dialogs.queueText(QStringLiteral("20"));
    item(QStringLiteral("Axis"), QStringLiteral("X axis &scale ..."))->trigger();
    EXPECT_EQ(plot->xAxis->range().upper, 20);
    EXPECT_FALSE(note()->isHidden());
    EXPECT_EQ(note()->text(), QStringLiteral("User defined axis scale"));
    dialogs.clearLog();
    draw();
    EXPECT_TRUE(note()->isHidden());

    QAction* x = item(QStringLiteral("&Freeze scale"), QStringLiteral("X"));
    x->trigger();
    EXPECT_TRUE(x->isChecked());
    EXPECT_EQ(note()->text(), QStringLiteral("Freezed X scale"));
    item(QStringLiteral("&Freeze scale"), QStringLiteral("X and Y"))->trigger();
    EXPECT_EQ(note()->text(), QStringLiteral("Freezed X and Y scale"));
    EXPECT_TRUE(item(QStringLiteral("&Freeze scale"), QStringLiteral("Y"))->isChecked());
}

TEST_P(DiagramAxisMenuViewTest, ScaleDialogStepsAppliesOnF2AndKeepsItsPlace) {
    const UserSettingsStore store(dir.filePath(QStringLiteral("settings")));
    const WindowGeometry geometry(store);
    DiagramWindow& window = view->controller();
    {
        AxisScaleDialog dialog(
            window, &geometry, [] {}, view.get());
        const QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>();
        ASSERT_EQ(boxes.size(), 4);
        const QList<QToolButton*> arrows = dialog.findChildren<QToolButton*>();
        ASSERT_EQ(arrows.size(), 8); // up and down per box
        boxes[0]->setText(QStringLiteral("0"));
        boxes[1]->setText(QStringLiteral("250"));
        arrows[0]->click(); // X min up: a range of 250 steps by 10
        EXPECT_EQ(boxes[0]->text(), QStringLiteral("10"));
        arrows[3]->click(); // X max down
        EXPECT_EQ(boxes[1]->text(), QStringLiteral("240"));
        boxes[2]->setText(QStringLiteral("-1"));
        boxes[3]->setText(QStringLiteral("30"));
        emit dialog.findChild<QShortcut*>()->activated(); // F2
        EXPECT_EQ(window.figure().x.min, 10);
        EXPECT_EQ(window.figure().x.max, 240);
        EXPECT_EQ(window.figure().y.max, 30);
        EXPECT_EQ(window.scaleState.note(), QStringLiteral("User defined axis scale"));

        QCheckBox* freezeX = dialog.findChildren<QCheckBox*>().value(0);
        ASSERT_NE(freezeX, nullptr);
        EXPECT_EQ(freezeX->text(), QStringLiteral("Freeze X Axis"));
        freezeX->setChecked(true);
        EXPECT_TRUE(window.scaleState.freezeX);

        dialog.move(40, 60);
        dialog.resize(320, 280);
        dialog.reject();
    }
    const IniFile ini = IniFile::load(store.fileFor(QStringLiteral("QUV Data")));
    const QString section = QStringLiteral("WindowAppearence");
    EXPECT_EQ(ini.value(section, QStringLiteral("AxisMinMaxWidth")), QStringLiteral("4800"));
    EXPECT_EQ(ini.value(section, QStringLiteral("AxisMinMaxHeight")), QStringLiteral("4200"));
    EXPECT_TRUE(ini.value(section, QStringLiteral("AxisMinMaxLeft")).has_value());
    AxisScaleDialog again(
        window, &geometry, [] {}, view.get());
    EXPECT_EQ(again.size(), QSize(320, 280));
    EXPECT_TRUE(again.findChildren<QCheckBox*>().value(0)->isChecked()); // mirrors the flag
}

INSTANTIATE_TEST_SUITE_P(Engines, DiagramAxisMenuViewTest, ::testing::Values(Engine::Sqlite),
                         engineName);

} // namespace
