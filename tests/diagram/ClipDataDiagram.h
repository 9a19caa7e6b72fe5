#pragma once
// A diagram window over a ClipData sheet, with no database open: the fixture of the tests that
// draw from sheet columns. DialogsType answers the window's questions.
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "diagram/DiagramWindow.h"
#include "platform/HeadlessStatus.h"
#include "platform/Sheet.h"
#include "platform/sqlite/SqliteConnection.h"

#include <gtest/gtest.h>

template <typename DialogsType> class ClipDataDiagram : public ::testing::Test {
protected:
    DialogsType dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status,
                            [](const QString& p) { return SqliteConnection::open(p); },
                            [](const QString& p) { return MapFile::pathFor(p, false, {}); }};
    DiagramWindow window{session, dialogs, status};
    Sheet sheet;

    // The rows (tab-separated, headings first) become the sheet the window draws from, with Au
    // on X and Cu on Y.
    void useSheet(const QStringList& rows) {
        ASSERT_TRUE(sheet.fromTsv(rows.join('\n')));
        window.setClipDataSource([this] { return &sheet; });
        window.definition.source = DiagramDefinition::Source::ClipData;
        window.definition.tables = {"ClipData", "ClipData", "", ""};
        window.definition.fields = {"Au", "Cu", "", ""};
    }
};
