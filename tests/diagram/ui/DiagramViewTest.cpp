// The diagram window's widgets on the offscreen platform, over a real SQLite session: the boxes
// drive the draw, the chart shows the classes, and the window keeps its last figure.
#include "diagram/ui/DiagramView.h"
#include "filter/FilterSession.h"
#include "platform/IniFile.h"
#include "support/TestPaths.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPushButton>
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

INSTANTIATE_TEST_SUITE_P(Engines, DiagramViewTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
