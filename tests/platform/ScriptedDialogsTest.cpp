#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

TEST(ScriptedDialogs, AnswersInOrderThenTakesTheSafeAnswer) {
    ScriptedDialogs d;
    d.queueAnswer(Answer::Yes);
    d.queueAnswer(Answer::Cancel);
    EXPECT_EQ(d.question(QStringLiteral("first"), QuestionButtons::YesNoCancel), Answer::Yes);
    // Cancel is not offered by a Yes/No box: it reads as No.
    EXPECT_EQ(d.question(QStringLiteral("second"), QuestionButtons::YesNo), Answer::No);
    EXPECT_EQ(d.question(QStringLiteral("third"), QuestionButtons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(d.question(QStringLiteral("fourth"), QuestionButtons::YesNo), Answer::No);
    EXPECT_EQ(d.texts(), (QStringList{"first", "second", "third", "fourth"}));
}

TEST(ScriptedDialogs, TextRepliesFeedInputAndFileBoxes) {
    ScriptedDialogs d;
    d.queueText(QStringLiteral("/tmp/a.mdb"));
    d.queueCancel();
    d.queueAnswer(Answer::Yes); // not a text: the input box reads it as cancelled
    EXPECT_EQ(
        d.openFile(QStringLiteral("Open"), QStringLiteral("Access database (*.mdb)|*.mdb"), {}),
        QStringLiteral("/tmp/a.mdb"));
    EXPECT_EQ(d.input(QStringLiteral("Digits"), QStringLiteral("Name?"), {}), std::nullopt);
    EXPECT_EQ(d.input(Dialogs::title(), QStringLiteral("Again?"), {}), std::nullopt);
    d.message(MessageKind::Critical, QStringLiteral("Error in opening database x"));
    ASSERT_EQ(d.log().size(), 4u);
    EXPECT_EQ(d.log()[1].title, QStringLiteral("Digits")); // the log keeps each box's title
    EXPECT_EQ(d.log()[2].title, QStringLiteral("QUV Data"));
    EXPECT_EQ(d.log().back().kind, MessageKind::Critical);
}
