#include "platform/CellValue.h"

#include <gtest/gtest.h>

TEST(CellValue, NullIsNeitherEmptyTextNorZero) {
    EXPECT_NE(CellValue::null(), CellValue::text(""));
    EXPECT_NE(CellValue::null(), CellValue::number(0));
    EXPECT_NE(CellValue::null(), CellValue());
    EXPECT_EQ(CellValue::null().toText(), QString());
    EXPECT_FALSE(CellValue::null().toNumber());
    EXPECT_TRUE(CellValue::null().isMissing());
    EXPECT_FALSE(CellValue::text("").isMissing());
}

TEST(CellValue, NumbersAreWrittenShortestAndExactInTheCLocale) {
    const std::pair<double, const char*> cases[] = {{0.1, "0.1"},
                                                    {3, "3"},
                                                    {-2.5, "-2.5"},
                                                    {1e21, "1e+21"},
                                                    {123456789012, "123456789012"},
                                                    {1.0 / 3, "0.3333333333333333"},
                                                    {-0.0, "0"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(CellValue::number(value).toText().toStdString(), text);
        EXPECT_EQ(CellValue::text(QString::fromLatin1(text)).toNumber(), value == 0 ? 0 : value);
    }
    EXPECT_FALSE(CellValue::text("1,5").toNumber());
    EXPECT_FALSE(CellValue::text("12abc").toNumber());
}

TEST(CellValue, DatesKeepTheirClockTimeAndReadBackFromText) {
    const QDateTime d(QDate(632, 3, 4), QTime(23, 59, 58), Qt::UTC);
    EXPECT_EQ(CellValue::date(d).toText(), QStringLiteral("0632-03-04 23:59:58"));
    EXPECT_EQ(CellValue::text("0632-03-04 23:59:58").toDate(), d);
    EXPECT_EQ(CellValue::date(QDate(2021, 12, 2)).toText(), QStringLiteral("2021-12-02 00:00:00"));
    EXPECT_TRUE(CellValue::date(QDateTime()).isNull());
    EXPECT_EQ(CellValue::boolean(true).toText(), QStringLiteral("True"));
}
