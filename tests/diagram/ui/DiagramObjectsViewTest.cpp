// User objects through the diagram view on the offscreen platform over real databases: a
// polygon digitised with mouse clicks on the chart, the samples discriminated, the groups
// named (one with a quote and a bracket, one Null) and written back by key into a new column,
// read back from the database; the objects come back with the graph file; every object menu
// item is in the window.
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/GroupStoreDialog.h"
#include "filter/FilterSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
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

INSTANTIATE_TEST_SUITE_P(Engines, DiagramObjectsViewTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
