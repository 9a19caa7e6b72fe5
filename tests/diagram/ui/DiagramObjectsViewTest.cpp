// User objects through the diagram view on the offscreen platform over real databases: a
// polygon digitised with mouse clicks on the chart, the samples discriminated, the groups
// named (one with a quote and a bracket, one Null) and written back by key into a new column,
// read back from the database; the objects come back with the graph file; every object menu
// item is in the window. Samples selected with clicks and a dragged rectangle, found, listed
// from the database; polygons and trendlines pasted and discriminated by macro lines.
#include "diagram/DiagramCommands.h"
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/GroupStoreDialog.h"
#include "diagram/ui/ObjectHeaderView.h"
#include "diagram/ui/StyleEditorView.h"
#include "filter/FilterSession.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <qcustomplot.h>

namespace {

class DiagramObjectsViewTest : public FilterSession {
protected:
    QAction* item(DiagramView& view, const QString& menuTitle, const QString& text) {
        for (QMenu* menu : view.findChildren<QMenu*>())
            if (menu->title() == menuTitle)
                for (QAction* a : menu->actions())
                    if (a->text() == text)
                        return a;
        ADD_FAILURE() << "no item " << text.toStdString() << " in " << menuTitle.toStdString();
        return new QAction(&view);
    }
    static void drag(QCustomPlot& plot, QPointF from, QPointF to) {
        const auto pixel = [&plot](QPointF d) {
            return QPointF(plot.xAxis->coordToPixel(d.x()), plot.yAxis->coordToPixel(d.y()));
        };
        QMouseEvent press(QEvent::MouseButtonPress, pixel(from), plot.mapToGlobal(pixel(from)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&plot, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pixel(to), plot.mapToGlobal(pixel(to)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&plot, &release);
    }
    // Draws Au against Au from Rocks: the samples lie on the diagonal.
    void drawDiagonal(DiagramView& view) {
        view.resize(900, 700);
        view.show();
        const QList<QComboBox*> combos = view.findChildren<QComboBox*>();
        const QStringList boxes{"Rocks", "Au", "Rocks", "Au"};
        for (int i = 0; i < boxes.size(); ++i)
            combos[i + 1]->setCurrentText(boxes[i]);
        ASSERT_TRUE(view.draw()) << dialogs.texts().join('\n').toStdString();
    }
    static QStringList seriesCounts(DiagramView& view) {
        QStringList out;
        for (const Series& s : view.controller().figure().series)
            out << s.name + QLatin1Char('=') + QString::number(s.pointCount());
        return out;
    }
    static void mouse(QCustomPlot& plot, QEvent::Type type, QPointF data) {
        const QPointF at(plot.xAxis->coordToPixel(data.x()), plot.yAxis->coordToPixel(data.y()));
        QMouseEvent e(type, at, plot.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(&plot, &e);
        if (type == QEvent::MouseButtonPress) {
            QMouseEvent release(QEvent::MouseButtonRelease, at, plot.mapToGlobal(at),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&plot, &release);
        }
    }
};

TEST_P(DiagramObjectsViewTest, DigitisesDiscriminatesNamesAndWritesGroupsBack) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    view.resize(900, 700);
    view.show();
    const QList<QComboBox*> combos = view.findChildren<QComboBox*>();
    const QStringList boxes{"Rocks", "Au", "Rocks", "Au"};
    for (int i = 0; i < boxes.size(); ++i)
        combos[i + 1]->setCurrentText(boxes[i]);
    ASSERT_TRUE(view.draw()) << dialogs.texts().join('\n').toStdString();
    auto* plot = view.findChild<QCustomPlot*>();

    // Samples lie on the diagonal at Au = 12, 0.5, 3, 1, 2, 7, 8, 9: the square 2.5..7.5
    // holds S3 and S6; its corner (2.5, 2.5) is clicked twice by the double click.
    item(view, QStringLiteral("&Create"), QStringLiteral("&Digitize On screen"))->trigger();
    for (const QPointF& node :
         {QPointF(2.5, 2.5), QPointF(2.5, 7.5), QPointF(7.5, 7.5), QPointF(7.5, 2.5)})
        mouse(*plot, QEvent::MouseButtonPress, node);
    mouse(*plot, QEvent::MouseButtonDblClick, QPointF(7.5, 2.5));
    DiagramObjectController& objects = view.objectMenus().controller();
    ASSERT_EQ(objects.objects.polygons.size(), 1u);
    EXPECT_GE(objects.objects.polygons[0].nodes.size(), 4u);

    // With D held the whole polygon is dragged: one unit right and back again.
    QAction* editNodes =
        item(view, QStringLiteral("&Polygon"), QStringLiteral("&Move and Edit Nodes"));
    editNodes->trigger();
    EXPECT_EQ(editNodes->text(), QStringLiteral("End move"));
    const QPointF first = objects.objects.polygons[0].nodes[0];
    QKeyEvent dDown(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
    QCoreApplication::sendEvent(plot, &dDown);
    drag(*plot, {5, 5}, {6, 5});
    EXPECT_NEAR(objects.objects.polygons[0].nodes[0].x(), first.x() + 1, 0.05);
    drag(*plot, {6, 5}, {5, 5});
    QKeyEvent dUp(QEvent::KeyRelease, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
    QCoreApplication::sendEvent(plot, &dUp);
    editNodes->trigger();

    item(view, QStringLiteral("&Polygon"), QStringLiteral("&Discriminate"))->trigger();
    QStringList groups;
    for (const Series& s : view.controller().figure().series)
        groups << s.name + QLatin1Char('=') + QString::number(s.pointCount());
    EXPECT_EQ(groups, (QStringList{"I=2", "O=6"}));

    dialogs.queueText(QStringLiteral("Mid 'n [x]"));
    dialogs.queueText(QString()); // "O" becomes Null
    item(view, QStringLiteral("&Polygon"), QStringLiteral("Name &Groups..."))->trigger();

    item(view, QStringLiteral("&Polygon"), QStringLiteral("Store &Groups..."))->trigger();
    auto* store = view.findChild<GroupStoreDialog*>();
    ASSERT_NE(store, nullptr);
    const QList<QComboBox*> storeBoxes = store->findChildren<QComboBox*>();
    storeBoxes[0]->setCurrentText(QStringLiteral("Rocks"));
    storeBoxes[1]->setCurrentText(DiagramObjectController::createNewColumn());
    store->findChild<QLineEdit*>()->setText(QStringLiteral("Grp]1"));
    store->findChild<QCheckBox*>()->setChecked(true);
    dialogs.queueAnswer(Answer::Yes); // clear the field first
    dialogs.clearLog();
    ASSERT_TRUE(store->store()) << dialogs.texts().join('\n').toStdString();
    EXPECT_TRUE(dialogs.texts().last().startsWith(QStringLiteral("Grouping values written")));
    EXPECT_EQ(rows(QStringLiteral("SELECT [SampleID], [Grp]]1] FROM [Rocks]")),
              (QStringList{"S1|NULL", "S2|NULL", "S3|Mid 'n [x]", "S4|NULL", "S5|NULL",
                           "S6|Mid 'n [x]", "S7|NULL", "S8|NULL"}));

    // A declined clearing writes nothing.
    storeBoxes[1]->setCurrentText(QStringLiteral("Grp]1"));
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(store->store());

    // The polygon comes back with the graph file.
    const QString file = dir.filePath(QStringLiteral("objects.akr"));
    ASSERT_TRUE(view.controller().saveGraphFile(file));
    objects.objects = {};
    ASSERT_TRUE(view.openGraphFile(file));
    EXPECT_EQ(objects.objects.polygons.size(), 1u);

    // Every object menu item is there.
    const std::pair<const char*, QStringList> menus[] = {
        {"Trend&Line",
         {"&Erase", "&Discriminate", "Name &Groups...", "Store &Groups...", "Calculate &X at Y=0 ",
          "Calculate &Y at X=?"}},
        {"&Polygon", {"&Erase", "&Discriminate", "Name &Groups...", "Store &Groups..."}},
        {"&RefPoint", {"&Create", "&Delete"}},
        {"&Text labels", {"&Add", "&Remove", "&Move"}},
        {"&Discriminate Options", {"&Trendline", "&Polygon"}},
        {"Delta", {"Calculate", "Store"}},
    };
    for (const auto& [menu, items] : menus)
        for (const QString& text : items)
            EXPECT_NE(item(view, QString::fromLatin1(menu), text)->parent(), &view) << menu;
}

TEST_P(DiagramObjectsViewTest, SelectsFindsPastesAndDiscriminatesByMacroLines) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    ASSERT_NO_FATAL_FAILURE(drawDiagonal(view));
    auto* plot = view.findChild<QCustomPlot*>();
    DiagramObjectController& objects = view.objectMenus().controller();
    QAction* selectStart = item(view, QStringLiteral("&Edit"), QStringLiteral("&Select Start"));

    // Au = 12, 0.5, 3, 1, 2, 7, 8, 9: a rectangle from (2.5, 2.5) to (7.5, 7.5) takes S3 and
    // S6, a click beside (1, 1) takes S4.
    selectStart->trigger();
    EXPECT_EQ(selectStart->text(), QStringLiteral("Select End"));
    drag(*plot, {7.5, 2.5}, {2.5, 7.5});
    drag(*plot, {1.02, 0.98}, {1.02, 0.98});
    selectStart->trigger();
    EXPECT_EQ(objects.selection.keys(), (QStringList{"S3", "S6", "S4"}));

    // The rectangle goes around the selection only; the draw after it forgets the selection.
    item(view, QStringLiteral("&Create"), QStringLiteral("&Rectangle around datapoints"))
        ->trigger();
    ASSERT_EQ(objects.objects.polygons.size(), 1u);
    EXPECT_EQ(objects.objects.polygons[0].nodes,
              (std::vector<QPointF>{{1, 1}, {1, 7}, {7, 7}, {7, 1}}));
    EXPECT_TRUE(objects.selection.isEmpty());
    selectStart->trigger(); // selecting again ...
    ASSERT_TRUE(view.draw());
    emit qobject_cast<QMenu*>(selectStart->parent())->aboutToShow();
    EXPECT_EQ(selectStart->text(), QStringLiteral("&Select Start")); // ... ended by the draw

    // All eight, listed from the database by their keys.
    item(view, QStringLiteral("&Edit"), QStringLiteral("Select &All"))->trigger();
    QString listed;
    view.openGrid = [&listed](const QString& statement, const QString&) { listed = statement; };
    item(view, QStringLiteral("&Edit"), QStringLiteral("View Selected In Table"))->trigger();
    EXPECT_EQ(rows(listed).size(), 8) << listed.toStdString();

    // "Find" rings the one sample found.
    item(view, QStringLiteral("&Edit"), QStringLiteral("Select &Clear"))->trigger();
    dialogs.queueText(QStringLiteral("s6"));
    item(view, QStringLiteral("&Edit"), QStringLiteral("Find"))->trigger();
    QCPGraph* marks = nullptr;
    for (int i = 0; i < plot->graphCount(); ++i)
        if (plot->graph(i)->name() == QLatin1String("Selected"))
            marks = plot->graph(i);
    ASSERT_NE(marks, nullptr);
    ASSERT_EQ(marks->data()->size(), 1);
    EXPECT_EQ(marks->data()->begin()->key, 7.0);

    // Pasted: a polygon's nodes, a trendline's equation, values as a series.
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("2.5\t2.5\r\n2.5\t7.5\r\n7.5\t7.5\r\n7.5\t2.5\r\n"));
    item(view, QStringLiteral("Paste Special"), QStringLiteral("Polygon nodes"))->trigger();
    ASSERT_EQ(objects.objects.polygons.size(), 2u);
    clipboard->setText(QStringLiteral("Y=x+0.5"));
    item(view, QStringLiteral("Paste Special"), QStringLiteral("Trendline equation"))->trigger();
    ASSERT_EQ(objects.objects.trendlines.size(), 1u);
    // Its "Style..." opens the style editor on it.
    item(view, QStringLiteral("Trend&Line"), QStringLiteral("Style..."))->trigger();
    auto* styles = view.findChild<StyleEditorView*>();
    ASSERT_NE(styles, nullptr);
    EXPECT_EQ(styles->editor().selectedGroup(), StyleGroup::Trendline);
    styles->close();
    clipboard->setText(QStringLiteral("Au\t1\t2\r\nExtra\t5\t6\r\n"));
    item(view, QStringLiteral("Paste Special"), QStringLiteral("Transpose As Values"))->trigger();
    EXPECT_EQ(seriesCounts(view).last(), QStringLiteral("Extra=2"));

    // The macro lines, as the program's macro runs them in this window. The rectangle holds S5
    // and S3 (S4 and S6 sit on its corners: outside by default), the square S3 and S6.
    DiagramCommands commands(view.controller(), *session);
    const auto run = [&commands](const char* line) {
        return commands.run(MacroCommand::parse(QString::fromUtf8(line))).ok;
    };
    ASSERT_TRUE(run("DISCRPOLYGON"));
    EXPECT_EQ(seriesCounts(view), (QStringList{"II=1", "IO=1", "OI=1", "OO=5"}));
    for (const char* name : {"both", "rectangle", "square", ""})
        dialogs.queueText(QString::fromUtf8(name));
    ASSERT_TRUE(run("DISCRRENAME"));
    EXPECT_EQ(seriesCounts(view), (QStringList{"both=1", "rectangle=1", "square=1", "Null=5"}));
    ASSERT_TRUE(run("DISCRTRENDLINE"));
    EXPECT_EQ(seriesCounts(view), (QStringList{"B=8"})); // every sample under Y = x + 0.5
}

TEST_P(DiagramObjectsViewTest, ReferencePointsAndLabelsAreMovedByTheirMenusAndAClick) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    ASSERT_NO_FATAL_FAILURE(drawDiagonal(view));
    auto* plot = view.findChild<QCustomPlot*>();
    DiagramObjectController& objects = view.objectMenus().controller();
    const auto textAt = [&view](const QString& text) {
        for (const OverlayText& t : view.controller().figure().texts)
            if (t.text == text)
                return t.position;
        return QPointF(-1, -1);
    };

    item(view, QStringLiteral("&RefPoint"), QStringLiteral("&Create"))->trigger();
    mouse(*plot, QEvent::MouseButtonPress, {3, 3});
    dialogs.queueText(QStringLiteral("1"));
    item(view, QStringLiteral("&RefPoint"), QStringLiteral("&Move"))->trigger();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Click the new position of point P1"));
    mouse(*plot, QEvent::MouseButtonPress, {8, 4});
    ASSERT_EQ(objects.objects.points.size(), 1u);
    EXPECT_NEAR(textAt(QStringLiteral("+ P1")).x(), 8, 0.05);
    EXPECT_NEAR(textAt(QStringLiteral("+ P1")).y(), 4, 0.05);

    dialogs.queueText(QStringLiteral("Vein"));
    item(view, QStringLiteral("&Text labels"), QStringLiteral("&Add"))->trigger();
    mouse(*plot, QEvent::MouseButtonPress, {2, 9});
    dialogs.queueAnswer(Answer::Yes);
    item(view, QStringLiteral("&Text labels"), QStringLiteral("&Move"))->trigger();
    mouse(*plot, QEvent::MouseButtonPress, {6, 1});
    EXPECT_NEAR(textAt(QStringLiteral("Vein")).x(), 6, 0.05);

    // A number that is no point moves nothing and waits for no click.
    dialogs.queueText(QStringLiteral("2"));
    item(view, QStringLiteral("&RefPoint"), QStringLiteral("&Move"))->trigger();
    EXPECT_EQ(objects.mode(), DiagramObjectController::Mode::None);
}

TEST_P(DiagramObjectsViewTest, HeaderLabelsStoreGroupsDistancesAndDeltasByKey) {
    DiagramView view(*session, dialogs, status, {dir.filePath(QStringLiteral("user")), {}});
    ASSERT_NO_FATAL_FAILURE(drawDiagonal(view));
    DiagramObjectController& objects = view.objectMenus().controller();
    // Y = x - 1 under the diagonal: every sample lies above it ("A"), one unit over it, and
    // 1/sqrt(2) from it.
    objects.objects.addTrendline({ObjectAxes::of(view.controller().definition),
                                  QStringLiteral("Under"), -10, 30, QStringLiteral("Y=x-1")});
    item(view, QStringLiteral("Trend&Line"), QStringLiteral("&Discriminate"))->trigger();
    item(view, QStringLiteral("Trend&Line"), QStringLiteral("&Header..."))->trigger();
    auto* header = view.findChild<ObjectHeaderView*>();
    ASSERT_NE(header, nullptr);

    const struct {
        const char* label;
        const char* column;
        CellValue expected;
    } cases[] = {
        {"Discr", "Grp", CellValue::text(QStringLiteral("A"))},
        {"Dista", "Dst", CellValue::number(std::sqrt(0.5))},
        {"Delta", "Dlt", CellValue::number(1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto* label = header->findChild<QLabel*>(QStringLiteral("store") + c.label);
        ASSERT_NE(label, nullptr);
        emit label->linkActivated(QString::fromLatin1(c.label));
        const QString title =
            QStringLiteral("Store ") + QString::fromLatin1(c.label) + QStringLiteral(" values to:");
        GroupStoreDialog* store = nullptr;
        for (GroupStoreDialog* d : view.findChildren<GroupStoreDialog*>())
            if (d->windowTitle() == title)
                store = d;
        ASSERT_NE(store, nullptr) << dialogs.texts().join('\n').toStdString();
        const QList<QComboBox*> boxes = store->findChildren<QComboBox*>();
        boxes[0]->setCurrentText(QStringLiteral("Rocks"));
        boxes[1]->setCurrentText(DiagramObjectController::createNewColumn());
        store->findChild<QLineEdit*>()->setText(QString::fromLatin1(c.column));
        ASSERT_TRUE(store->store()) << dialogs.texts().join('\n').toStdString();
        const auto stored = session->connection()->query(QStringLiteral("SELECT [") +
                                                         QString::fromLatin1(c.column) +
                                                         QStringLiteral("] FROM [Rocks]"));
        ASSERT_TRUE(stored);
        ASSERT_EQ(stored->rowCount(), 8);
        for (qsizetype r = 0; r < stored->rowCount(); ++r) {
            const CellValue v = stored->at(r, 0);
            if (c.expected.toNumber())
                EXPECT_NEAR(v.toNumber().value_or(-1), *c.expected.toNumber(), 1e-9) << r;
            else
                EXPECT_EQ(v.toText(), c.expected.toText()) << r;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, DiagramObjectsViewTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
