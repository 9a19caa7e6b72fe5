// Styles and aliases as a person reaches them in the running frame: the default library read
// when the frame is bound, "Apply AutoStyle Search", "Use Aliasnames" with the alias question
// writing to the system database, and the style editor (right click on the sample, a new
// shape, Apply, the library's "Add"). Writes the editor's picture to test-output/.
#include "diagram/ui/StyleEditorView.h"
#include "app/FrameSession.h"
#include "db/SystemDatabase.h"
#include "diagram/DiagramWindow.h"
#include "diagram/ui/DiagramStyleMenu.h"
#include "diagram/ui/DiagramView.h"
#include "figure/StyleFile.h"
#include "figure/StyleForms.h"
#include "figure/StylePalette.h"
#include "query/FieldAliases.h"
#include "support/TestPaths.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <qcustomplot.h>

namespace {

const Series& named(const Figure& f, const char* name) {
    for (const Series& s : f.series)
        if (s.name == QLatin1String(name))
            return s;
    static const Series none;
    ADD_FAILURE() << "no series " << name;
    return none;
}

class StyleEditorViewTest : public FrameSession {
protected:
    QString appFolder = dir.filePath(QStringLiteral("app"));
    QString userFolder = dir.filePath(QStringLiteral("user"));
    QString systemDb = dir.filePath(QStringLiteral("user/QUVData.sqlite"));
    SeriesStyle granite;
    DiagramView* view = nullptr;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(makeDatabase(
            {"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT, Au REAL, Cu REAL)",
             "INSERT INTO Samples VALUES ('S-1', 'Granite', 1, 2)",
             "INSERT INTO Samples VALUES ('S-2', 'Basalt', 3, 4)"}));
        // The program's shipped library names Granite.
        StyleForms::setForm(granite, int(StyleForms::formNames().indexOf("Star")));
        granite.color = {10, 20, 30, 255};
        StyleLibrary library;
        library.add(StyleGroup::Symbol, QStringLiteral("Granite"), granite);
        ASSERT_TRUE(
            StyleFile::saveLibrary(appFolder + QStringLiteral("/ini/SymbolLibrary.slb"), library));
        frame.bind({window,
                    browser,
                    session,
                    dialogs,
                    {appFolder, userFolder},
                    systemDb,
                    {},
                    {},
                    {},
                    {},
                    {},
                    QStringLiteral("anna")});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
        frame.show();
        view = frame.openDiagram();
        ASSERT_NE(view, nullptr);
        for (const auto& [box, text] :
             std::vector<std::pair<const char*, const char*>>{{"xTable", "Samples"},
                                                              {"xField", "Au"},
                                                              {"yTable", "Samples"},
                                                              {"yField", "Cu"},
                                                              {"classTable", "Samples"},
                                                              {"classField", "Rock"}})
            view->findChild<QComboBox*>(QString::fromLatin1(box))
                ->setCurrentText(QString::fromLatin1(text));
        ASSERT_TRUE(view->draw()) << dialogs.texts().join('\n').toStdString();
        dialogs.clearLog();
    }

    const Figure& figure() { return view->controller().figure(); }

    QAction* item(const QString& text) {
        for (QMenu* menu : view->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                if (a->text() == text)
                    return a;
        ADD_FAILURE() << "no item " << text.toStdString();
        return new QAction(view);
    }
};

TEST_F(StyleEditorViewTest, AutoStyleAndAliasesFromTheMenus) {
    EXPECT_EQ(named(figure(), "Granite").style,
              StylePalette::styleForName(QStringLiteral("Granite")));
    item(QStringLiteral("Apply AutoStyle Search"))->trigger();
    EXPECT_EQ(named(figure(), "Granite").style, granite);
    ASSERT_TRUE(view->draw());
    EXPECT_EQ(named(figure(), "Granite").style, granite);
    EXPECT_EQ(named(figure(), "Basalt").style,
              StylePalette::styleForName(QStringLiteral("Basalt")));

    // Without aliases in use the title changes alone; with them, the question follows and Yes
    // writes the alias that later draws show.
    dialogs.queueText(QStringLiteral("Gold"));
    item(QStringLiteral("&Change X axis title"))->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{"Give title for x-axis"});
    item(QStringLiteral("Use Aliasnames"))->trigger();
    EXPECT_EQ(figure().x.title, QStringLiteral("Au"));
    dialogs.clearLog();
    dialogs.queueText(QStringLiteral("Gold (ppm)"));
    dialogs.queueAnswer(Answer::Yes);
    item(QStringLiteral("&Change X axis title"))->trigger();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Give title for x-axis", "Write in database as aliasname to be used?"}));
    const FieldAliases aliases([this] { return SystemDatabase::open(systemDb); },
                               QStringLiteral("anna"));
    EXPECT_EQ(aliases.get(QStringLiteral("Samples"), QStringLiteral("Au")),
              QStringLiteral("Gold (ppm)"));
    ASSERT_TRUE(view->draw());
    EXPECT_EQ(figure().x.title, QStringLiteral("Gold (ppm)"));
    EXPECT_EQ(figure().y.title, QStringLiteral("Cu"));
    item(QStringLiteral("Use Aliasnames"))->trigger();
    EXPECT_EQ(figure().x.title, QStringLiteral("Au"));
}

TEST_F(StyleEditorViewTest, EditorPicksEditsAppliesAndGuardsTheLibrary) {
    item(StyleEditor::caption() + QStringLiteral("..."))->trigger();
    auto* editor = view->findChild<StyleEditorView*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    QCustomPlot* sample = editor->sampleChart();
    sample->replot();
    ASSERT_EQ(editor->editor().objects(StyleGroup::Symbol).size(), 2u);
    // Series order: Basalt, Granite; the sample draws the first at the top.
    const QPointF basaltAt(sample->xAxis->coordToPixel(2), sample->yAxis->coordToPixel(2));
    QMouseEvent press(QEvent::MouseButtonPress, basaltAt, sample->mapToGlobal(basaltAt),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sample, &press);
    EXPECT_EQ(editor->editor().selectedIndex(), 0);
    auto* shape = editor->findChildren<QComboBox*>().at(StyleLibrary::groupCount);
    ASSERT_EQ(shape->count(), 16);
    emit shape->activated(int(StyleForms::formNames().indexOf("Open Diamond")));
    EXPECT_NE(named(figure(), "Basalt").style.symbol, SymbolShape::Diamond); // not yet applied
    editor->findChild<QPushButton*>(QStringLiteral("apply"))->click();
    EXPECT_EQ(named(figure(), "Basalt").style.symbol, SymbolShape::Diamond);
    EXPECT_FALSE(named(figure(), "Basalt").style.filled);
    ASSERT_TRUE(view->draw()); // the edit outlives a redraw
    EXPECT_FALSE(named(figure(), "Basalt").style.filled);

    // The library tab: the shipped Granite entry cannot be added twice.
    editor->findChild<QTabWidget*>()->setCurrentIndex(1);
    ASSERT_EQ(editor->libraryList()->count(), 1);
    const StyleLibrary before = view->controller().styles.library;
    dialogs.queueText(QStringLiteral("Granite"));
    for (QPushButton* b : editor->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("Add"))
            b->click();
    EXPECT_EQ(dialogs.texts(), (QStringList{"Give class name", "Allready exists!"}));
    EXPECT_EQ(view->controller().styles.library, before);
    dialogs.queueText(QStringLiteral("Komatiite"));
    for (QPushButton* b : editor->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("Add"))
            b->click();
    EXPECT_EQ(editor->libraryList()->count(), 2);

    editor->findChild<QTabWidget*>()->setCurrentIndex(0);
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    editor->grab().save(out + QStringLiteral("/style-editor.png"));
}

} // namespace
