#include "query/SqlClauseWindow.h"

#include "platform/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MemoryClipboard : public TextClipboard {
public:
    QString text() const override { return content; }
    void setText(const QString& text) override { content = text; }
    QString content;
};

struct Editor {
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    QString exchange;
    SqlClauseWindow window{dialogs, clipboard, exchange};
};

const QString original = QStringLiteral("SELECT * FROM [A] WHERE [A].[X] > 1");

} // namespace

TEST(SqlClauseWindow, OkHandsTheTextBackAndCancelLeavesTheOriginal) {
    Editor e;
    e.exchange = original;
    e.window.open(original);
    EXPECT_TRUE(e.window.isOpen());
    e.window.setText(QStringLiteral("SELECT * FROM [B]"));
    e.window.cancel();
    EXPECT_FALSE(e.window.isOpen());
    EXPECT_EQ(e.exchange, original);
    EXPECT_EQ(SqlClauseWindow::changedText(original, e.exchange), std::nullopt);

    e.window.open(original);
    e.window.setText(QStringLiteral("SELECT * FROM [B]"));
    e.window.accept();
    EXPECT_FALSE(e.window.isOpen());
    EXPECT_EQ(SqlClauseWindow::changedText(original, e.exchange),
              QStringLiteral("SELECT * FROM [B]"));

    // An emptied text is no new text: the caller keeps its original.
    e.window.open(original);
    e.window.setText({});
    e.window.accept();
    EXPECT_EQ(SqlClauseWindow::changedText(original, e.exchange), std::nullopt);
}

TEST(SqlClauseWindow, RefreshPutsTheOpeningTextBack) {
    Editor e;
    e.window.open(original);
    e.window.setText(QStringLiteral("x"));
    e.window.refresh();
    EXPECT_EQ(e.window.text(), original);
}

TEST(SqlClauseWindow, ReplacesEveryOccurrenceCaseSensitively) {
    struct Case {
        const char* text;
        std::optional<QString> search, replacement;
        bool replaced;
        const char* result;
    } cases[] = {
        {"[A].[X] > 1 AND [a].[Y] > [A].[Z]", "[A]", "[B]", true,
         "[B].[X] > 1 AND [a].[Y] > [B].[Z]"},
        {"aaa", "aa", "b", true, "ba"},
        {"[A].[X]", "[A].", "", true, "[X]"},
        {"[A].[X]", std::nullopt, std::nullopt, false, "[A].[X]"},
        {"[A].[X]", "", "[B]", false, "[A].[X]"},
        // Cancelling the second box changes nothing, it does not delete the found text.
        {"[A].[X]", "[A]", std::nullopt, false, "[A].[X]"},
    };
    for (const Case& c : cases) {
        Editor e;
        e.window.open(QString::fromUtf8(c.text));
        for (const auto& reply : {c.search, c.replacement}) {
            if (reply)
                e.dialogs.queueText(*reply);
            else
                e.dialogs.queueCancel();
        }
        EXPECT_EQ(e.window.replace(), c.replaced) << c.text;
        EXPECT_EQ(e.window.text(), QString::fromUtf8(c.result)) << c.text;
        EXPECT_EQ(e.dialogs.texts().value(0), QStringLiteral("Give text to be searched for"));
        if (c.search && !c.search->isEmpty())
            EXPECT_EQ(e.dialogs.texts().value(1), QStringLiteral("Give replacing string"));
        else
            EXPECT_EQ(e.dialogs.texts().size(), 1);
    }
}

TEST(SqlClauseWindow, CopiesAndPastesThroughTheClipboard) {
    Editor e;
    e.window.open(original);
    e.window.copy();
    EXPECT_EQ(e.clipboard.content, original);

    e.window.setSelection(14, 3); // "[A]" of the FROM part
    e.window.copy();
    EXPECT_EQ(e.clipboard.content, QStringLiteral("[A]"));

    e.clipboard.content = QStringLiteral("[Assay]");
    e.window.paste();
    EXPECT_EQ(e.window.text(), QStringLiteral("SELECT * FROM [Assay] WHERE [A].[X] > 1"));
    EXPECT_EQ(e.window.selectionStart(), 21);
    EXPECT_EQ(e.window.selectionLength(), 0);

    // A selection beyond the text is clamped, never read past its end.
    e.window.setSelection(1000, 5);
    e.clipboard.content = QStringLiteral(";");
    e.window.paste();
    EXPECT_TRUE(e.window.text().endsWith(u';'));
}

TEST(SqlClauseWindow, SavesAndOpensSqlFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("gold.sql"));
    const QString text = QStringLiteral("SELECT *\nFROM [Ä]\nWHERE [Ä].[X] = 'ö';");

    Editor e;
    e.window.open(text);
    e.dialogs.queueText(path);
    ASSERT_TRUE(e.window.save());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), text);

    Editor other;
    other.window.open(QString());
    other.dialogs.queueText(path);
    ASSERT_TRUE(other.window.openFile());
    EXPECT_EQ(other.window.text(), text);

    // Cancelled dialogs change nothing and say nothing.
    other.window.setText(QStringLiteral("kept"));
    other.dialogs.clearLog();
    EXPECT_FALSE(other.window.openFile());
    EXPECT_FALSE(other.window.save());
    EXPECT_EQ(other.window.text(), QStringLiteral("kept"));
    ASSERT_EQ(other.dialogs.log().size(), 2u);
    EXPECT_EQ(other.dialogs.log()[0].shown, ScriptedDialogs::Shown::OpenFile);
    EXPECT_EQ(other.dialogs.log()[1].shown, ScriptedDialogs::Shown::SaveFile);
}

TEST(SqlClauseWindow, TellsWhenAFileCannotBeWrittenOrRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Editor e;
    e.window.open(original);
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/x.sql"));
    QFile blocker(dir.filePath(QStringLiteral("no")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    e.dialogs.queueText(missing);
    EXPECT_FALSE(e.window.save());
    e.dialogs.queueText(dir.filePath(QStringLiteral("absent.sql")));
    EXPECT_FALSE(e.window.openFile());
    EXPECT_EQ(e.window.text(), original);
    const QStringList texts = e.dialogs.texts();
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[1], QStringLiteral("Cannot write file ") + missing);
    EXPECT_EQ(texts[3],
              QStringLiteral("Cannot read file ") + dir.filePath(QStringLiteral("absent.sql")));
    EXPECT_EQ(e.dialogs.log()[1].kind, MessageKind::Exclamation);
}
