// The SQL clause editor's dialog on the offscreen platform: its menu items and buttons act on
// the text field, and only OK hands a changed text back.
#include "query/ui/SqlClauseDialog.h"
#include "app/WindowGeometry.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserSettingsStore.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

const QString query = QStringLiteral("SELECT * FROM [Rocks] WHERE [Rock] = 'Granite'");

class SqlClauseDialogTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UserSettingsStore store{dir.filePath(QStringLiteral("config"))};
    WindowGeometry geometry{store};
    ScriptedDialogs dialogs;

    static void trigger(QWidget& dialog, const QString& caption) {
        for (QAction* a : dialog.findChild<QMenuBar*>()->actions())
            if (a->text() == caption)
                return a->trigger();
        FAIL() << "no menu item " << caption.toStdString();
    }
    static void click(QWidget& dialog, const QString& caption) {
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == caption)
                return b->click();
        FAIL() << "no button " << caption.toStdString();
    }
    static void select(QPlainTextEdit* field, int from, int to) {
        QTextCursor c = field->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        field->setTextCursor(c);
    }
};

TEST_F(SqlClauseDialogTest, MenuItemsEditTheTextAndOkHandsItBack) {
    SqlClauseDialog dialog(query, dialogs, &geometry);
    QPlainTextEdit* field = dialog.textField();

    dialogs.queueText(QStringLiteral("Granite"));
    dialogs.queueText(QStringLiteral("Basalt"));
    trigger(dialog, QStringLiteral("&Replace"));
    EXPECT_EQ(field->toPlainText(),
              QStringLiteral("SELECT * FROM [Rocks] WHERE [Rock] = 'Basalt'"));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Give text to be searched for", "Give replacing string"}));

    // Copy takes the selection; Paste puts the clipboard over the selection.
    select(field, 14, 21);
    trigger(dialog, QStringLiteral("&Copy"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("[Rocks]"));
    QApplication::clipboard()->setText(QStringLiteral("[Ores]"));
    trigger(dialog, QStringLiteral("&Paste"));
    EXPECT_EQ(field->toPlainText(), QStringLiteral("SELECT * FROM [Ores] WHERE [Rock] = 'Basalt'"));

    // Save writes the text as it stands; Open reads another file over it.
    const QString saved = dir.filePath(QStringLiteral("saved.sql"));
    dialogs.queueText(saved);
    trigger(dialog, QStringLiteral("&Save"));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), field->toPlainText());
    QFile other(dir.filePath(QStringLiteral("other.sql")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("SELECT [Au] FROM [Assays]");
    other.close();
    dialogs.queueText(other.fileName());
    trigger(dialog, QStringLiteral("&Open"));
    EXPECT_EQ(field->toPlainText(), QStringLiteral("SELECT [Au] FROM [Assays]"));

    // Refresh brings back the text the editor opened with; a typed change then goes out on OK.
    click(dialog, QStringLiteral("Refresh"));
    EXPECT_EQ(field->toPlainText(), query);
    field->setPlainText(query + QStringLiteral(" ORDER BY [Rock]"));
    click(dialog, QStringLiteral("OK"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.changedText(), query + QStringLiteral(" ORDER BY [Rock]"));
}

TEST_F(SqlClauseDialogTest, CancelAndUnchangedTextGiveNothingAndThePlaceIsKept) {
    {
        SqlClauseDialog dialog(query, dialogs, &geometry);
        dialog.textField()->setPlainText(QStringLiteral("DROP TABLE [Rocks]"));
        dialog.move(70, 80);
        click(dialog, QStringLiteral("Cancel"));
        EXPECT_EQ(dialog.changedText(), std::nullopt);
    }
    EXPECT_EQ(geometry.load(QStringLiteral("SQLclause")).left, 70);
    SqlClauseDialog again(query, dialogs, &geometry);
    EXPECT_EQ(again.pos(), QPoint(70, 80));
    click(again, QStringLiteral("OK"));
    EXPECT_EQ(again.changedText(), std::nullopt); // OK on the unchanged text
}

} // namespace
