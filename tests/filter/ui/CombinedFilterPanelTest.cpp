// The combined-filter frame on the offscreen platform: its boxes drive FilterCombiner and the
// new f_Combined reaches the diagram.
#include "filter/ui/CombinedFilterPanel.h"
#include "../FilterSession.h"
#include "db/SchemaMapper.h"
#include "filter/DiagramFilterTarget.h"
#include "filter/FilterViews.h"
#include "support/TestPaths.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class CombinedFilterPanelTest : public FilterSession {};

struct RecordingDiagram : DiagramFilterTarget {
    QStringList used;
    void useFilter(const QString& view) override { used << view; }
};

TEST_P(CombinedFilterPanelTest, CombinesTheChosenFiltersForTheDiagram) {
    makeGraniteAndRichAuFilters();
    FilterCombiner combiner(db(), session->catalogue(), dialogs, status);
    RecordingDiagram diagram;
    CombinedFilterPanel panel(combiner, session->catalogue().filters, &diagram);
    panel.resize(420, 300);
    panel.show();

    const QList<QComboBox*> boxes = panel.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 2);
    boxes[0]->setCurrentText(QStringLiteral("Granite"));
    boxes[1]->setCurrentText(QStringLiteral("RichAu"));
    panel.findChildren<QRadioButton*>()[1]->setChecked(true); // OR
    EXPECT_EQ(panel.findChild<QLineEdit*>()->text(), QStringLiteral("Granite OR RichAu"));
    bool closed = false;
    QObject::connect(&panel, &CombinedFilterPanel::closeRequested, [&closed] { closed = true; });
    for (QPushButton* b : panel.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Combine two existing filters and close"))
            b->click();
    EXPECT_TRUE(closed) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(diagram.used, QStringList{"f_Combined"});
    EXPECT_EQ(*FilterViews(db()).count(QStringLiteral("f_Combined")),
              5); // S1, S3 and the Au > 2 others
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    EXPECT_TRUE(panel.grab().toImage().save(out + QStringLiteral("/combined-filters.png")));
}

INSTANTIATE_TEST_SUITE_P(Engines, CombinedFilterPanelTest, ::testing::Values(Engine::Sqlite),
                         engineName);

} // namespace
