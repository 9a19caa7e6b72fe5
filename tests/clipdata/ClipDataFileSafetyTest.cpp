// ClipData's OPEN and SAVE macro lines on files that once crashed the program or lost data
// without a word.
#include "clipdata/ClipDataWindow.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ClipDataFileSafety : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status, [](const QString&) { return OpenedConnection{}; },
                            [](const QString&) { return QString(); }};
    ClipDataWindow clip{session, dialogs, status, dir.filePath(QStringLiteral("lastfiles.ini"))};

    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }
    bool run(const QString& verb, const QString& file) {
        dialogs.clearLog();
        return clip.runCommand(verb + u' ' + file);
    }
    const Sheet& page() { return clip.sheet().activePage(); }
    QString shown() const { return dialogs.texts().join(QStringLiteral(" / ")); }
};

TEST_F(ClipDataFileSafety, StyleIndexesOutsideTheStylesAreIgnored) {
    struct Case {
        const char* file;
        QStringList row; // A1, B1, C1 as read
    };
    const Case cases[] = {
        {"style-minus-one-no-styles.xlsx", {"42", "44197", ""}},
        {"style-huge-negative.xlsx", {"42", "7", "2021-01-01"}},
    };
    for (const Case& c : cases) {
        const QString file = testpaths::testData(QStringLiteral("xlsx/") + c.file);
        ASSERT_TRUE(run(QStringLiteral("OPEN"), file)) << c.file << shown().toStdString();
        EXPECT_TRUE(page().isNumber(1, 1)) << c.file;
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(page().text(1, column), c.row[column - 1]) << c.file << " " << column;
    }
}

} // namespace
