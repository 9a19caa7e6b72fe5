// Batch macros on a real SQLite file: what each line's log entry says, that a failed draw leaves
// nothing to save, and that each entry is handed on as soon as its line has run.
#include "automation/BatchMacro.h"
#include "support/SqliteSession.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class BatchMacroTest : public SqliteSession {
protected:
    QStringList saved;
    QStringList sunk;
    // How many entries had reached the sink when each figure was saved.
    std::vector<qsizetype> sunkAtSave;
    std::unique_ptr<BatchMacro> batch;

    void SetUp() override {
        makeDatabase("rocks.sqlite",
                     "CREATE TABLE Chem(SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL);"
                     "INSERT INTO Chem VALUES('S1',49,8),('S2',72,0.5),('S3',48,9);");
        batch = std::make_unique<BatchMacro>(
            session, dialogs, status, dir.path(), dir.filePath(QStringLiteral("out")),
            dir.filePath(QStringLiteral("lastfiles.ini")),
            [this](const Figure& figure, const QString& path, QSize) {
                sunkAtSave.push_back(sunk.size());
                saved << QFileInfo(path).fileName();
                return figure.pointCount() > 0;
            });
        batch->setEntrySink([this](const QString& entry) { sunk << entry; });
    }
};

TEST_F(BatchMacroTest, EachEntrySaysWhatTheDialogsShowedAndAFailedDrawLeavesNothingToSave) {
    const QString open = QStringLiteral("OPENDB ") + dir.filePath(QStringLiteral("rocks.sqlite"));
    struct Line {
        QString line;
        QString entry; // the whole entry, or its start when partial
        bool partial = false;
    };
    const std::vector<Line> lines{
        {open, "ok     " + open},
        {"DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;", "ok     DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;"},
        {"SAVEFIGURE first.png", "ok     SAVEFIGURE first.png"},
        // The driver's reason follows on the entry's next line.
        {"DRAW2 XY;Chem;SiO2;Chem;Cu;;;;;",
         "FAILED DRAW2 XY;Chem;SiO2;Chem;Cu;;;;;\n       Error in drawing (115)\n       ", true},
        {"SAVEFIGURE second.png", "FAILED SAVEFIGURE second.png\n       No figure to save"},
        {"DRAW2 Scatter;Chem;SiO2;Chem;MgO;;;;;",
         "FAILED DRAW2 Scatter;Chem;SiO2;Chem;MgO;;;;;\n       Unknown graph type Scatter"},
        {"SAVEFIGURE third.png", "FAILED SAVEFIGURE third.png\n       No figure to save"},
        {"DRAW2 XY;Chem;SiO2;;MgO;;;;;",
         "FAILED DRAW2 XY;Chem;SiO2;;MgO;;;;;\n       Missing X or Y Table or Element"},
        {"SAVEFIGURE fourth.png", "FAILED SAVEFIGURE fourth.png\n       No figure to save"},
        {"DRAW2 xy;Chem;SiO2;Chem;MgO;;;;;", "ok     DRAW2 xy;Chem;SiO2;Chem;MgO;;;;;"},
        {"SAVEFIGURE fifth.png", "ok     SAVEFIGURE fifth.png"},
        {"VIEW POPULATION", "ok     VIEW POPULATION\n       VIEW POPULATION is not available"},
        // Unknown keywords are logged and do not fail the run.
        {"AXISZLOG", "ok     AXISZLOG\n       unknown command"},
        {"PBADD", "ok     PBADD"},
    };
    QStringList macro{QStringLiteral("' a comment is no line of the log")};
    for (const Line& l : lines)
        macro << l.line;
    EXPECT_FALSE(batch->run(macro.join(u'\n')));
    ASSERT_EQ(batch->log().size(), qsizetype(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i) {
        const QString& entry = batch->log()[qsizetype(i)];
        if (lines[i].partial)
            EXPECT_TRUE(entry.startsWith(lines[i].entry) && entry.size() > lines[i].entry.size())
                << entry.toStdString();
        else
            EXPECT_EQ(entry, lines[i].entry);
    }
    EXPECT_EQ(saved, (QStringList{"first.png", "fifth.png"}));
    EXPECT_EQ(batch->written().size(), 2);
    // Every entry went out when its line had run, not at the end of the run.
    EXPECT_EQ(sunk, batch->log());
    EXPECT_EQ(sunkAtSave, (std::vector<qsizetype>{2, 10}));
}

} // namespace
