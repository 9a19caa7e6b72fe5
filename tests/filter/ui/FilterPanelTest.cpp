// The filter window's widgets on the offscreen platform, over a real SQLite session.
#include "filter/ui/FilterPanel.h"
#include "../FilterSession.h"
#include "filter/FilterWindow.h"
#include "support/TestPaths.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

namespace {

class FilterPanelTest : public FilterSession {};

QPushButton* buttonNamed(QWidget& panel, const QString& text) {
    for (QPushButton* b : panel.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

TEST_P(FilterPanelTest, MakesAFilterFromItsBoxesAndDrawsItself) {
    FilterWindow window(*session, dialogs, status);
    FilterPanel panel(window, session->catalogue());
    panel.resize(520, 720);
    panel.show();

    const QList<QComboBox*> combos = panel.findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 5);
    combos[0]->setCurrentText(QStringLiteral("Rocks"));
    combos[1]->setCurrentText(QStringLiteral("Rock"));
    combos[2]->setCurrentText(QStringLiteral("Is Null"));
    const QList<QLineEdit*> boxes = panel.findChildren<QLineEdit*>();
    ASSERT_EQ(boxes.size(), 4);
    EXPECT_FALSE(boxes[0]->isEnabled()); // no value for "Is Null"
    combos[2]->setCurrentText(QStringLiteral("="));
    EXPECT_TRUE(boxes[0]->isEnabled());
    boxes[0]->setText(QStringLiteral("Granite"));
    boxes[1]->setText(QStringLiteral("Granites"));

    QPushButton* make = buttonNamed(panel, QStringLiteral("Make filter"));
    ASSERT_TRUE(make);
    make->click();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
    ASSERT_EQ(panel.filterList()->count(), 1);
    EXPECT_EQ(panel.filterList()->item(0)->text(), QStringLiteral("Granites"));
    EXPECT_EQ(panel.findChild<QPlainTextEdit*>()->toPlainText(),
              QStringLiteral("CREATE VIEW [f_Granites] AS SELECT * FROM [Rocks] WHERE "
                             "([Rocks].[Rock] = 'Granite')"));

    EXPECT_EQ(combos[1]->currentText(), QStringLiteral("Rock")); // choices survive the refresh
    panel.filterList()->item(0)->setSelected(true);
    buttonNamed(panel, QStringLiteral("Info"))->click();
    EXPECT_TRUE(dialogs.texts().last().startsWith(QStringLiteral("FILTER Granites (2)")));

    // A second filter, then both combined into a third through the combine boxes.
    boxes[0]->setText(QStringLiteral("Basalt"));
    boxes[1]->setText(QStringLiteral("Basalts"));
    make->click();
    combos[3]->setCurrentText(QStringLiteral("Granites"));
    combos[4]->setCurrentText(QStringLiteral("Basalts"));
    boxes[3]->setText(QStringLiteral("Either"));
    for (QRadioButton* option : panel.findChildren<QRadioButton*>())
        if (option->text() == QStringLiteral("A, B and C"))
            option->setChecked(true);
    buttonNamed(panel, QStringLiteral("Combine filters"))->click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Done !"));
    EXPECT_EQ(rows(QStringLiteral("SELECT [SampleID] FROM [f_Either]")),
              (QStringList{"S1", "S2", "S3"}));
    EXPECT_EQ(panel.filterList()->findItems(QStringLiteral("Either"), Qt::MatchExactly).size(), 1);

    const QImage picture = panel.grab().toImage();
    ASSERT_FALSE(picture.isNull());
    const QString path = testpaths::binaryDir() + QStringLiteral("/tests/filter-window.png");
    ASSERT_TRUE(picture.save(path));
    const QImage saved(path);
    ASSERT_EQ(saved.size(), picture.size());
    QSet<QRgb> colours;
    for (int y = 0; y < saved.height(); y += 4)
        for (int x = 0; x < saved.width(); x += 4)
            colours.insert(saved.pixel(x, y));
    EXPECT_GT(colours.size(), 5);
}

INSTANTIATE_TEST_SUITE_P(Engines, FilterPanelTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
