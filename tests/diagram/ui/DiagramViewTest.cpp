// The diagram window's widgets on the offscreen platform, over a real SQLite session: the boxes
// drive the draw, the chart shows the classes, and the window keeps its last figure.
#include "diagram/ui/DiagramView.h"
#include "app/WindowGeometry.h"
#include "diagram/ui/LegendOrderDialog.h"
#include "diagram/ui/ZoomPanOverview.h"
#include "filter/FilterSession.h"
#include "platform/IniFile.h"
#include "platform/UserSettingsStore.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolBar>
#include <qcustomplot.h>

namespace {

class DiagramViewTest : public FilterSession {};

TEST_P(DiagramViewTest, DrawsFromItsBoxesAndComesBackWithTheLastFigure) {
    const QString userFolder = dir.filePath(QStringLiteral("user"));
    QDir().mkpath(userFolder + QStringLiteral("/ini"));
    {
        DiagramView view(*session, dialogs, status, {userFolder, {}});
        view.resize(900, 600);
        view.show();
        const QList<QComboBox*> combos = view.findChildren<QComboBox*>();
        ASSERT_EQ(combos.size(), 10); // type, four table/field pairs, filter
        EXPECT_EQ(combos[0]->count(), DiagramDefinition::graphTypes().size());
        const QStringList boxes{"Rocks", "Au", "Assays", "Value", "", "", "Rocks", "Rock"};
        for (int i = 0; i < boxes.size(); ++i)
            combos[i + 1]->setCurrentText(boxes[i]);
        EXPECT_TRUE(combos[2]->findText(QStringLiteral("Owner")) >= 0); // the table's fields
        QPushButton* draw = view.findChild<QPushButton*>();
        ASSERT_NE(draw, nullptr);
        draw->click();
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
        auto* plot = view.findChild<QCustomPlot*>();
        ASSERT_NE(plot, nullptr);
        EXPECT_EQ(plot->graphCount(), 2); // Basalt and Granite
        const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
        QDir().mkpath(out);
        ASSERT_TRUE(view.grab().toImage().save(out + QStringLiteral("/diagram-view.png")));
    }
    // Closing stored the definition; a new window draws it again.
    EXPECT_EQ(IniFile::load(userFolder + QStringLiteral("/ini/lastfiles.ini"))
                  .value(QStringLiteral("LastGraph"), QStringLiteral("YTable")),
              QStringLiteral("Assays"));
    DiagramView again(*session, dialogs, status, {userFolder, {}});
    ASSERT_TRUE(again.drawLastFigure());
    EXPECT_EQ(again.findChildren<QComboBox*>()[3]->currentText(), QStringLiteral("Assays"));
    EXPECT_EQ(again.controller().figure().series.size(), 2u);
}

// The chart takes the room the window gains, down to the status bar and out to the right edge:
// the white of the drawn chart reaches near both in a small and in a large window.
TEST_P(DiagramViewTest, TheChartGrowsWithTheWindow) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    const QList<QComboBox*> combos = view.findChildren<QComboBox*>();
    const QStringList boxes{"Rocks", "Au", "Rocks", "Au"};
    for (int i = 0; i < boxes.size(); ++i)
        combos[i + 1]->setCurrentText(boxes[i]);
    view.show();
    ASSERT_TRUE(view.draw());
    const auto whiteBox = [&view] {
        const QImage shot = view.grab().toImage();
        QRect box;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = shot.width() / 2; x < shot.width(); x += 2)
                if (shot.pixel(x, y) == qRgb(255, 255, 255))
                    box |= QRect(x, y, 1, 1);
        return std::pair{box, shot.size()};
    };
    for (const QSize size : {QSize(900, 600), QSize(1600, 1100)}) {
        view.resize(size);
        QCoreApplication::processEvents();
        const auto [box, shot] = whiteBox();
        ASSERT_EQ(shot, size);
        EXPECT_GT(box.bottom(), size.height() - 60) << size.height(); // above the status bar
        EXPECT_GT(box.right(), size.width() - 20) << size.width();
        EXPECT_LT(box.top(), 60) << size.height();
    }
}

TEST_P(DiagramViewTest, TheMultiSetFrameMakesOneSeriesPerSet) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    view.show();
    const QList<QComboBox*> combos = view.findChildren<QComboBox*>();
    auto* setNumber = view.findChild<QSpinBox*>();
    ASSERT_NE(setNumber, nullptr);
    EXPECT_FALSE(setNumber->isVisible()); // XY has no sets
    combos[0]->setCurrentText(QStringLiteral("XY-MultiGraph"));
    EXPECT_TRUE(setNumber->isVisible());
    const auto fill = [&](const QStringList& boxes) {
        for (int i = 0; i < boxes.size(); ++i)
            combos[i + 1]->setCurrentText(boxes[i]);
    };
    fill({"Rocks", "Au", "Assays", "Value"});
    setNumber->setValue(2);
    EXPECT_TRUE(combos[1]->currentText().isEmpty()); // a new set
    fill({"Rocks", "Au", "Rocks", "Au"});
    setNumber->setValue(1);
    EXPECT_EQ(combos[3]->currentText(), QStringLiteral("Assays"));
    ASSERT_TRUE(view.draw()) << dialogs.texts().join('\n').toStdString();
    QStringList names;
    for (const Series& s : view.controller().figure().series)
        names << s.name;
    EXPECT_EQ(names, (QStringList{"Value vs. Au", "Au vs. Au"}));

    // "Fill" and "Stacking": filled areas, the second set on top of the first.
    for (QCheckBox* box : view.findChildren<QCheckBox*>())
        if (box->text() == QStringLiteral("Fill") || box->text() == QStringLiteral("Stacking"))
            box->setChecked(true);
    ASSERT_TRUE(view.draw());
    const std::vector<Series>& stacked = view.controller().figure().series;
    ASSERT_EQ(stacked.size(), 2u);
    EXPECT_EQ(stacked[1].shape, SeriesShape::Filled);
    double above = 0; // Au vs. Au has Y = X until it lies on the first set
    for (const FigurePoint& p : stacked[1].points)
        above += p.y - p.x;
    EXPECT_GT(above, 0);

    setNumber->setValue(2);
    QPushButton* del = nullptr;
    for (QPushButton* b : view.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Del"))
            del = b;
    ASSERT_NE(del, nullptr);
    del->click();
    ASSERT_TRUE(view.draw());
    EXPECT_EQ(view.controller().figure().series.size(), 1u);
}

TEST_P(DiagramViewTest, StatusPanelsToggleOnAClickAndTheClassifierCaptionClears) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    view.show();
    const auto button = [&](const QString& text) -> QPushButton* {
        for (QPushButton* b : view.findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    };
    QPushButton* filter = button(QStringLiteral("Filter=OFF"));
    ASSERT_NE(filter, nullptr);
    filter->click();
    EXPECT_EQ(filter->text(), QStringLiteral("Filter=ON"));
    const QStringList boxes{"Rocks", "Au", "Assays", "Value"};
    for (int i = 0; i < boxes.size(); ++i)
        view.findChildren<QComboBox*>()[i + 1]->setCurrentText(boxes[i]);
    view.draw(); // the filter box is on without a filter
    EXPECT_EQ(dialogs.texts().value(0), QStringLiteral("Missing filter"));

    QPushButton* buttons = button(QStringLiteral("Buttons=VISIBLE"));
    ASSERT_NE(buttons, nullptr);
    auto* typeBox = view.findChildren<QComboBox*>()[0];
    EXPECT_TRUE(typeBox->isVisible());
    buttons->click();
    EXPECT_EQ(buttons->text(), QStringLiteral("Buttons=HIDDEN"));
    EXPECT_FALSE(typeBox->isVisible());

    const QList<QComboBox*> combos = view.findChildren<QComboBox*>();
    combos[7]->setCurrentText(QStringLiteral("Rocks"));
    combos[8]->setCurrentText(QStringLiteral("Rock"));
    for (QLabel* label : view.findChildren<QLabel*>())
        if (label->toolTip() == QStringLiteral("Click here to clear classifier"))
            emit label->linkActivated(QStringLiteral("clear"));
    EXPECT_TRUE(combos[7]->currentText().isEmpty());
    EXPECT_TRUE(combos[8]->currentText().isEmpty());
}

TEST_P(DiagramViewTest, DrawHideButtonsAndCopyLeavesThePictureOnTheClipboard) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    view.resize(800, 500);
    view.show();
    const QStringList boxes{"Rocks", "Au", "Assays", "Value"};
    for (int i = 0; i < boxes.size(); ++i)
        view.findChildren<QComboBox*>()[i + 1]->setCurrentText(boxes[i]);
    QGuiApplication::clipboard()->clear();
    QAction* action = nullptr;
    for (QAction* a : view.findChildren<QAction*>())
        if (a->text() == QStringLiteral("Draw = Draw, Hide buttons and Copy"))
            action = a;
    ASSERT_NE(action, nullptr);
    action->trigger();
    EXPECT_EQ(view.controller().figure().pointCount(), 4);
    EXPECT_FALSE(view.findChildren<QComboBox*>()[0]->isVisible());
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    const QSize picture = QGuiApplication::clipboard()->image().size();

    for (QAction* a : view.findChildren<QAction*>())
        if (a->text() == QStringLiteral("Copy Legend Only"))
            a->trigger();
    const QImage legend = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(legend.isNull());
    EXPECT_LT(legend.width(), picture.width() / 2); // the legend, not the whole chart
}

TEST_P(DiagramViewTest, TheWheelAndTheOverviewShowPartOfTheFigureUntilTheNextDraw) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    view.resize(900, 600);
    view.show();
    const QStringList boxes{"Rocks", "Au", "Rocks", "Au"};
    for (int i = 0; i < boxes.size(); ++i)
        view.findChildren<QComboBox*>()[i + 1]->setCurrentText(boxes[i]);
    ASSERT_TRUE(view.draw());
    const Figure& figure = view.controller().figure();
    const AxisWindow wholeX = AxisWindow::of(figure.x), wholeY = AxisWindow::of(figure.y);
    auto* overview = view.findChild<ZoomPanOverview*>();
    ASSERT_NE(overview, nullptr);
    auto* plot = view.findChild<QCustomPlot*>();
    ASSERT_NE(plot, &overview->plot());
    const auto pixelOf = [](QCustomPlot& p, QPointF data) {
        return QPointF(p.xAxis->coordToPixel(data.x()), p.yAxis->coordToPixel(data.y()));
    };

    // A turn of the wheel forward over the chart at (4, 4): a narrower part, 4 in its place.
    const QPointF at = pixelOf(*plot, {4, 4});
    QWheelEvent wheel(at, plot->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(plot, &wheel);
    EXPECT_NEAR(figure.x.max - figure.x.min, 0.8 * (wholeX.max - wholeX.min), 1e-9);
    EXPECT_NEAR((4 - figure.x.min) / (figure.x.max - figure.x.min),
                (4 - wholeX.min) / (wholeX.max - wholeX.min), 1e-9);
    EXPECT_NEAR(plot->xAxis->range().lower, figure.x.min, 1e-9);

    // Window > "Zoom and Pan": the overview frames that part; a click there centres the chart.
    for (QAction* a : view.findChildren<QAction*>())
        if (a->text() == QStringLiteral("Zoom and Pan"))
            a->trigger();
    ASSERT_TRUE(overview->isVisible());
    EXPECT_EQ(overview->partX(), AxisWindow::of(figure.x));
    const QPointF centre = pixelOf(overview->plot(), {6, 5});
    QMouseEvent press(QEvent::MouseButtonPress, centre, overview->plot().mapToGlobal(centre),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&overview->plot(), &press);
    EXPECT_NEAR((figure.x.min + figure.x.max) / 2, 6, 0.05);

    // A double click there, or the next draw, shows the whole figure again.
    QMouseEvent twice(QEvent::MouseButtonDblClick, centre, overview->plot().mapToGlobal(centre),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&overview->plot(), &twice);
    EXPECT_EQ(AxisWindow::of(figure.x), wholeX);
    // The keys zoom about the middle.
    for (QAction* a : view.findChildren<QAction*>())
        if (a->text() == QStringLiteral("Zoom In"))
            a->trigger();
    EXPECT_NEAR(figure.x.max - figure.x.min, 0.8 * (wholeX.max - wholeX.min), 1e-9);
    EXPECT_NEAR(figure.x.min + figure.x.max, wholeX.min + wholeX.max, 1e-9);
    QCoreApplication::sendEvent(plot, &wheel);
    ASSERT_TRUE(view.draw());
    EXPECT_EQ(AxisWindow::of(figure.x), wholeX);
    EXPECT_EQ(AxisWindow::of(figure.y), wholeY);
    EXPECT_EQ(overview->partY(), wholeY);
}

TEST_P(DiagramViewTest, OptionsToolbarAndBlinkDoWhatTheySay) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    view.resize(800, 500);
    view.show();
    const auto action = [&](const QString& text) -> QAction* {
        for (QAction* a : view.findChildren<QAction*>())
            if (a->text() == text)
                return a;
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    };
    dialogs.queueText(QStringLiteral("2")); // refused: too small
    action(QStringLiteral("Bubble Options..."))->trigger();
    EXPECT_EQ(dialogs.texts().value(0), DiagramWindow::bubbleSizePrompt());
    dialogs.queueText(QStringLiteral("60"));
    action(QStringLiteral("Bubble Options..."))->trigger();
    EXPECT_EQ(view.controller().figure().bubbleMaxPixels, 60);
    action(QStringLiteral("Down to zero"))->trigger();
    EXPECT_EQ(view.controller().figure().fillMode, Figure::FillMode::ToZero);
    action(QStringLiteral("Shewhart: Show AVG, 2S and 3S"))->trigger();
    EXPECT_FALSE(view.controller().definition.shewhartLines);

    auto* toolbar = view.findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(toolbar->isVisible());
    action(QStringLiteral("Show Toolbar"))->trigger();
    EXPECT_FALSE(toolbar->isVisible());

    // BLINK=ON: the clicked series blinks; off again, it stays shown.
    const QStringList boxes{"Rocks", "Au", "Assays", "Value", "", "", "Rocks", "Rock"};
    for (int i = 0; i < boxes.size(); ++i)
        view.findChildren<QComboBox*>()[i + 1]->setCurrentText(boxes[i]);
    ASSERT_TRUE(view.draw());
    QPushButton* blink = nullptr;
    for (QPushButton* b : view.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("BLINK=OFF"))
            blink = b;
    ASSERT_NE(blink, nullptr);
    blink->click();
    EXPECT_EQ(blink->text(), QStringLiteral("BLINK=ON"));
    auto* plot = view.findChild<QCustomPlot*>();
    QCPAbstractPlottable* granite = plot->plottable(1);
    emit plot->plottableClick(granite, 0, nullptr);
    QElapsedTimer waited;
    waited.start();
    while (granite->visible() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(granite->visible());
    EXPECT_TRUE(plot->plottable(0)->visible()); // only the clicked series
    blink->click();
    EXPECT_TRUE(granite->visible());
}

TEST(LegendOrderDialog, MovesRemovesAndKeepsItsPlace) {
    QTemporaryDir dir;
    UserSettingsStore store(dir.path());
    const WindowGeometry geometry(store);
    LegendOrderDialog dialog({"Basalt", "Granite", "Gabbro"}, &geometry);
    auto* list = dialog.findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    const auto click = [&](const QString& caption) {
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == caption)
                b->click();
    };
    list->setCurrentRow(2);
    click(QStringLiteral("Up"));
    click(QStringLiteral("Up"));
    click(QStringLiteral("Up")); // already first: stays
    EXPECT_EQ(dialog.order(), (QStringList{"Gabbro", "Basalt", "Granite"}));
    list->setCurrentRow(1);
    click(QStringLiteral("&Remove"));
    EXPECT_EQ(dialog.order(), (QStringList{"Gabbro", "Granite"}));
    dialog.move(40, 50);
    dialog.resize(300, 260);
    click(QStringLiteral("&OK"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const WindowRect kept = geometry.load(LegendOrderDialog::shortName());
    EXPECT_EQ(kept.width, 300);
    EXPECT_EQ(kept.height, 260);
}

INSTANTIATE_TEST_SUITE_P(Engines, DiagramViewTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
