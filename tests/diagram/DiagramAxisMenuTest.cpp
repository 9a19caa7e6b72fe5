// The diagram window's "Axis" menu over a real ClipData sheet: the menu ranges and what a
// redraw does with them, the freeze switches, the looks a redraw keeps, axis titles with their
// aliases, the label frequency, the fixed ratio, and the scale dialog's up/down steps.
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "diagram/ClipDataDiagram.h"
#include "diagram/DiagramWindow.h"
#include "figure/UserAxisScale.h"
#include "platform/HeadlessStatus.h"
#include "platform/NumberText.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sheet.h"
#include "platform/sqlite/SqliteConnection.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using D = DiagramDefinition;
using Freeze = DiagramWindow::Freeze;

// Scripted answers that also keep what each input box was pre-filled with.
class PrefillDialogs : public ScriptedDialogs {
public:
    QStringList prefills;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& defaultText) override {
        prefills << defaultText;
        return ScriptedDialogs::input(title, prompt, defaultText);
    }
};

struct Range {
    double min, max;
    bool operator==(const Range&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Range& r) {
    return os << r.min << ".." << r.max;
}
Range rangeOf(const Axis& a) {
    return {a.min, a.max};
}

class DiagramAxisMenuTest : public ClipDataDiagram<PrefillDialogs> {
protected:
    Range autoX, autoY; // the automatic ranges of the sample

    // Au 1..8 against Cu -5..40.
    void SetUp() override {
        useSheet({"ID\tAu\tCu", "1\t1\t10", "2\t2\t0", "3\t4\t-5", "4\t8\t40"});
        ASSERT_TRUE(window.draw());
        autoX = rangeOf(window.figure().x);
        autoY = rangeOf(window.figure().y);
        ASSERT_LE(autoX.min, 1);
        ASSERT_GE(autoY.max, 40);
        dialogs.clearLog();
    }

    QStringList shown() const { return dialogs.texts(); }
};

TEST_F(DiagramAxisMenuTest, MenuScalesTakeOnlyARangeWithMinBelowMax) {
    struct Case {
        AxisId axis;
        std::vector<const char*> answers; // nullptr: cancel
        bool changed;
        QStringList texts; // prompts and messages, in order
        Range expected;
    };
    const QString badX =
        QStringLiteral("Min is greater than or equal to max. X-axis scale not changed.");
    const QString badY =
        QStringLiteral("Min is greater than or equal to max. Y-axis scale not changed.");
    const std::vector<Case> cases = {
        {AxisId::X, {"0", "20"}, true, {"Give X axis min", "Give X axis max"}, {0, 20}},
        {AxisId::X, {"5", "5"}, false, {"Give X axis min", "Give X axis max", badX}, autoX},
        {AxisId::X, {nullptr}, false, {"Give X axis min"}, autoX},
        {AxisId::Y, {"-10", "100"}, true, {"Give Y axis min", "Give Y axis max"}, {-10, 100}},
        {AxisId::Y, {"3", "1"}, false, {"Give Y axis min", "Give Y axis max", badY}, autoY},
    };
    for (const Case& c : cases) {
        window.resetScale();
        dialogs.clearLog();
        dialogs.prefills.clear();
        for (const char* answer : c.answers)
            answer ? dialogs.queueText(QString::fromLatin1(answer)) : dialogs.queueCancel();
        EXPECT_EQ(window.askAxisScale(c.axis), c.changed) << c.texts.join('|').toStdString();
        EXPECT_EQ(shown(), c.texts);
        const Range before = c.axis == AxisId::X ? autoX : autoY;
        EXPECT_EQ(dialogs.prefills.first(), NumberText::toText(before.min)); // the current end
        EXPECT_EQ(rangeOf(window.figure().axis(c.axis)), c.expected);
        if (c.axis == AxisId::Y) {
            EXPECT_EQ(rangeOf(window.figure().y2), c.expected); // both Y axes
        }
        EXPECT_EQ(window.scaleState.note(),
                  c.changed ? QStringLiteral("User defined axis scale") : QString());
    }
}

// Each input box of the diagram window has its own title.
TEST_F(DiagramAxisMenuTest, InputBoxesCarryTheirTitles) {
    struct Case {
        std::function<bool()> ask;
        QStringList titles;
    };
    const std::vector<Case> cases = {
        {[&] { return window.askAxisScale(AxisId::X); },
         {"QUV Data XY: X min", "QUV Data XY: X max"}},
        {[&] { return window.askAxisScale(AxisId::Y); },
         {"QUV Data XY: Y min", "QUV Data XY: Y max"}},
        {[&] { return window.askAxisRatio(); }, {"X:Y Axis Ratio"}},
        {[&] { return window.askLabelFrequency(); }, {"X-axis label frequency"}},
        {[&] { return window.askAxisTitle(AxisId::X); }, {"QUV Data"}},
        {[&] { return window.askClassifyOption(); }, {"QUV Data Classify Options"}},
    };
    for (const Case& c : cases) {
        dialogs.clearLog();
        for (int i = 0; i < c.titles.size(); ++i)
            dialogs.queueText(QStringLiteral("1"));
        c.ask();
        QStringList titles;
        for (const ScriptedDialogs::Entry& e : dialogs.log())
            if (e.shown == ScriptedDialogs::Shown::Input)
                titles << e.title;
        EXPECT_EQ(titles, c.titles);
    }
}

TEST_F(DiagramAxisMenuTest, ARedrawReturnsToAutomaticUnlessFrozen) {
    struct Case {
        bool freezeX, freezeY;
        Range x, y;
        const char* note;
    };
    const Range user{100, 200};
    const std::vector<Case> cases = {
        {false, false, autoX, autoY, ""},
        {true, false, user, autoY, "Freezed X scale"},
        {false, true, autoX, user, "Freezed Y scale"},
        {true, true, user, user, "Freezed X and Y scale"},
    };
    for (const Case& c : cases) {
        window.scaleState = {};
        ASSERT_TRUE(window.applyScaleDialog({"100", "200", "100", "200"}));
        window.scaleState.freezeX = c.freezeX;
        window.scaleState.freezeY = c.freezeY;
        ASSERT_TRUE(window.draw());
        EXPECT_EQ(rangeOf(window.figure().x), c.x) << c.note;
        EXPECT_EQ(rangeOf(window.figure().y), c.y) << c.note;
        EXPECT_EQ(rangeOf(window.figure().y2), c.y) << c.note;
        EXPECT_EQ(window.scaleState.note(), QString::fromLatin1(c.note));
        // Freed again, the note tells whether a user range is still in force.
        window.scaleState.freezeX = window.scaleState.freezeY = false;
        EXPECT_EQ(window.scaleState.note(),
                  c.freezeX || c.freezeY ? QStringLiteral("User defined axis scale") : QString())
            << c.note;
    }
}

TEST_F(DiagramAxisMenuTest, FreezeMenuFlipsItsFlags) {
    struct Step {
        Freeze choice;
        bool x, y;
    };
    const std::vector<Step> steps = {
        {Freeze::XAndY, true, true},   {Freeze::X, false, true}, {Freeze::XAndY, true, true},
        {Freeze::XAndY, false, false}, {Freeze::Y, false, true}, {Freeze::X, true, true},
        {Freeze::Y, true, false},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        window.toggleFreeze(steps[i].choice);
        EXPECT_EQ(window.scaleState.freezeX, steps[i].x) << "step " << i;
        EXPECT_EQ(window.scaleState.freezeY, steps[i].y) << "step " << i;
    }
}

TEST_F(DiagramAxisMenuTest, AxisLooksSurviveARedraw) {
    window.setReversed(AxisId::X, true);
    window.setReversed(AxisId::Y, true);
    window.setGrid(AxisId::X, GridStyle::Dashed);
    window.setGrid(AxisId::Y, GridStyle::Dotted);
    window.setLogarithmic(AxisId::Y, true);
    window.showY2Axis(true);
    dialogs.queueText(QStringLiteral("3"));
    ASSERT_TRUE(window.askLabelFrequency());
    EXPECT_EQ(shown(), QStringList{"Give frequency for x-axis label"});
    // The log switch scales again: only Cu 10 and 40 can show, in whole decades; 10 lies on
    // one, so the range reaches the next to show its symbol whole.
    EXPECT_EQ(rangeOf(window.figure().y), (Range{1, 100}));

    ASSERT_TRUE(window.draw());
    const Figure& f = window.figure();
    EXPECT_TRUE(f.x.reversed);
    EXPECT_TRUE(f.y.reversed);
    EXPECT_EQ(f.x.grid, GridStyle::Dashed);
    EXPECT_EQ(f.y.grid, GridStyle::Dotted);
    EXPECT_TRUE(f.y.logarithmic);
    EXPECT_FALSE(f.x.logarithmic);
    EXPECT_EQ(f.x.labelFrequency, 3);
    EXPECT_TRUE(f.y2Visible);
    EXPECT_TRUE(f.y2.logarithmic); // the second Y axis follows Y
    EXPECT_TRUE(f.y2.reversed);
    EXPECT_EQ(rangeOf(f.y2), (Range{1, 100}));

    window.setLogarithmic(AxisId::Y, false);
    window.showY2Axis(false);
    ASSERT_TRUE(window.draw());
    EXPECT_EQ(rangeOf(window.figure().y), autoY);
    EXPECT_FALSE(window.figure().y2Visible);
}

TEST_F(DiagramAxisMenuTest, LabelFrequencyTakesOnlyAWholeNumberAboveZero) {
    const std::vector<std::pair<const char*, int>> answers = {{"4", 4},  {"0", 4},    {"2.9", 2},
                                                              {"-3", 2}, {"many", 2}, {nullptr, 2}};
    for (const auto& [answer, frequency] : answers) {
        dialogs.prefills.clear();
        answer ? dialogs.queueText(QString::fromLatin1(answer)) : dialogs.queueCancel();
        const int before = window.figure().x.labelFrequency;
        EXPECT_EQ(window.askLabelFrequency(), frequency != before) << (answer ? answer : "cancel");
        EXPECT_EQ(dialogs.prefills, QStringList{QString::number(before)});
        EXPECT_EQ(window.figure().x.labelFrequency, frequency) << (answer ? answer : "cancel");
    }
}

TEST_F(DiagramAxisMenuTest, AxisTitlesAndTheirAliases) {
    struct Written {
        QString table, field, alias;
        bool operator==(const Written&) const = default;
    };
    struct Case {
        AxisId axis;
        const char* title; // nullptr: cancel
        bool withWriter;
        Answer reply;
        QStringList texts;
        const char* shownTitle;
        std::vector<Written> written;
    };
    const QString question = QStringLiteral("Write in database as aliasname to be used?");
    const std::vector<Case> cases = {
        {AxisId::X, "Gold (ppm)", false, Answer::Yes, {"Give title for x-axis"}, "Gold (ppm)", {}},
        {AxisId::Y,
         "Copper",
         true,
         Answer::Yes,
         {"Give title for y-axis", question},
         "Copper",
         {{"ClipData", "Cu", "Copper"}}},
        {AxisId::X, "Gold", true, Answer::No, {"Give title for x-axis", question}, "Gold", {}},
        {AxisId::X, "Gold", true, Answer::Cancel, {"Give title for x-axis", question}, "Gold", {}},
        {AxisId::Y, nullptr, true, Answer::Yes, {"Give title for y-axis"}, "Cu", {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(window.draw()); // titles back to the field names
        dialogs.clearLog();
        std::vector<Written> written;
        window.useAliases = c.withWriter;
        window.setAliasWriter(c.withWriter
                                  ? DiagramWindow::AliasWriter(
                                        [&](const QString& t, const QString& f, const QString& a) {
                                            written.push_back({t, f, a});
                                        })
                                  : DiagramWindow::AliasWriter());
        c.title ? dialogs.queueText(QString::fromUtf8(c.title)) : dialogs.queueCancel();
        if (c.texts.size() > 1)
            dialogs.queueAnswer(c.reply);
        EXPECT_EQ(window.askAxisTitle(c.axis), c.title != nullptr);
        EXPECT_EQ(shown(), c.texts);
        EXPECT_EQ(window.figure().axis(c.axis).title, QString::fromUtf8(c.shownTitle));
        EXPECT_TRUE(written == c.written) << c.shownTitle;
        window.setAliasWriter({});
    }
}

TEST_F(DiagramAxisMenuTest, RatioIsFixedTurnsOffOrAsksForTheRatio) {
    window.setPlotAreaMeter([](const Figure&) { return QSizeF(400, 300); });
    // Never set: the ratio is first taken from the plot area, and offered.
    dialogs.queueCancel();
    EXPECT_FALSE(window.toggleRatioFixed());
    EXPECT_EQ(dialogs.prefills, QStringList{"1.3333334"});
    EXPECT_FALSE(window.scaleState.ratioFixed);

    dialogs.queueText(QStringLiteral("2:"));
    EXPECT_FALSE(window.toggleRatioFixed());
    EXPECT_EQ(shown().back(), QStringLiteral("Format not correct!"));
    EXPECT_FALSE(window.scaleState.ratioFixed);

    dialogs.queueText(QStringLiteral("1:2"));
    ASSERT_TRUE(window.toggleRatioFixed());
    EXPECT_TRUE(window.scaleState.ratioFixed);
    EXPECT_EQ(window.scaleState.xPerYRatio, 0.5);
    ASSERT_TRUE(window.figure().plotAreaSize);
    EXPECT_EQ(*window.figure().plotAreaSize, QSizeF(150, 300));

    // Chosen while fixed: the ratio goes off and nothing else happens.
    dialogs.clearLog();
    EXPECT_FALSE(window.toggleRatioFixed());
    EXPECT_FALSE(window.scaleState.ratioFixed);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(window.scaleState.xPerYRatio, 0.5);
    ASSERT_TRUE(window.figure().plotAreaSize);
    ASSERT_TRUE(window.draw()); // the next draw frees the plot area
    EXPECT_FALSE(window.figure().plotAreaSize);

    // Chosen again, the ratio in force is offered.
    dialogs.prefills.clear();
    dialogs.queueText(QStringLiteral("1.2"));
    ASSERT_TRUE(window.toggleRatioFixed());
    EXPECT_EQ(dialogs.prefills, QStringList{"0.5"});
    EXPECT_EQ(window.scaleState.xPerYRatio, 1.2);
}

TEST(UserAxisScale, UpDownButtonsStepTheirBoxByTheirAxisRange) {
    struct Case {
        std::array<QString, 4> boxes; // X min, X max, Y min, Y max
        size_t index;
        int direction;
        std::optional<QString> expected;
    };
    const std::array<QString, 4> sample{"0", "250", "0", "0.37"};
    const std::vector<Case> cases = {
        {sample, 0, 1, "10"}, // X spans 250: steps of 10
        {sample, 1, -1, "240"},
        {sample, 2, 1, "0.01"}, // Y spans 0.37: steps of 0.01
        {sample, 3, 1, "0.38"},
        {{"0.1", "0.3", "0", "1"}, 0, 1, "0.11"},  // no binary noise
        {{"7", "7", "0", "1"}, 1, 1, "7.0001"},    // equal ends: 0.0001
        {{"5", "abc", "0", "1"}, 0, -1, "4.9999"}, // the other end unreadable: as if equal
        {{"x", "5", "0", "1"}, 0, 1, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserAxisScale::stepBox(c.boxes, c.index, c.direction), c.expected)
            << c.boxes[c.index].toStdString() << " " << c.direction;

    // Stepping down to zero gives zero, not a remainder or "-0".
    std::array<QString, 4> boxes{"0", "1", "0.03", "0.3"};
    for (int i = 0; i < 3; ++i)
        boxes[2] = *UserAxisScale::stepBox(boxes, 2, -1);
    EXPECT_EQ(boxes[2], QStringLiteral("0"));
}

} // namespace
