// The query window on the offscreen platform, over a real SQLite session: conditions are added
// through its boxes, the text runs in a grid, is stored as a "Q_" view and as a .sql file, and
// "Select Table in Query" opens one table of a two-table query.
#include "filter/ui/QueryView.h"
#include "../FilterSession.h"
#include "query/QueryTableChooser.h"
#include "query/ui/QueryTableChooserDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

class QueryViewTest : public FilterSession {
protected:
    void SetUp() override {
        FilterSession::SetUp();
        if (!session)
            return;
        view = std::make_unique<QueryView>(*session, dialogs, nullptr);
        view->openGrid = [this](const QString& statement, const QString& caption) {
            opened.push_back({statement, caption});
            return true;
        };
    }
    void click(const QString& caption) {
        for (QPushButton* b : view->findChildren<QPushButton*>())
            if (b->text() == caption)
                return b->click();
        FAIL() << "no button " << caption.toStdString();
    }

    std::unique_ptr<QueryView> view;
    std::vector<std::pair<QString, QString>> opened;
};

TEST_P(QueryViewTest, AddsConditionsRunsAndStoresTheText) {
    view->sqlText()->setPlainText(QStringLiteral("SELECT * FROM [Rocks]"));
    // The field picker offers the fields of the tables the text reads.
    EXPECT_EQ(view->fieldBox()->count(), 4);
    view->fieldBox()->setCurrentText(QStringLiteral("Rock"));
    view->operatorBox()->setCurrentText(QStringLiteral("="));
    view->conditionBox()->setText(QStringLiteral("Granite"));
    click(QStringLiteral("Add condition"));
    view->fieldBox()->setCurrentText(QStringLiteral("Au"));
    view->operatorBox()->setCurrentText(QStringLiteral(">"));
    view->conditionBox()->setText(QStringLiteral("5"));
    click(QStringLiteral("Add condition"));
    const QString text = view->sqlText()->toPlainText();
    EXPECT_EQ(rows(text), QStringList{"S1|Granite|12|O'Brien"}) << text.toStdString();

    click(QStringLiteral("Run"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, text);

    dialogs.queueText(QStringLiteral("RichGranite"));
    click(QStringLiteral("Save as Query..."));
    EXPECT_EQ(rows(QStringLiteral("SELECT [SampleID] FROM [Q_RichGranite]")), QStringList{"S1"});

    const QString file = dir.filePath(QStringLiteral("rich.sql"));
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(file);
    click(QStringLiteral("Save..."));
    view->sqlText()->clear();
    dialogs.queueText(file);
    click(QStringLiteral("Open..."));
    EXPECT_EQ(view->sqlText()->toPlainText(), text);

    // An empty condition is a wild card only when the person says so.
    dialogs.clearLog();
    view->conditionBox()->clear();
    dialogs.queueAnswer(Answer::No);
    click(QStringLiteral("Add condition"));
    EXPECT_EQ(view->sqlText()->toPlainText(), text);
    EXPECT_EQ(dialogs.texts(), QStringList{"Condition is empty, is it * (wild card)?"});
}

TEST_P(QueryViewTest, SelectTableInQueryOpensThePickedTablesRowsOfTheQuery) {
    view->sqlText()->setPlainText(
        QStringLiteral("SELECT * FROM [Rocks], [Assays] WHERE [Assays].[Element] = 'Au'"));
    // The chooser is modal: pick Rocks in it once it shows.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QueryTableChooserDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select Table in Query"));
        QListWidget* tables = dialog->tables();
        ASSERT_EQ(tables->count(), 2);
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK"))
                b->click(); // nothing picked: the dialog says so and stays
        EXPECT_EQ(dialogs.texts(), QStringList{"No table selected"});
        tables->item(0)->setSelected(true);
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK"))
                b->click();
    });
    click(QStringLiteral("Select Table in Query..."));
    ASSERT_TRUE(shown);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].second, QStringLiteral("Query/Select Table in Query"));
    // Rocks rows that have an Au assay, once per assay row.
    EXPECT_EQ(rows(QStringLiteral("SELECT [SampleID] FROM (") + opened[0].first +
                   QStringLiteral(") AS q")),
              (QStringList{"S1", "S1", "S2"}))
        << opened[0].first.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, QueryViewTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
