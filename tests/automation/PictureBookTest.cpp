// PictureBooks on a real SQLite file: figures added from a diagram window, saved with their
// graph files, read back and drawn again to the same picture; the list texts, a failed open,
// field resolution, stepping and the slide show; the book commands through a batch macro, which
// writes spider, box-and-whisker and distribution figures too.
#include "automation/PictureBook.h"
#include "automation/BatchMacro.h"
#include "automation/PictureBookController.h"
#include "db/SystemDatabase.h"
#include "diagram/DiagramWindow.h"
#include "figure/ui/FigureExporter.h"
#include "spider/SpiderWindow.h"
#include "stats/BoxPlotWindow.h"
#include "stats/BoxWhiskerSettings.h"
#include "stats/DistributionWindow.h"
#include "support/SqliteSession.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class PictureBookTest : public SqliteSession {
protected:
    std::vector<std::unique_ptr<DiagramWindow>> windows;

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    void SetUp() override {
        openSession("rocks.sqlite",
                    "CREATE TABLE Chem(SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL, Rock TEXT);"
                    "INSERT INTO Chem VALUES('S1',49,8,'basalt'),('S2',72,0.5,'granite'),"
                    "('S3',48,9,'basalt'),('S4',61,2,'andesite');"
                    "CREATE TABLE Trace(SampleNo TEXT PRIMARY KEY, Cu REAL, Zn REAL);"
                    "INSERT INTO Trace VALUES('S1',120,80),('S2',5,40),('S3',90,70);"
                    "CREATE TABLE Ore(SampleNo TEXT PRIMARY KEY, Cu REAL);"
                    "INSERT INTO Ore VALUES('S1',1),('S2',2);"
                    "CREATE TABLE Ree(SampleNo TEXT PRIMARY KEY, La REAL, Ce REAL, Nd REAL,"
                    " Sm REAL, Yb REAL);"
                    "INSERT INTO Ree VALUES('S1',30,65,28,6,2.2),('S3',12,25,14,3.5,2);");
    }

    DiagramWindow& newWindow() {
        windows.push_back(std::make_unique<DiagramWindow>(session, dialogs, status));
        return *windows.back();
    }

    std::unique_ptr<PictureBookController> controller() {
        auto c = std::make_unique<PictureBookController>(
            dialogs, status, dir.path(), path("Books"),
            PictureBookController::Parts{
                [this]() -> DiagramWindow* {
                    return windows.empty() ? nullptr : windows.back().get();
                },
                [this]() -> DiagramWindow* { return &newWindow(); },
                {},
                [this]() -> const SchemaCatalogue* { return &session.catalogue(); },
                {}});
        return c;
    }

    QImage drawn(const DiagramWindow& w) const {
        return FigureExporter::image(w.figure(), {400, 300});
    }
};

TEST_F(PictureBookTest, SavedBookDrawsEachFigureAgainAsItWasAndKeepsItsGraphFiles) {
    auto book = controller();
    book->options.saveGraphFiles = true;
    struct Figure {
        const char* line;
        const char* name;
    };
    const std::vector<Figure> figures{
        {"DRAW2 XY;Chem;SiO2;Chem;MgO;;;Chem;Rock;", "MgO vs. SiO2"},
        {"DRAW2 Bubble;Chem;SiO2;Trace;Cu;Trace;Zn;;;", "Cu vs. SiO2"},
    };
    std::vector<QImage> pictures;
    for (const Figure& f : figures) {
        DiagramWindow& w = newWindow();
        ASSERT_TRUE(w.runCommand(QString::fromUtf8(f.line))) << f.line;
        // A look the definition does not give: it comes back from the graph file.
        w.adjustFigure([](::Figure& fig) { fig.x.title = QStringLiteral("Silica"); });
        pictures.push_back(drawn(w));
        ASSERT_TRUE(book->add());
    }
    ASSERT_EQ(book->entries().size(), figures.size());
    EXPECT_EQ(book->book().path(), path("Books") + "/NewPicBook.bok");
    const QString temporary = book->book().figures().text(1, PictureBook::GraphFile);
    EXPECT_TRUE(PictureBook::isTemporaryGraphFile(temporary));

    const QString bok = path("field.bok");
    ASSERT_TRUE(book->save(bok));
    EXPECT_FALSE(QFileInfo::exists(temporary));
    EXPECT_FALSE(book->isUnsaved());
    // A second save names the files already in place: they must survive it.
    ASSERT_TRUE(book->save(bok));
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(book->book().figures().text(row, PictureBook::GraphFile),
                  path("field") + QString::number(row) + ".akr");
        EXPECT_TRUE(QFileInfo(PictureBook::graphFileFor(bok, row)).size() > 0) << row;
    }

    windows.clear();
    auto reopened = controller();
    ASSERT_TRUE(reopened->open(bok));
    const auto entries = reopened->entries();
    ASSERT_EQ(entries.size(), figures.size());
    for (size_t i = 0; i < figures.size(); ++i) {
        EXPECT_EQ(entries[i].text, QString::fromUtf8(figures[i].name));
        ASSERT_TRUE(reopened->next()) << i;
        EXPECT_EQ(windows.back()->figure().x.title, QStringLiteral("Silica"));
        EXPECT_EQ(drawn(*windows.back()), pictures[i]) << figures[i].line;
    }
    EXPECT_FALSE(reopened->next());
    EXPECT_EQ(dialogs.texts().last(), PictureBookController::lastPicture());
}

TEST_F(PictureBookTest, ListTextsAndDrawingRowsWithoutAMarker) {
    const QString bok = path("hand.bok");
    {
        Workbook w;
        Sheet& f = w.sheet(PictureBook::figureSheet());
        f.setText(1, PictureBook::Source, "XY");
        f.setText(1, PictureBook::DisplayName, "Named");
        f.setText(1, PictureBook::Marker, "Fig 1");
        f.setText(2, PictureBook::Source, "XY"); // no name, no marker
        f.setText(3, PictureBook::Name, "caption only");
        f.setText(4, PictureBook::Source, "XY");
        f.setText(4, PictureBook::Marker, "Marked");
        f.setText(5, PictureBook::Source, "Histogram");
        f.setText(5, PictureBook::Marker, "Fig 5");
        // A type this program draws only in a window the controller was not given.
        f.setText(6, PictureBook::Source, "Spider");
        f.setText(6, PictureBook::Marker, "Fig 6");
        ASSERT_TRUE(w.save(bok).ok);
    }
    auto book = controller();
    ASSERT_TRUE(book->open(bok));
    QStringList texts;
    for (const auto& e : book->entries())
        texts << QString::number(e.row) + ":" + e.text;
    EXPECT_EQ(texts, QStringList({"1:Named", "2:Fig2", "4:Marked", "5:Fig 5", "6:Fig 6"}));

    dialogs.clearLog();
    EXPECT_FALSE(book->draw(2));
    EXPECT_FALSE(book->draw(5));
    EXPECT_FALSE(book->draw(6));
    EXPECT_EQ(dialogs.texts(),
              QStringList({"Not Figure on row 2", "Figure type Histogram can not be found",
                           "Figure type Spider can not be found"}));
    EXPECT_TRUE(windows.empty());
}

TEST_F(PictureBookTest, AFailedOpenKeepsTheOpenBook) {
    auto book = controller();
    DiagramWindow& w = newWindow();
    ASSERT_TRUE(w.runCommand("DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;"));
    ASSERT_TRUE(book->add());
    ASSERT_TRUE(book->save(path("kept.bok")));
    QFile junk(path("junk.bok"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a book\n");
    junk.close();
    EXPECT_FALSE(book->open(path("junk.bok")));
    EXPECT_TRUE(dialogs.texts().last().startsWith("Error in reading file " + path("junk.bok")));
    EXPECT_EQ(book->book().path(), path("kept.bok"));
    EXPECT_EQ(book->entries().size(), 1u);
}

TEST_F(PictureBookTest, MissingFieldsAreLookedUpInTheOtherTables) {
    struct Case {
        const char* table;
        const char* field;
        std::optional<QString> answer;
        QString drawnTable; // the table the figure is drawn from; empty: not drawn
        QStringList shown;
    };
    const QString choice = "Field Cu found in tables\r\n1- Trace = Cu\r\n2- Ore = Cu\r\n"
                           "Give number of the one like to select.";
    const std::vector<Case> cases{
        {"Chem", "MgO", std::nullopt, "Chem", {}},
        {"Chem", "Cu", QString("2"), "Ore", {"Field Cu not found in table Chem", choice}},
        {"Gone", "Cu", QString("1"), "Trace", {choice}},
        {"Gone", "Cu", QString("9"), "", {choice}},
        {"Chem", "Au", std::nullopt, "", {"Field Au not found in table Chem"}},
        {"Gone", "Au", std::nullopt, "", {"Table Gone and field Au not found."}},
    };
    for (const Case& c : cases) {
        DiagramDefinition d;
        d.tables = {"Chem", c.table, "", ""};
        d.fields = {"SiO2", c.field, "", ""};
        auto controller = this->controller();
        DiagramWindow& source = newWindow();
        source.definition = d;
        ASSERT_TRUE(controller->addFrom(source));
        windows.clear();
        dialogs.clearLog();
        if (c.answer)
            dialogs.queueText(*c.answer);
        const bool drew = controller->draw(1);
        EXPECT_EQ(drew, !c.drawnTable.isEmpty()) << c.table << "." << c.field;
        if (drew) {
            EXPECT_EQ(windows.back()->definition.tables[1], c.drawnTable) << c.table;
        }
        // What the draw itself says about an unresolved field follows the resolution's texts.
        EXPECT_EQ(dialogs.texts().mid(0, c.shown.size()), c.shown) << c.table << "." << c.field;
        const qsizetype asked = c.shown.indexOf(choice);
        if (asked >= 0) {
            EXPECT_EQ(dialogs.log()[size_t(asked)].title, QStringLiteral("Select Table and Field"));
        }
    }
}

TEST_F(PictureBookTest, SlideShowRenameAndTheSlideTime) {
    auto book = controller();
    EXPECT_FALSE(book->startSlideShow());
    EXPECT_EQ(dialogs.texts().last(), PictureBookController::noFigures());

    DiagramWindow& w = newWindow();
    ASSERT_TRUE(w.runCommand("DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;"));
    ASSERT_TRUE(book->add());
    ASSERT_TRUE(book->add());
    ASSERT_TRUE(book->startSlideShow());
    EXPECT_EQ(book->selected(), 0);
    EXPECT_TRUE(book->slideTick());
    EXPECT_FALSE(book->slideTick());
    EXPECT_FALSE(book->slideShowRunning());
    EXPECT_EQ(dialogs.texts().last(), PictureBookController::lastPicture());

    ASSERT_TRUE(book->startSlideShow());
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(book->askStopSlideShow());
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(book->askStopSlideShow());
    EXPECT_EQ(dialogs.texts().last(), "Stop Animation?");

    // Unchanged, invalid and cancelled answers keep the time.
    for (const char* answer : {"5", "soon", "-2", "2.5"})
        dialogs.queueText(QString::fromUtf8(answer));
    dialogs.queueCancel();
    for (int i = 0; i < 5; ++i)
        book->askSlideSeconds();
    EXPECT_EQ(book->slideSeconds(), 2.5);

    book->select(1);
    dialogs.queueText("Silica and magnesia");
    ASSERT_TRUE(book->renameSelected());
    EXPECT_EQ(dialogs.log().back().text, "Name of the figure:");
    EXPECT_EQ(book->entries()[1].text, "Silica and magnesia");
}

TEST_F(PictureBookTest, BatchMacroOpensABookAndWritesEachFigure) {
    const QString open = "OPENDB " + path("rocks.sqlite");
    QStringList saved;
    BatchMacro batch(session, dialogs, status, dir.path(), path("out"), path("lastfiles.ini"),
                     [&saved](const ::Figure& f, const QString& file, QSize) {
                         saved << QFileInfo(file).fileName() + "=" +
                                      QString::number(f.pointCount());
                         return true;
                     });
    const QString make = open + "\nVIEW XY\nDRAW2 XY;Chem;SiO2;Chem;MgO;;;;;\nPBADD\n"
                                "DRAW2 XY;Chem;SiO2;Trace;Cu;;;;;\nADDTOPICTUREBOOK\n"
                                "PBSAVE made.bok\n";
    ASSERT_TRUE(batch.run(make)) << batch.log().join('\n').toStdString();
    ASSERT_TRUE(QFileInfo::exists(path("out") + "/made.bok"));

    BatchMacro replay(session, dialogs, status, dir.path(), path("out"), path("lastfiles.ini"),
                      [&saved](const ::Figure& f, const QString& file, QSize) {
                          saved << QFileInfo(file).fileName() + "=" +
                                       QString::number(f.pointCount());
                          return true;
                      });
    saved.clear();
    EXPECT_FALSE(replay.run(open + "\nPBOPEN " + path("out") +
                            "/made.bok\nPBNEXT\nSAVEFIGURE a.png\nPBNEXT\nSAVEFIGURE "
                            "b.png\nPBPREVIOUS\nSAVEFIGURE c.png\nPBNEXT\nPBNEXT"));
    EXPECT_EQ(saved, QStringList({"a.png=4", "b.png=3", "c.png=4"}));
    EXPECT_EQ(replay.log().last(), "FAILED PBNEXT\n       This is last picture");
}

TEST_F(PictureBookTest, ABatchRunWritesTheStatisticsFiguresOfABook) {
    const auto image = [](const ::Figure& f) { return FigureExporter::image(f, {400, 300}); };
    auto book = controller();
    const QString system = path("system/QUVData.sqlite");
    SpiderWindow spider(session, dialogs, status,
                        [&system] { return SystemDatabase::open(system); });
    ASSERT_TRUE(spider.reloadLibrary());
    spider.setSpiderType("REE");
    spider.setNormalization("CI chondrite (Sun & McDonough 1989)");
    spider.setSelection("Ree", "SampleNo", {CellValue::text("S1"), CellValue::text("S3")});
    spider.setClassifier("Chem", "Rock");
    ASSERT_TRUE(spider.draw()) << dialogs.texts().join('|').toStdString();
    ASSERT_TRUE(book->addFrom(spider));
    DistributionWindow distribution(session, dialogs, status);
    distribution.table = "Chem";
    distribution.field = "SiO2";
    distribution.classesText = "3";
    ASSERT_TRUE(distribution.draw());
    ASSERT_TRUE(book->addFrom(distribution));
    BoxPlotWindow box(session, dialogs, status, BoxWhiskerSettings::shared());
    box.statTable = box.classTable = "Chem";
    box.statField = "MgO";
    box.classField = "Rock";
    ASSERT_TRUE(box.draw()) << dialogs.texts().join('|').toStdString();
    ASSERT_TRUE(book->addFrom(box));
    ASSERT_TRUE(book->save(path("statistics.bok")));
    const std::vector<QImage> drawn{image(spider.figure()), image(distribution.figure()),
                                    image(box.figure())};

    std::vector<QImage> saved;
    BatchMacro batch(session, dialogs, status, dir.path(), path("out"), path("lastfiles.ini"),
                     [&saved, &image](const ::Figure& f, const QString&, QSize) {
                         saved.push_back(image(f));
                         return true;
                     });
    batch.setSystemDatabase(system, {});
    ASSERT_TRUE(batch.run("OPENDB " + path("rocks.sqlite") + "\nPBOPEN " + path("statistics.bok") +
                          "\nPBNEXT\nSAVEFIGURE s.png\nPBNEXT\nSAVEFIGURE d.png\nPBNEXT"
                          "\nSAVEFIGURE b.png"))
        << batch.log().join('\n').toStdString();
    EXPECT_EQ(saved, drawn);
    // A failed step leaves nothing to save, not the figure before it.
    EXPECT_FALSE(batch.run("PBNEXT\nSAVEFIGURE c.png"));
    EXPECT_EQ(saved.size(), 3u);
}

} // namespace
