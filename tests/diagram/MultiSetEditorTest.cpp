// The multi-set frame: stepping through sets, starting a new one, storing edits and "Del".
#include "diagram/MultiSetEditor.h"

#include <gtest/gtest.h>

namespace {

using Set = DiagramDefinition::Set;

QStringList yFields(const DiagramDefinition& d) {
    QStringList out;
    for (const Set& s : d.sets)
        out << s.yField;
    return out;
}

TEST(MultiSetEditor, StepsThroughSetsAndStartsANewOneAfterTheLast) {
    DiagramDefinition d;
    MultiSetEditor editor(d);
    EXPECT_EQ(editor.current(), 1);
    editor.store({"Major", "SiO2", "", "", ""}); // no Y yet: not a set
    EXPECT_EQ(editor.count(), 0);
    editor.store({"Major", "SiO2", "Trace", "Zr", ""});
    EXPECT_EQ(yFields(d), QStringList{"Zr"});

    EXPECT_TRUE(editor.select(2).xTable.isEmpty()); // a new set
    editor.store({"Major", "SiO2", "Trace", "Nb", "Granites"});
    EXPECT_EQ(editor.select(9).yField, QString()); // clamped to the next new set
    EXPECT_EQ(editor.current(), 3);
    EXPECT_EQ(editor.select(0).yField, QStringLiteral("Zr"));
    EXPECT_EQ(editor.select(2).filter, QStringLiteral("Granites"));

    editor.store({"Major", "SiO2", "Trace", "Y", ""}); // an edit replaces the set shown
    EXPECT_EQ(yFields(d), (QStringList{"Zr", "Y"}));
}

TEST(MultiSetEditor, DelRemovesTheSetShownAndShowsTheNext) {
    DiagramDefinition d;
    d.sets = {{"A", "x", "A", "y1", ""}, {"A", "x", "A", "y2", ""}, {"A", "x", "A", "y3", ""}};
    MultiSetEditor editor(d);
    editor.select(2);
    EXPECT_EQ(editor.remove().yField, QStringLiteral("y3"));
    EXPECT_EQ(yFields(d), (QStringList{"y1", "y3"}));
    EXPECT_EQ(editor.current(), 2);
    EXPECT_EQ(editor.remove().yField, QString()); // the last went: a new set is shown
    EXPECT_EQ(editor.current(), 2);
    EXPECT_EQ(editor.remove().yField, QString()); // nothing to remove on a new set
    EXPECT_EQ(yFields(d), QStringList{"y1"});
}

} // namespace
