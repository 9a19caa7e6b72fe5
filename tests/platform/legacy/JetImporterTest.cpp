#include "platform/legacy/JetImporter.h"
#include "platform/ScriptedDialogs.h"
#include "platform/legacy/JetDate.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/TestPaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray digest(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC);
}

TEST(JetDate, ConvertsWholeAndFractionalDaysOnBothSidesOfDayZero) {
    const std::pair<double, QDateTime> cases[] = {
        {0, at(1899, 12, 30)},        {44532.5, at(2021, 12, 2, 12)},
        {-1.25, at(1899, 12, 29, 6)}, {2.75, at(1900, 1, 1, 18)},
        {-463126, at(632, 1, 1)},     {2958465.5, at(9999, 12, 31, 12)},
        {-657434, at(100, 1, 1)},     {0.99999999999, at(1899, 12, 31)}};
    for (const auto& [jet, want] : cases)
        EXPECT_EQ(JetDate::toDateTime(jet), want) << jet;
    for (double outside : {-657435.0, 2958466.0, 1e300, std::nan("")})
        EXPECT_FALSE(JetDate::toDateTime(outside)) << outside;
}

class JetImport : public ::testing::Test {
protected:
    void SetUp() override {
        source = dir.filePath(QStringLiteral("DateTestDatabase.mdb"));
        ASSERT_TRUE(QFile::copy(
            testpaths::testData(QStringLiteral("jet/DateTestDatabase.mdb")), source));
        QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner);
    }
    QTemporaryDir dir;
    QString source;
};

TEST_F(JetImport, CarriesDatesTextsAndNumbersOverIntoAWorkingCopyBesideTheFile) {
    const QByteArray before = digest(source);
    const auto imported = JetImporter::ensureWorkingCopy(source);
    ASSERT_TRUE(imported.ok()) << imported.error.toStdString();
    const QString copy = dir.filePath(QStringLiteral("DateTestDatabase.jet.sqlite"));
    EXPECT_EQ(imported.workingCopy, copy);
    EXPECT_TRUE(imported.warnings.isEmpty()) << imported.warnings.join('\n').toStdString();
    const auto opened = SqliteConnection::open(copy, SqliteConnection::Mode::ReadOnly);
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();

    Connection& db = *opened.connection;
    const auto tables = db.tables();
    ASSERT_TRUE(tables);
    ASSERT_EQ(tables->size(), 1u); // system, hidden and attachment tables stay behind
    EXPECT_EQ((*tables)[0].name, QStringLiteral("DateTest"));

    const auto rows = db.query(QStringLiteral("SELECT * FROM [DateTest] ORDER BY [IDCol]"));
    ASSERT_TRUE(rows) << db.lastError().toStdString();
    ASSERT_EQ(rows->rowCount(), 6);
    EXPECT_EQ(rows->columnNames(), (QStringList{"IDCol", "DateTimeCol", "DateCol", "TimeCol",
                                                "LongTextCol", "ShortTextCol"}));
    // The stored day numbers, read exactly; mdbtools' own formatting garbles all but the first.
    const std::vector<std::array<QDateTime, 3>> dates = {
        {at(2021, 12, 2), at(2021, 12, 2), at(2021, 12, 2)},
        {at(9999, 1, 1), at(9999, 1, 1), at(9999, 1, 1)},
        {at(1898, 1, 1), at(1899, 1, 1), at(1900, 1, 1)},
        {at(632, 1, 1), at(633, 1, 1), at(634, 1, 1)},
        {at(2021, 12, 2), at(2021, 12, 2), at(2021, 12, 2)},
        {at(2021, 12, 2), at(2021, 12, 2), at(2021, 12, 2)}};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(rows->at(r, 0), CellValue::number(r + 1));
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(rows->at(r, c + 1), CellValue::date(dates[size_t(r)][size_t(c)]))
                << r << "," << c;
    }
    EXPECT_EQ(rows->at(1, 4), CellValue::text("Year 9999"));
    EXPECT_EQ(rows->at(1, 5), CellValue::text("Year 1999"));
    EXPECT_EQ(rows->at(4, 4), CellValue::text("Escaped new line \\r\\n in field"));
    EXPECT_EQ(rows->at(5, 4), CellValue::text("New line\r\nin field"));

    const auto cols = db.columns();
    ASSERT_TRUE(cols);
    ASSERT_EQ(cols->size(), 6u);
    EXPECT_EQ((*cols)[1].typeCode, AdoType::Date);
    EXPECT_EQ((*cols)[4].typeCode, AdoType::LongVarWChar);
    EXPECT_EQ((*cols)[5].typeCode, AdoType::VarWChar);
    EXPECT_EQ((*cols)[5].maxLength, 255);

    EXPECT_EQ(digest(source), before); // the source is never written
}

TEST_F(JetImport, ReusesTheCopyWhileItIsNewerAndImportsAgainWhenTheSourceChanges) {
    const auto first = JetImporter::ensureWorkingCopy(source);
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_FALSE(first.reused);
    const auto second = JetImporter::ensureWorkingCopy(source);
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second.reused);
    EXPECT_EQ(second.workingCopy, first.workingCopy);

    QFile touched(source);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                    QFileDevice::FileModificationTime));
    touched.close();
    ScriptedDialogs yes; // a stale copy is replaced only on Yes
    yes.queueAnswer(Answer::Yes);
    const auto third = JetImporter::ensureWorkingCopy(source, StaleCopyQuestion(yes));
    ASSERT_TRUE(third.ok());
    EXPECT_FALSE(third.reused);
    EXPECT_FALSE(QFile::exists(third.workingCopy + QStringLiteral(".part")));
}

TEST_F(JetImport, RefusesAFileThatIsNoJetDatabaseAndLeavesNoCopy) {
    const QString fake = dir.filePath(QStringLiteral("fake.mdb"));
    QFile f(fake);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, '\x01'));
    f.close();
    const auto r = JetImporter::ensureWorkingCopy(fake);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(QFile::exists(JetImporter::workingCopyBeside(fake)));
}

} // namespace
