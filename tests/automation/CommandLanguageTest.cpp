// The command language on a real SQLite file, through the interpreter and the windows of a run
// without a display: how lines split, library lookup and target choice, the main window's and
// the diagram window's commands, and the macro panel's recording and replay.
#include "app/RecentFiles.h"
#include "automation/BatchCommandHost.h"
#include "automation/BatchMacro.h"
#include "automation/CommandInterpreter.h"
#include "automation/CommandPanel.h"
#include "automation/MacroFile.h"
#include "automation/MacroRecorder.h"
#include "diagram/DiagramCommands.h"
#include "diagram/DiagramWindow.h"
#include "platform/Workbook.h"
#include "support/SqliteSession.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(MacroCommand, SplitsOnSemicolonsWhenThereAreAnyElseOnBlanks) {
    const struct {
        const char* line;
        const char* keyword;
        QStringList arguments;
        const char* wholeName;
    } cases[] = {
        {"XTABLE Samples;Rock", "XTABLE", {"Samples", "Rock"}, "Samples"},
        {"XTABLE Samples Rock", "XTABLE", {"Samples", "Rock"}, "Samples Rock"},
        {"  LEGEND  ", "LEGEND", {}, ""},
        {"DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;",
         "DRAW2",
         {"XY", "Chem", "SiO2", "Chem", "MgO", "", "", "", "", ""},
         "XY"},
        {"DRAW2 XY;Chem;Au ppb;Chem;MgO", "DRAW2", {"XY", "Chem", "Au ppb", "Chem", "MgO"}, "XY"},
        {"OPENDB /data/My Data/a.sqlite",
         "OPENDB",
         {"/data/My", "Data/a.sqlite"},
         "/data/My Data/a.sqlite"},
        {">EDIT_COPY", ">EDIT_COPY", {}, ""},
        {">FILE_OPEN_AKR;/my figs/a.akr", ">FILE_OPEN_AKR", {"/my figs/a.akr"}, "/my figs/a.akr"},
        {"setactivewindow clipdata", "setactivewindow", {"clipdata"}, "clipdata"},
    };
    for (const auto& c : cases) {
        const MacroCommand m = MacroCommand::parse(QString::fromUtf8(c.line));
        EXPECT_EQ(m.keyword, QString::fromUtf8(c.keyword)) << c.line;
        EXPECT_EQ(m.arguments, c.arguments) << c.line;
        EXPECT_EQ(m.wholeName(), QString::fromUtf8(c.wholeName)) << c.line;
    }
}

TEST(CommandLibrary, LooksUpExactKeywordsAndCompletesByPrefix) {
    const CommandLibrary& library = CommandLibrary::embedded();
    ASSERT_NE(library.find(QStringLiteral("DRAW")), nullptr);
    EXPECT_EQ(library.find(QStringLiteral("DRAW"))->keyword, QStringLiteral("DRAW"));
    EXPECT_EQ(library.find(QStringLiteral("draw")), nullptr);
    EXPECT_EQ(library.find(QStringLiteral("DRA")), nullptr);
    EXPECT_EQ(library.find(QStringLiteral("SETACTIVEWINDOW"))->windowType,
              QStringLiteral("CLIPDATA"));
    EXPECT_EQ(library.find(QStringLiteral("<FILE_SAVE_AKR_AS"))->windowType,
              QStringLiteral("GRAPH"));
    EXPECT_EQ(library.keywordsStartingWith(QStringLiteral("FILTER")),
              (QStringList{"FILTER", "FILTEROFF", "FILTERON", "FILTERONOFF"}));
    EXPECT_EQ(library.keywordsOf(QStringLiteral("MAIN")), (QStringList{"OPENDB", "SHOW", "VIEW"}));
    // Rows end at the first empty keyword.
    const CommandLibrary cut({{"A", "A", "MAIN"}, {"", "", ""}, {"B", "B", "MAIN"}});
    EXPECT_EQ(cut.rows().size(), 1u);
}

class CommandLanguageTest : public SqliteSession {
protected:
    QString lastFiles = dir.filePath(QStringLiteral("lastfiles.ini"));
    BatchCommandHost host{session, dialogs, status, lastFiles, nullptr};
    CommandInterpreter interpreter{host};

    void SetUp() override {
        const QString rocks = makeDatabase(
            "rocks.sqlite",
            "CREATE TABLE Chem(SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL);"
            "INSERT INTO Chem VALUES('S1',49,8),('S2',72,0.5),('S3',48,9);"
            "CREATE TABLE Samples(SampleNo TEXT PRIMARY KEY, Rock TEXT);"
            "INSERT INTO Samples VALUES('S1','Basalt'),('S2','Granite'),('S3','Basalt');"
            "CREATE VIEW f_Basalts AS SELECT SampleNo FROM Samples WHERE Rock='Basalt';");
        ASSERT_TRUE(interpreter.execute(QStringLiteral("OPENDB ") + rocks).ok);
    }
    DiagramWindow& diagram() {
        return dynamic_cast<DiagramCommands&>(*host.currentDiagram()).window();
    }
};

TEST_F(CommandLanguageTest, OpendbTakesARecentEntryByNumberOrAPathWithBlanks) {
    QDir().mkpath(dir.filePath(QStringLiteral("My Data")));
    const QString first = makeDatabase("first.sqlite", "CREATE TABLE One(a INTEGER);");
    const QString second = makeDatabase("My Data/second.sqlite", "CREATE TABLE Two(b INTEGER);");
    RecentFiles recent(lastFiles);
    recent.add(second, QStringLiteral("Session"));
    recent.add(first, QStringLiteral("Session")); // the newest goes first
    ASSERT_TRUE(interpreter.execute(QStringLiteral("OPENDB 2")).ok);
    EXPECT_EQ(session.SessionDatabasePath, second);
    ASSERT_TRUE(interpreter.execute(QStringLiteral("OPENDB ") + first).ok);
    EXPECT_EQ(session.SessionDatabasePath, first);
    EXPECT_FALSE(interpreter.execute(QStringLiteral("OPENDB 7")).ok);
}

TEST_F(CommandLanguageTest, TargetsFollowWindowTypeTagsAndSetactivewindow) {
    // A diagram command with no diagram window open makes one.
    EXPECT_EQ(host.currentDiagram(), nullptr);
    ASSERT_TRUE(interpreter.execute(QStringLiteral("LEGEND")).ok);
    ASSERT_NE(host.currentDiagram(), nullptr);
    EXPECT_EQ(interpreter.currentTarget(), host.currentDiagram());
    EXPECT_EQ(interpreter.current().keyword, QStringLiteral("LEGEND"));
    EXPECT_TRUE(interpreter.current().arguments.isEmpty());

    EXPECT_TRUE(interpreter.execute(QStringLiteral("SETACTIVEWINDOW clipdata")).ok);
    EXPECT_EQ(interpreter.currentTarget(), host.clipData());
    EXPECT_EQ(interpreter.current().arguments, QStringList{"CLIPDATA"});
    EXPECT_TRUE(interpreter.execute(QStringLiteral("SETACTIVEWINDOW xy")).ok);
    EXPECT_EQ(interpreter.currentTarget(), host.currentDiagram());
    EXPECT_FALSE(interpreter.execute(QStringLiteral("SETACTIVEWINDOW KITCHEN")).ok);

    const CommandResult unknown = interpreter.execute(QStringLiteral("draw"));
    EXPECT_TRUE(unknown.ok);
    EXPECT_EQ(unknown.note, CommandInterpreter::unknownCommand());
}

TEST_F(CommandLanguageTest, DiagramKeywordsSetTheDefinitionCheckNamesAndDraw) {
    const struct {
        const char* line;
        bool ok;
        const char* note = ""; // the command's note, or the message the dialogs showed
    } lines[] = {
        {"XTABLE Nowhere", false, "No table or query Nowhere"},
        {"XTABLE chem", true},
        {"XFIELD Cu", false, "No field Cu in Chem"},
        {"TABLESFIELDS Chem;SiO2;Chem;MgO", true},
        {"CLASSES Samples;Rock", true},
        {"FILTER Gabbros", false, "No filter Gabbros"},
        {"FILTER f_Basalts", true},
        {"DRAW", true},
        {"FILTEROFF", true},
        {"CLASSESOFF", true}, // draws: unfiltered, unclassed
        {"AXISXLOG", true},
        {"DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;", true},
        {"DRAWPREVIOUSFROMPICTUREBOOK", true},
        {"STYLES", true, "STYLES is not available"},
        {">FILE_PRINT", true, ">FILE_PRINT is not available"},
        {"DRAWTRENDLINE", true},
        {"DRAW2 XY;Chem;SiO2;;;;;;;", false, "Missing X or Y Table or Element"},
    };
    for (const auto& l : lines) {
        dialogs.clearLog();
        const CommandResult r = interpreter.execute(QString::fromUtf8(l.line));
        EXPECT_EQ(r.ok, l.ok) << l.line;
        const QString said =
            r.note.isEmpty() && !dialogs.texts().isEmpty() ? dialogs.texts().back() : r.note;
        EXPECT_EQ(said, QString::fromUtf8(l.note)) << l.line;
    }
    DiagramWindow& d = diagram();
    EXPECT_FALSE(d.definition.filterOn);
    EXPECT_TRUE(d.definition.fields[DiagramDefinition::Class].isEmpty());
    EXPECT_TRUE(d.figure().x.logarithmic);
    // Every draw is logged, the failed one too; the step back through the log added none.
    EXPECT_EQ(d.figureLog().size(), 4);
}

TEST_F(CommandLanguageTest, FilteroffDrawsUnfilteredAndDrawUpdateRedrawsWithoutAQuery) {
    EXPECT_FALSE(interpreter.execute(QStringLiteral("AXISUNITS")).ok);
    EXPECT_EQ(dialogs.texts().back(), DiagramCommands::missingAxisFields());
    ASSERT_TRUE(interpreter.execute(QStringLiteral("DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;Basalts")).ok);
    EXPECT_EQ(diagram().fetchedRows(), 2);
    ASSERT_TRUE(interpreter.execute(QStringLiteral("FILTEROFF")).ok);
    ASSERT_TRUE(interpreter.execute(QStringLiteral("DRAW")).ok);
    EXPECT_EQ(diagram().fetchedRows(), 3); // the unfiltered selection
    ASSERT_TRUE(session.connection()->execute(QStringLiteral("DROP TABLE Chem")));
    EXPECT_TRUE(interpreter.execute(QStringLiteral("DRAW UPDATE")).ok);
    EXPECT_EQ(diagram().figure().pointCount(), 3);
    EXPECT_FALSE(interpreter.execute(QStringLiteral("DRAW")).ok); // a new query finds no table
}

TEST_F(CommandLanguageTest, MacroPanelRecordsRunsStepsAndCompletes) {
    MacroRecorder recorder;
    CommandPanel panel(interpreter, recorder, status);
    QStringList refusals;
    recorder.refused = [&refusals](const QString& why) { refusals << why; };

    panel.run(); // an empty macro does nothing
    EXPECT_EQ(host.currentDiagram(), nullptr);

    // An empty box lists every command a person types, once each; a blank completes none.
    const QStringList all = panel.completions();
    EXPECT_TRUE(all.contains(QStringLiteral("OPENDB")) && all.contains(QStringLiteral("DRAW2")));
    EXPECT_FALSE(all.join(u' ').contains(u'<'));
    EXPECT_EQ(QStringList(all).size(), QSet<QString>(all.begin(), all.end()).size());
    EXPECT_FALSE(panel.completeOnSpace());

    panel.setText(QStringLiteral("dr"));
    EXPECT_EQ(panel.text(), QStringLiteral("DR"));
    EXPECT_EQ(panel.completions().mid(0, 2), (QStringList{"DRAW", "DRAW2"}));
    panel.moveSelection(1);
    panel.moveSelection(-5);
    panel.moveSelection(1);
    EXPECT_TRUE(panel.completeOnSpace());
    EXPECT_EQ(panel.text(), QStringLiteral("DRAW2"));
    EXPECT_FALSE(panel.completeOnSpace()); // the blank is typed now

    panel.toggleRecording();
    EXPECT_EQ(panel.recordButtonCaption(), CommandPanel::stopCaption());
    panel.setText(QStringLiteral("draw2 XY;Chem;SiO2;Chem;MgO;;;;;"));
    EXPECT_TRUE(panel.execute().ok);
    EXPECT_EQ(panel.history(), QStringList{"DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;"});
    EXPECT_TRUE(panel.text().isEmpty());
    // The recording sites: a name holding ";" is refused, not written.
    EXPECT_TRUE(recorder.record(QStringLiteral("VIEW XY"), {"XY"}));
    EXPECT_FALSE(recorder.record(QStringLiteral("OPENDB /a;b.sqlite"), {"/a;b.sqlite"}));
    EXPECT_EQ(refusals, QStringList{MacroRecorder::refusal("/a;b.sqlite")});
    panel.setText(QStringLiteral("AXISXLOG"));
    panel.add();
    EXPECT_EQ(recorder.lines(), (QStringList{"VIEW XY", "AXISXLOG"}));

    // Run stops recording first, then every line runs in order.
    EXPECT_TRUE(panel.run());
    EXPECT_FALSE(recorder.recording());
    EXPECT_TRUE(diagram().figure().x.logarithmic);

    recorder.setLines({"AXISXLIN", "AXISXLOG"});
    EXPECT_TRUE(panel.step().ok);
    EXPECT_FALSE(diagram().figure().x.logarithmic);
    EXPECT_EQ(recorder.currentRow(), 2);
    panel.step();
    panel.step(); // bounded to the last row
    EXPECT_EQ(recorder.currentRow(), 2);
    recorder.stepForward = false;
    panel.step();
    EXPECT_EQ(recorder.currentRow(), 1);
    EXPECT_EQ(panel.history().mid(1, 2), (QStringList{"VIEW XY", "AXISXLOG"})); // from Run
    panel.clear();
    EXPECT_TRUE(recorder.lines().isEmpty());
}

TEST(MacroFile, ReadsTextWithAnyLineEndAndWorkbooksAndWritesText) {
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("a.amc"));
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("OPENDB /data/My Data/a.sqlite\r\n\r\nVIEW XY\nDRAW2 XY;Chem;Au ppb;Chem;MgO\n");
    }
    const QStringList expected{"OPENDB /data/My Data/a.sqlite", "VIEW XY",
                               "DRAW2 XY;Chem;Au ppb;Chem;MgO"};
    EXPECT_EQ(MacroFile::read(text), expected);
    const QString book = dir.filePath(QStringLiteral("b.amc"));
    Workbook workbook;
    Sheet& sheet = workbook.sheet(QStringLiteral("Macro"));
    for (int i = 0; i < expected.size(); ++i)
        sheet.setText(i + 1, 1, expected[i]);
    ASSERT_TRUE(workbook.save(book).ok);
    EXPECT_EQ(MacroFile::read(book), expected);
    const QString written = dir.filePath(QStringLiteral("c.amc"));
    ASSERT_TRUE(MacroFile::write(written, expected));
    EXPECT_EQ(MacroFile::read(written), expected);
    EXPECT_FALSE(MacroFile::read(dir.filePath(QStringLiteral("missing.amc"))).has_value());
}

} // namespace

namespace {

// Every keyword of the command library, as a batch run meets it: none is unknown.
TEST_F(CommandLanguageTest, ABatchRunTakesEveryKeywordOfTheLibrary) {
    const QString tsv = dir.filePath(QStringLiteral("assays.txt"));
    {
        QFile f(tsv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("SampleNo\tSiO2\nA1\t49\n");
    }
    const std::map<QString, QString> arguments{{"XTABLE", "Chem"},
                                               {"YTABLE", "Chem"},
                                               {"XFIELD", "SiO2"},
                                               {"YFIELD", "MgO"},
                                               {"XTABLEFIELD", "Chem;SiO2"},
                                               {"YTABLEFIELD", "Chem;MgO"},
                                               {"CLASSES", "Samples;Rock"},
                                               {"TABLESFIELDS", "Chem;SiO2;Chem;MgO"},
                                               {"FILTER", "Basalts"},
                                               {"USECLIPDATA", "0"},
                                               {"DRAW2", "XY;Chem;SiO2;Chem;MgO;;;;;"},
                                               {"OPENDB", session.SessionDatabasePath},
                                               {"VIEW", "XY"},
                                               {"SHOW", "CLIPDATA"},
                                               {"SETACTIVEWINDOW", "XY"},
                                               {"OPEN", tsv},
                                               {"SAVE", "out.txt"},
                                               {"EDIT", "Copy"},
                                               {"FILE", "Print"},
                                               {"PBOPEN", "1"},
                                               {"OPENPICBOOK", "1"},
                                               {"PBSAVE", "book.bok"}};
    QStringList lines{QStringLiteral("DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;")};
    for (const CommandLibraryRow& row : CommandLibrary::embedded().rows()) {
        const QString typed =
            row.keyword.startsWith(u'<') ? QLatin1Char('>') + row.keyword.mid(1) : row.keyword;
        const auto found = arguments.find(row.keyword);
        lines << (found == arguments.end() ? typed : typed + QLatin1Char(' ') + found->second);
        if (row.keyword == QLatin1String("CLIPDATAONOFF"))
            lines << QStringLiteral("CLIPDATAONOFF"); // back to the database
    }
    BatchMacro batch(session, dialogs, status, dir.path(), dir.path(), lastFiles, {});
    batch.run(lines.join(u'\n'));
    ASSERT_EQ(batch.log().size(), lines.size());
    QStringList failed;
    for (const QString& entry : batch.log()) {
        EXPECT_FALSE(entry.contains(CommandInterpreter::unknownCommand())) << entry.toStdString();
        if (entry.startsWith(QStringLiteral("FAILED")))
            failed << entry.section(u'\n', 0, 0);
    }
    // Only those with nothing to work on: no objects to discriminate by, no groups to name,
    // the text label's input box cancelled, no PictureBook button 1, and PBNEXT after the
    // slide show showed the book's only figure.
    EXPECT_EQ(failed, (QStringList{"FAILED DISCRPOLYGON", "FAILED DISCRRENAME",
                                   "FAILED DISCRTRENDLINE", "FAILED DRAWTEXT",
                                   "FAILED OPENPICBOOK 1", "FAILED PBNEXT", "FAILED PBOPEN 1"}));
}

} // namespace
