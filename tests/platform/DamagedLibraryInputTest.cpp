// Files on which FreeXL or libmdb crash or never finish, opened the way a person opens them: each
// ends in a message that says why, and the program goes on to open a sound file afterwards.
#include "clipdata/ClipDataWindow.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/legacy/JetImporter.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/TestPaths.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Without AddressSanitizer FreeXL's write before the buffer goes unnoticed and the file reads as
// damaged; with it, the reader's child stops.
#if defined(__SANITIZE_ADDRESS__)
constexpr const char* freexlUnderflow = "The Excel reader failed on the file";
#else
constexpr const char* freexlUnderflow = "the workbook is damaged";
#endif

class DamagedLibraryInput : public ::testing::Test {
public:
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status, [](const QString&) { return OpenedConnection{}; },
                            [](const QString&) { return QString(); }};
    ClipDataWindow clip{session, dialogs, status, dir.filePath(QStringLiteral("lastfiles.ini"))};

    // ClipData's OPEN: empty when the file opened, else what the person was shown.
    QString openInClipData(const QString& file) {
        dialogs.clearLog();
        if (clip.runCommand(QStringLiteral("OPEN ") + file))
            return {};
        return dialogs.texts().join(QStringLiteral(" / "));
    }
    // The Jet import behind opening a database, with a short time limit.
    QString importJet(const QString& file) {
        const QString copy = dir.filePath(QStringLiteral("copy.jet.sqlite"));
        QFile::remove(copy);
        const auto result = JetImporter::import(file, copy, {}, IsolatedRun::Seconds(2));
        EXPECT_EQ(result.ok(), QFileInfo::exists(copy)) << file.toStdString();
        return result.error;
    }
    QString firstClipDataCell() { return clip.sheet().activePage().text(1, 1); }
    QString jetRowCount() {
        const auto opened = SqliteConnection::open(dir.filePath(QStringLiteral("copy.jet.sqlite")),
                                                   SqliteConnection::Mode::ReadOnly);
        if (!opened.ok())
            return opened.error;
        const auto rows = opened.connection->query(QStringLiteral("SELECT COUNT(*) FROM DateTest"));
        return rows ? rows->at(0, 0).toText() : opened.connection->lastError();
    }
};

TEST_F(DamagedLibraryInput, EndsInAReasonAndASoundFileOpensAfterwards) {
    using Open = QString (DamagedLibraryInput::*)(const QString&);
    using Content = QString (DamagedLibraryInput::*)();
    struct Case {
        const char* damaged; // under tests/data/fuzz-crashes
        Open open;
        const char* reason; // a part of the message
        const char* sound;  // under tests/data, opened next
        Content content;
        const char* expected;
    };
    const Case cases[] = {
        {"fuzz_xls/freexl_open_iconv_stack_underflow.xls", &DamagedLibraryInput::openInClipData,
         freexlUnderflow, "assays.xls", &DamagedLibraryInput::firstClipDataCell, "SampleNo"},
        {"fuzz_jet/mdb_read_catalog_hang.mdb", &DamagedLibraryInput::importJet,
         "took longer than 2 seconds; the file may be damaged; its last message: Warning: "
         "mdb_col_to_string called on unsupported data type 0.",
         "jet/DateTestDatabase.mdb", &DamagedLibraryInput::jetRowCount, "6"},
        {"fuzz_jet/mdb_read_catalog_hang_2.mdb", &DamagedLibraryInput::importJet,
         "took longer than 2 seconds; the file may be damaged; its last message: Warning: "
         "mdb_col_to_string called on unsupported data type 0.",
         "jet/DateTestDatabase.mdb", &DamagedLibraryInput::jetRowCount, "6"},
    };
    for (const Case& c : cases) {
        const QString damaged =
            testpaths::testData(QStringLiteral("fuzz-crashes/") + QString::fromUtf8(c.damaged));
        const QString error = (this->*c.open)(damaged);
        EXPECT_TRUE(error.contains(QFileInfo(damaged).fileName())) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
        const QString sound = testpaths::testData(QString::fromUtf8(c.sound));
        EXPECT_EQ((this->*c.open)(sound), QString()) << c.sound;
        EXPECT_EQ((this->*c.content)(), QString::fromUtf8(c.expected)) << c.sound;
    }
}

} // namespace
