#pragma once
// One check for every driver: Connection::forEachRow visits the same rows as query(), with
// bound values; a failing statement visits nothing, says why, and leaves the connection usable.
// forEachField's cursor reads each field as the row's CellValue holds it: a number only for a
// number (not a boolean), UTF-8 only for a text (not a date).
#include "platform/Connection.h"
#include "platform/FieldReader.h"

#include <gtest/gtest.h>

inline void expectStreamingMatchesQuery(Connection& db) {
    const auto run = [&db](const char* jet, const std::vector<CellValue>& values = {}) {
        ASSERT_TRUE(db.execute(QString::fromUtf8(jet), values))
            << jet << ": " << db.lastError().toStdString();
    };
    run("CREATE TABLE [Assay] ([Sample] STRING(10), [Au] DOUBLE, [Taken] DATE, [Ok] BOOLEAN)");
    const QDateTime taken(QDate(1898, 1, 2), QTime(13, 45, 10), Qt::UTC);
    for (int i = 0; i < 50; ++i)
        run("INSERT INTO [Assay] VALUES (?, ?, ?, ?)",
            {i % 7 ? CellValue::text(QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0')))
                   : CellValue::null(),
             i % 5 ? CellValue::number(i * 0.5) : CellValue::null(), CellValue::date(taken),
             CellValue::boolean(i % 2)});
    const QString select =
        QStringLiteral("SELECT [Sample], [Au], [Taken], [Ok] FROM [Assay] WHERE [Au] > ? "
                       "ORDER BY [Au] DESC");
    const std::vector<CellValue> bound{CellValue::number(3)};
    const auto rows = db.query(select, bound);
    ASSERT_TRUE(rows) << db.lastError().toStdString();
    std::vector<RowSet::Row> streamed;
    ASSERT_TRUE(db.forEachRow(
        select, [&](const RowSet::Row& row) { streamed.push_back(row); }, bound))
        << db.lastError().toStdString();
    ASSERT_EQ(qsizetype(streamed.size()), rows->rowCount());
    ASSERT_GT(streamed.size(), 30u);
    for (size_t r = 0; r < streamed.size(); ++r)
        EXPECT_EQ(streamed[r], rows->row(qsizetype(r))) << r;

    size_t fieldRows = 0;
    QString error;
    ASSERT_TRUE(FieldReader::forEachField(
        db, select,
        [&](const FieldCursor& row) {
            ASSERT_LT(fieldRows, streamed.size());
            const RowSet::Row& expected = streamed[fieldRows++];
            ASSERT_EQ(size_t(row.columnCount()), expected.size());
            for (int c = 0; c < row.columnCount(); ++c) {
                const CellValue& v = expected[size_t(c)];
                EXPECT_EQ(row.value(c), v) << fieldRows << ',' << c;
                EXPECT_EQ(row.number(c), v.kind() == CellValue::Kind::Number
                                             ? v.toNumber()
                                             : std::optional<double>())
                    << fieldRows << ',' << c;
                if (const auto utf8 = row.utf8(c)) {
                    EXPECT_EQ(v.kind(), CellValue::Kind::Text) << fieldRows << ',' << c;
                    EXPECT_EQ(QString::fromUtf8(*utf8), v.toText()) << fieldRows << ',' << c;
                }
            }
        },
        error, bound))
        << error.toStdString();
    EXPECT_EQ(fieldRows, streamed.size());

    int visited = 0;
    EXPECT_FALSE(db.forEachRow(QStringLiteral("SELECT * FROM [Missing]"),
                               [&](const RowSet::Row&) { ++visited; }));
    EXPECT_TRUE(db.lastError().contains(QLatin1String("issing"))) << db.lastError().toStdString();
    EXPECT_FALSE(db.forEachRow(select, [&](const RowSet::Row&) { ++visited; }, {}));
    EXPECT_FALSE(
        FieldReader::forEachField(db, select, [&](const FieldCursor&) { ++visited; }, error, {}));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(visited, 0);
    // A failed read leaves the connection ready for the next statement.
    const auto again = db.query(select, bound);
    ASSERT_TRUE(again) << db.lastError().toStdString();
    EXPECT_EQ(again->rowCount(), rows->rowCount());
}
