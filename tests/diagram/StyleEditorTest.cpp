// The style editor's tools and library tab over a drawn figure: what each asks and says, and
// that a refused or unanswered change leaves the library as it was.
#include "diagram/StyleEditor.h"
#include "diagram/ClipDataDiagram.h"
#include "platform/ScriptedDialogs.h"

namespace {

using D = DiagramDefinition;

class StyleEditorTest : public ClipDataDiagram<ScriptedDialogs> {
protected:
    void SetUp() override {
        useSheet({"ID\tAu\tCu\tRock", "1\t1\t1\tBasalt", "2\t2\t2\tGranite"});
        window.definition.tables[D::Class] = QStringLiteral("ClipData");
        window.definition.fields[D::Class] = QStringLiteral("Rock");
        ASSERT_TRUE(window.draw());
    }
    QStringList entries(const StyleEditor& e) const {
        QStringList names;
        for (const NamedStyle& n : e.libraryEntries())
            names << n.name;
        return names;
    }
};

TEST_F(StyleEditorTest, ToolsChangeEveryObjectOfTheGroup) {
    StyleEditor editor(window);
    ASSERT_TRUE(editor.select(StyleGroup::Symbol, 1));
    editor.setForm(15); // "Open Inverted Tri"
    editor.setSize(11);
    editor.setPattern(2); // "Long Dash"
    editor.shapeAndSizeToAll();
    editor.patternAndWidthToAll();
    editor.symbolsToBlack();
    editor.linesToBlack();
    for (const NamedStyle& n : editor.objects(StyleGroup::Symbol)) {
        EXPECT_EQ(n.style.symbol, SymbolShape::TriangleDown);
        EXPECT_FALSE(n.style.filled);
        EXPECT_EQ(n.style.symbolSize, 11);
        EXPECT_EQ(n.style.linePattern, LineDash::LongDash);
        EXPECT_EQ(n.style.color, (FigureColor{0, 0, 0, 255}));
        EXPECT_EQ(n.style.lineColor, (FigureColor{0, 0, 0, 255}));
    }
    EXPECT_NE(window.figure().series[0].style.symbol, SymbolShape::TriangleDown);
    editor.apply();
    EXPECT_EQ(window.figure().series[0].style, editor.objects(StyleGroup::Symbol)[0].style);
}

TEST_F(StyleEditorTest, LibraryEntriesAreAddedChangedAndRemovedAsAnswered) {
    StyleEditor editor(window);
    EXPECT_EQ(editor.addAllToLibrary(), 2);
    EXPECT_EQ(dialogs.texts(), QStringList{"<Basalt> added\r\n<Granite> added"});
    ASSERT_TRUE(editor.select(StyleGroup::Symbol, 0));
    dialogs.clearLog();
    EXPECT_EQ(editor.addToLibrary(), 0);
    EXPECT_EQ(dialogs.texts(), QStringList{"Allready exists!"});

    const QString replace =
        QStringLiteral("Such name allready exists, do you want to replace that?");
    struct Case {
        const char* what;
        std::function<bool()> run;
        std::vector<std::optional<QString>> answers; // a text, "" for Yes, nullopt for No
        QStringList texts;
        QStringList after;
        bool done;
    };
    const std::vector<Case> cases = {
        {"Change onto a taken name, No",
         [&] { return editor.changeEntry(0); },
         {QStringLiteral("Granite"), std::nullopt},
         {"Give class name", replace},
         {"<Basalt>", "<Granite>"},
         false},
        {"Change to a new name",
         [&] { return editor.changeEntry(0); },
         {QStringLiteral("Dolerite")},
         {"Give class name"},
         {"<Dolerite>", "<Granite>"},
         true},
        {"Remove, No",
         [&] { return editor.removeEntry(1); },
         {std::nullopt},
         {"Remove <Granite> from the library?"},
         {"<Dolerite>", "<Granite>"},
         false},
        {"Change onto a taken name, Yes",
         [&] { return editor.changeEntry(1); },
         {QStringLiteral("Dolerite"), QString()},
         {"Give class name", replace},
         {"<Dolerite>"},
         true},
        {"Clear, No",
         [&] { return editor.clearLibrary(); },
         {std::nullopt},
         {"Clear the style library?"},
         {"<Dolerite>"},
         false},
    };
    for (const Case& c : cases) {
        dialogs.clearLog();
        for (const auto& a : c.answers)
            a ? (a->isEmpty() ? dialogs.queueAnswer(Answer::Yes) : dialogs.queueText(*a))
              : dialogs.queueAnswer(Answer::No);
        EXPECT_EQ(c.run(), c.done) << c.what;
        EXPECT_EQ(dialogs.texts(), c.texts) << c.what;
        EXPECT_EQ(entries(editor), c.after) << c.what;
    }
}

} // namespace
