// The object library as the frame wires it, on the offscreen platform: the diagram window's
// "&Polygon" -> "&Library..." opens "Graph object library" over the frame's system database
// (seeded with the classification diagrams on creation); "&Draw" on the TAS collection lays
// its fields over a SiO2 vs Na2O+K2O figure, seen in the saved PNG; a collection of other axes
// asks first and, with Yes, joins the figure, with No draws the figure it belongs to (AFM as
// a ternary figure of the fields found in the session); the password gate and deleting; the
// header editor's questions and collection checks; the header editor stores a digitised polygon and
// the browser lists it, and it is drawn again from the library under the overwrite question.
#include "app/FrameSession.h"
#include "app/ui/FrameCommands.h"
#include "automation/BatchMacro.h"
#include "automation/CommandInterpreter.h"
#include "diagram/objects/ClassificationSeed.h"
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/ObjectHeaderView.h"
#include "diagram/ui/ObjectLibraryView.h"
#include "support/PgScratchSchema.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <qcustomplot.h>

namespace {

class ObjectLibraryFrameTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(makeDatabase(
            {"CREATE TABLE Rocks (SampleNo TEXT PRIMARY KEY, SiO2 REAL, [Na2O+K2O] REAL, FeOt "
             "REAL, MgO REAL)",
             "INSERT INTO Rocks VALUES ('B-1', 49, 3, 11, 8)",
             "INSERT INTO Rocks VALUES ('U-1', 38, 0, 12, 30)",
             "INSERT INTO Rocks VALUES ('R-1', 78, 15, 1, 0.2)"}));
        frame.bind({window, browser, session, dialogs, {dir.path(), dir.path()}, systemDatabase()});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
        frame.show();
        view = frame.openDiagram();
        ASSERT_TRUE(view);
        view->resize(900, 700);
        const QList<QComboBox*> combos = view->findChildren<QComboBox*>();
        const QStringList boxes{"Rocks", "SiO2", "Rocks", "Na2O+K2O"};
        for (int i = 0; i < boxes.size(); ++i)
            combos[i + 1]->setCurrentText(boxes[i]);
        ASSERT_TRUE(view->draw()) << dialogs.texts().join('\n').toStdString();
        plot = view->findChild<QCustomPlot*>();
        ASSERT_TRUE(plot);
    }
    void trigger(const QString& menuTitle, const QString& text) {
        for (QMenu* menu : view->findChildren<QMenu*>())
            if (menu->title() == menuTitle)
                for (QAction* a : menu->actions())
                    if (a->text() == text)
                        return a->trigger();
        ADD_FAILURE() << "no item " << text.toStdString();
    }
    template <typename W> W* opened() {
        const QList<W*> all = view->findChildren<W*>();
        return all.isEmpty() ? nullptr : all.back();
    }
    static void press(QWidget* w, const QString& text) {
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == text)
                return b->click();
        ADD_FAILURE() << "no button " << text.toStdString();
    }
    // Opens the library on the Collection tab and selects the row of that name, listed for a
    // chart type.
    ObjectLibraryView* collectionRow(const QString& name,
                                     const QString& chartType = QStringLiteral("XY")) {
        trigger(QStringLiteral("&Polygon"), QStringLiteral("&Library..."));
        ObjectLibraryView* library = opened<ObjectLibraryView>();
        if (!library)
            return nullptr;
        EXPECT_EQ(library->windowTitle(), QStringLiteral("Graph object library"));
        library->findChild<QTabBar*>()->setCurrentIndex(3);
        for (QComboBox* box : library->findChildren<QComboBox*>())
            if (box->findText(QStringLiteral("Spider")) >= 0)
                box->setCurrentText(chartType);
        press(library, QStringLiteral("&Refresh"));
        auto* grid = library->findChild<QTableWidget*>();
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                if (grid->horizontalHeaderItem(c)->text() == QLatin1String("Name") &&
                    grid->item(r, c)->text() == name)
                    grid->setCurrentCell(r, c);
        return library;
    }
    QStringList lineNames() const {
        QStringList out;
        for (const OverlayLine& l : view->controller().figure().lines)
            out << l.name;
        return out;
    }
    // Whether the saved picture has a dark blue pixel (the polygons' colour) within two pixels
    // of a data point.
    bool blueNear(const QImage& image, QPointF data) const {
        const int px = int(plot->xAxis->coordToPixel(data.x()));
        const int py = int(plot->yAxis->coordToPixel(data.y()));
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy) {
                const QRgb c = image.pixel(px + dx, py + dy);
                if (qBlue(c) > 100 && qRed(c) < 90 && qGreen(c) < 90)
                    return true;
            }
        return false;
    }
    QImage picture() {
        const QString file = dir.filePath(QStringLiteral("tas.png"));
        EXPECT_TRUE(plot->savePng(file));
        return QImage(file);
    }

    // The setting "SystemDatabase": a SQLite file beside the session database.
    virtual QString systemDatabase() const {
        return dir.filePath(QStringLiteral("system/QUVData.sqlite"));
    }

    DiagramView* view = nullptr;
    QCustomPlot* plot = nullptr;
};

// The same frame with its system database on the PostgreSQL server: a conninfo text naming a
// schema of the test's own, as a user would set "SystemDatabase".
class ObjectLibraryOnServerFrameTest : public ObjectLibraryFrameTest {
protected:
    void SetUp() override {
        if (PgScratchSchema::conninfo().isEmpty())
            GTEST_SKIP() << PgScratchSchema::skipReason;
        pg = std::make_unique<PgScratchSchema>(QStringLiteral("quv_sysframe"));
        ASSERT_TRUE(pg->ok()) << pg->error().toStdString();
        ObjectLibraryFrameTest::SetUp();
    }
    QString systemDatabase() const override {
        return PgScratchSchema::conninfo() + QStringLiteral(" options='-c search_path=") +
               pg->name() + QStringLiteral("'");
    }
    std::unique_ptr<PgScratchSchema> pg;
};

TEST_F(ObjectLibraryFrameTest, DrawsTheTasCollectionFromTheDiagramMenu) {
    // Field edges: basalt's top (48.5, 5), the andesite/dacite divide (63, 3.5), the
    // trachyandesite/trachydacite edge (60, 6.45).
    const QPointF edges[] = {{48.5, 5}, {63, 3.5}, {60, 6.45}};
    const QImage before = picture();
    for (QPointF e : edges)
        EXPECT_FALSE(blueNear(before, e));

    ObjectLibraryView* library = collectionRow(QStringLiteral("TAS volcanic (Le Bas et al. 1986)"));
    ASSERT_TRUE(library);
    press(library, QStringLiteral("&Draw"));
    EXPECT_EQ(dialogs.texts(), QStringList()); // the axes match: no question
    const QStringList names = lineNames();
    EXPECT_EQ(names.size(), 16);
    EXPECT_TRUE(names.contains(QStringLiteral("Basalt")));
    EXPECT_TRUE(names.contains(QStringLiteral("Alkaline/Subalkaline (Irvine & Baragar 1971)")));

    const QImage after = picture();
    for (QPointF e : edges)
        EXPECT_TRUE(blueNear(after, e)) << e.x() << ", " << e.y();
    EXPECT_FALSE(blueNear(after, {48.5, 2.5})); // inside the basalt field

    // The same collection again: each field asks before it is overwritten; No keeps it.
    for (int i = 0; i < 16; ++i)
        dialogs.queueAnswer(Answer::No);
    press(library, QStringLiteral("&Draw"));
    EXPECT_TRUE(dialogs.texts().contains(QStringLiteral("Do you want to overwrite Polygon # 3")));
    EXPECT_EQ(lineNames().size(), 16);
}

TEST_F(ObjectLibraryFrameTest, OtherAxesAskAndYesAddsToTheFigure) {
    ObjectLibraryView* library =
        collectionRow(QStringLiteral("K2O-SiO2 series (Peccerillo & Taylor 1976)"));
    ASSERT_TRUE(library);
    dialogs.queueAnswer(Answer::Cancel);
    press(library, QStringLiteral("&Draw"));
    EXPECT_EQ(dialogs.texts().value(0), ObjectLibraryBrowser::mismatchQuestion());
    EXPECT_TRUE(lineNames().isEmpty());

    dialogs.queueAnswer(Answer::Yes);
    press(library, QStringLiteral("&Draw"));
    EXPECT_EQ(lineNames().size(), 3);
    EXPECT_EQ(view->controller().figure().lines.size(), 3u);
}

TEST_F(ObjectLibraryFrameTest, NoDrawsTheFigureTheCollectionBelongsTo) {
    ObjectLibraryView* library =
        collectionRow(QStringLiteral("AFM (Irvine & Baragar 1971)"), QStringLiteral("Tri"));
    ASSERT_TRUE(library);
    dialogs.queueAnswer(Answer::No);
    press(library, QStringLiteral("&Draw"));
    const DiagramDefinition& d = view->controller().definition;
    EXPECT_EQ(d.graphType, QStringLiteral("Ternary"));
    EXPECT_EQ((QStringList{d.tables[0], d.fields[0], d.fields[1], d.fields[2]}),
              (QStringList{"Rocks", "Na2O+K2O", "FeOt", "MgO"}));
    EXPECT_EQ(view->findChildren<QComboBox*>().at(0)->currentText(), QStringLiteral("Ternary"));
    EXPECT_EQ(lineNames().mid(0, 3), (QStringList{"Tholeiitic/Calc-alkaline",
                                                  "Calc-alkaline Series", "Tholeiite Series"}));
}

TEST_F(ObjectLibraryFrameTest, EditingAsksThePasswordAndDeletesAfterTheQuestion) {
    trigger(QStringLiteral("Trend&Line"), QStringLiteral("&Library..."));
    ObjectLibraryView* library = opened<ObjectLibraryView>();
    ASSERT_TRUE(library);
    ObjectLibraryBrowser& b = library->browser();
    ASSERT_EQ(b.kind(), LibraryKind::Trendline);
    const qsizetype stored = b.rows().rowCount();
    ASSERT_GT(stored, 0);
    // No password yet: editing opens at once; then one is set.
    ASSERT_TRUE(b.toggleEdit());
    dialogs.queueText(QStringLiteral("secret"));
    ASSERT_TRUE(b.changePassword());
    ASSERT_TRUE(b.toggleEdit()); // back to viewing
    EXPECT_FALSE(b.deleteSelected());

    dialogs.clearLog();
    dialogs.queueText(QStringLiteral("guess"));
    EXPECT_FALSE(b.toggleEdit());
    EXPECT_EQ(dialogs.texts(), (QStringList{"Give password:", "Wrong password"}));
    dialogs.queueText(QStringLiteral("secret"));
    ASSERT_TRUE(b.toggleEdit());
    QString status;
    for (const QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        status += label->text();
    EXPECT_EQ(status, QStringLiteral("Edit Trendline records"));

    b.selected = 0;
    const QString name = b.rows().value(0, QStringLiteral("Name")).toText();
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(b.deleteSelected());
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(b.deleteSelected());
    EXPECT_EQ(dialogs.texts().back(),
              QStringLiteral("Do you want to delete Trendline ") + name + QStringLiteral("."));
    EXPECT_EQ(b.rows().rowCount(), stored - 1);

    // "&Add": the trendline selected in the figure (Shift+click on it) goes in under a new key.
    DiagramObjectController& objects = view->objectMenus().controller();
    objects.objects.addTrendline({ObjectAxes::of(view->controller().definition),
                                  QStringLiteral("Mine"),
                                  40,
                                  70,
                                  QStringLiteral("Y=0.2*x"),
                                  false,
                                  {}});
    EXPECT_FALSE(b.addFromFigure());
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("No Trendline selected, select one"));
    objects.click({55, 11}, true, 0.5);
    ASSERT_EQ(objects.selectedTrendline(), 0);
    ASSERT_TRUE(b.addFromFigure());
    EXPECT_EQ(b.rows().rowCount(), stored);
    EXPECT_EQ(b.rows().value(b.selected, QStringLiteral("Name")).toText(), QStringLiteral("Mine"));
    EXPECT_EQ(objects.objects.trendlines[0].header.libraryKey, b.keyAt(b.selected));
}

TEST_F(ObjectLibraryFrameTest, HeaderAsksBeforeClosingAndChecksCollectionMembers) {
    DiagramObjectController& objects = view->objectMenus().controller();
    trigger(QStringLiteral("Trend&Line"), QStringLiteral("&Header..."));
    ObjectHeaderView* header = opened<ObjectHeaderView>();
    ASSERT_TRUE(header);
    ObjectHeaderEditor& e = header->editor();
    for (int i = 0; i < 2; ++i)
        press(header, QStringLiteral("New"));
    ASSERT_EQ(objects.objects.trendlines.size(), 2u);
    EXPECT_EQ(objects.objects.trendlines[1].name, QStringLiteral("TLine_2"));

    // Copied from the previous object: its descriptive fields, not its name.
    e.show(0);
    e.setText(QStringLiteral("Case"), QStringLiteral("dykes"));
    e.setText(QStringLiteral("Equation"), QStringLiteral("Y=2*x"));
    e.setText(QStringLiteral("XMax"), QStringLiteral("5"));
    press(header, QStringLiteral("&Update"));
    e.show(1);
    press(header, QStringLiteral("Copy from &previous"));
    EXPECT_EQ(e.text(QStringLiteral("Case")), QStringLiteral("dykes"));
    EXPECT_EQ(e.text(QStringLiteral("Name")), QStringLiteral("TLine_2"));
    EXPECT_TRUE(e.dirty());

    // Closing with edits not updated: Cancel stays, Yes updates and closes.
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Cancel);
    press(header, QStringLiteral("&Close"));
    EXPECT_EQ(dialogs.texts(), QStringList{ObjectHeaderEditor::closeQuestion()});
    EXPECT_TRUE(header->isVisible());
    dialogs.queueAnswer(Answer::Yes);
    press(header, QStringLiteral("&Close"));
    EXPECT_EQ(objects.objects.trendlines[1].header.caseName, QStringLiteral("dykes"));
    EXPECT_EQ(objects.objects.trendlines[0].equation, QStringLiteral("Y=2*x"));
    EXPECT_EQ(objects.objects.trendlines[0].xMax, 5);

    // A collection of the figure's objects needs each of them stored first.
    trigger(QStringLiteral("Trend&Line"), QStringLiteral("&Header..."));
    header = opened<ObjectHeaderView>();
    ASSERT_TRUE(header);
    header->findChild<QTabBar*>()->setCurrentIndex(3);
    dialogs.clearLog();
    press(header, QStringLiteral("&Add to DB"));
    EXPECT_EQ(dialogs.texts(), QStringList{"Trendline no 1 not in database. Add it"});
    header->findChild<QTabBar*>()->setCurrentIndex(0);
    for (int i : {0, 1}) {
        header->editor().show(i);
        press(header, QStringLiteral("&Add to DB"));
    }
    header->findChild<QTabBar*>()->setCurrentIndex(3);
    header->editor().setText(QStringLiteral("Name"), QStringLiteral("Dykes"));
    dialogs.clearLog();
    press(header, QStringLiteral("&Add to DB"));
    EXPECT_EQ(dialogs.texts(), QStringList{"Dykes written to Quv database!"});
}

TEST_F(ObjectLibraryFrameTest, FilterSortAndFindFromTheBrowserMenus) {
    trigger(QStringLiteral("&Polygon"), QStringLiteral("&Library..."));
    ObjectLibraryView* library = opened<ObjectLibraryView>();
    ASSERT_TRUE(library);
    auto* grid = library->findChild<QTableWidget*>();
    const auto item = [library](const QString& text) -> QAction* {
        for (QMenuBar* bar : library->findChildren<QMenuBar*>())
            for (QAction* a : bar->actions()) {
                if (a->text() == text)
                    return a;
                if (a->menu())
                    for (QAction* sub : a->menu()->actions())
                        if (sub->text() == text)
                            return sub;
            }
        ADD_FAILURE() << "no item " << text.toStdString();
        return new QAction(library);
    };
    const auto nameAt = [&](int row) {
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->horizontalHeaderItem(c)->text() == QLatin1String("Name"))
                return grid->item(row, c)->text();
        return QString();
    };
    EXPECT_EQ(grid->rowCount(), 31); // the XY polygons: both TAS diagrams

    dialogs.queueText(QStringLiteral("Case"));
    dialogs.queueText(QStringLiteral("TAS volcanic*"));
    item(QStringLiteral("Set Filter condition"))->trigger();
    EXPECT_EQ(grid->rowCount(), 15);
    dialogs.queueText(QStringLiteral("Name"));
    item(QStringLiteral("Descending..."))->trigger();
    EXPECT_EQ(nameAt(0), QStringLiteral("Trachyte/Trachydacite"));
    dialogs.queueText(QStringLiteral("Name"));
    dialogs.queueText(QStringLiteral("Basalt"));
    item(QStringLiteral("Find"))->trigger();
    ASSERT_GE(library->browser().selected, 0);
    EXPECT_EQ(nameAt(library->browser().selected), QStringLiteral("Basalt"));
    EXPECT_EQ(grid->currentRow(), library->browser().selected);
    item(QStringLiteral("No filter"))->trigger();
    EXPECT_EQ(grid->rowCount(), 31);
}

TEST_F(ObjectLibraryFrameTest, MacroLinesOpenTheWindowsWhereThereIsADisplay) {
    CommandInterpreter& commands = frame.commands()->interpreter();
    ASSERT_TRUE(commands.execute(QStringLiteral("OBJECTLIBRARY")).ok);
    ObjectLibraryView* library = opened<ObjectLibraryView>();
    ASSERT_TRUE(library);
    EXPECT_EQ(library->browser().rows().rowCount(), 13); // the seeded XY trendlines
    ASSERT_TRUE(commands.execute(QStringLiteral("OBJECTHEADER")).ok);
    EXPECT_TRUE(opened<ObjectHeaderView>());

    // A batch run has its own diagram window without a view.
    BatchMacro batch(session, dialogs, frame.status(), dir.path(), dir.path(), {}, {});
    ASSERT_TRUE(batch.run(QStringLiteral("VIEW XY\nOBJECTLIBRARY")));
    EXPECT_TRUE(batch.log().join('\n').contains(QStringLiteral("OBJECTLIBRARY is not available")));
}

TEST_F(ObjectLibraryFrameTest, PasteSpecialFillsTheShownObjectFromTheClipboard) {
    trigger(QStringLiteral("&Polygon"), QStringLiteral("&Header..."));
    ObjectHeaderView* header = opened<ObjectHeaderView>();
    ASSERT_TRUE(header);
    const auto paste = [header](const QString& item, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        for (QMenu* menu : header->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                if (a->text() == item)
                    return a->trigger();
        ADD_FAILURE() << "no item " << item.toStdString();
    };
    paste(QStringLiteral("&Polygon Nodes"), QStringLiteral("40\t1\n45\t1\n"));
    EXPECT_EQ(dialogs.texts(), QStringList{ObjectHeaderEditor::noModelRow()});

    const struct {
        int tab;
        const char* item;
        const char* clipboard;
        const char* column;
        const char* expected;
    } cases[] = {
        {0, "&Trendline Equation", " Y=0.5*x+1\n", "Equation", "Y=0.5*x+1"},
        {2, "&RefPoint Coordinates", "47;2.5;0\n", "YCoord", "2.5"},
        {1, "&Polygon Nodes", "40\t1\n45\t1\n45 3\n", "Name", "Polygon_1"},
    };
    for (const auto& c : cases) {
        header->findChild<QTabBar*>()->setCurrentIndex(c.tab);
        press(header, QStringLiteral("New"));
        paste(QString::fromUtf8(c.item), QString::fromUtf8(c.clipboard));
        EXPECT_EQ(header->editor().text(QString::fromUtf8(c.column)), QString::fromUtf8(c.expected))
            << c.item;
        press(header, QStringLiteral("&Update"));
    }
    const UserObjects& o = view->objectMenus().controller().objects;
    EXPECT_EQ(o.polygons.at(0).nodes, (std::vector<QPointF>{{40, 1}, {45, 1}, {45, 3}}));
    EXPECT_EQ(o.points.at(0).at, QPointF(47, 2.5));
    EXPECT_EQ(o.trendlines.at(0).equation, QStringLiteral("Y=0.5*x+1"));
}

TEST_F(ObjectLibraryFrameTest, HeaderStoresAPolygonThatTheLibraryListsAndDraws) {
    DiagramObjectController& objects = view->objectMenus().controller();
    ASSERT_FALSE(objects.objects.addPolygon({ObjectAxes::of(view->controller().definition),
                                             QStringLiteral("Mine"),
                                             {{40, 1}, {45, 1}, {45, 2}},
                                             false,
                                             {}}));
    trigger(QStringLiteral("&Polygon"), QStringLiteral("&Header..."));
    ObjectHeaderView* header = opened<ObjectHeaderView>();
    ASSERT_TRUE(header);
    header->editor().setText(QStringLiteral("Note"), QStringLiteral("field trip"));
    press(header, QStringLiteral("&Add to DB"));
    EXPECT_TRUE(dialogs.texts().contains(QStringLiteral("Mine written to Quv database!")));
    const int key = objects.objects.polygons.at(0).header.libraryKey;
    EXPECT_EQ(key, 49); // after the 48 seeded polygons

    trigger(QStringLiteral("&Polygon"), QStringLiteral("&Library..."));
    ObjectLibraryView* library = opened<ObjectLibraryView>();
    ASSERT_TRUE(library);
    ObjectLibraryBrowser& b = library->browser();
    ASSERT_EQ(b.kind(), LibraryKind::Polygon);
    b.listing.first = {QStringLiteral("Note"), QStringLiteral("field trip")};
    ASSERT_TRUE(b.refresh());
    ASSERT_EQ(b.rows().rowCount(), 1);
    b.selected = 0;
    ASSERT_TRUE(b.showNodes());
    EXPECT_EQ(b.rows().rowCount(), 3);
    ASSERT_TRUE(b.backToList());
    b.selected = 0;
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(b.draw());
    EXPECT_EQ(dialogs.texts().back(),
              QStringLiteral("Do you want to overwrite Polygon # ") + QString::number(key));
    EXPECT_EQ(objects.objects.polygons.size(), 1u);
    EXPECT_EQ(objects.objects.polygons[0].header.note, QStringLiteral("field trip"));
}

TEST_F(ObjectLibraryOnServerFrameTest, TheLibraryOnTheServerIsSeededAndDrawn) {
    ObjectLibraryView* library = collectionRow(QStringLiteral("TAS volcanic (Le Bas et al. 1986)"));
    ASSERT_TRUE(library);
    // The shipped collections of XY figures, read from the server.
    const auto shipped = ClassificationSeed::diagrams();
    EXPECT_EQ(library->browser().rows().rowCount(),
              std::count_if(shipped.begin(), shipped.end(),
                            [](const SeedDiagram& d) { return d.axes.source == "XY"; }));
    press(library, QStringLiteral("&Draw"));
    EXPECT_EQ(dialogs.texts(), QStringList());
    EXPECT_EQ(lineNames().size(), 16);
    EXPECT_TRUE(lineNames().contains(QStringLiteral("Basalt")));
}

} // namespace
