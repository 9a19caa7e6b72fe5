// The link texts: content read from the sibling program, the selection sent to it, the
// connection texts it names, and the socket's message framing.
#include "link/LinkContentParser.h"
#include "link/LinkMessage.h"
#include "link/LinkSelection.h"
#include "link/LinkSource.h"
#include "link/LinkSqlStatement.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkContentParser, ReadsKeysLinesAndSections) {
    const struct {
        const char* text;
        QString LinkContent::*value;
        const char* expected;
    } cases[] = {
        {"keydata=12,13", &LinkContent::keyData, "12,13"},
        {"KEYDATA=12,13\r\n,14,15", &LinkContent::keyData, "12,13,14,15"},
        // CR-only and LF-only line ends, empty lines skipped.
        {"TABLENAME=Chem\rKEYFIELDS=SampleNo\r\rKEYDATA=7", &LinkContent::keyFields, "SampleNo"},
        {"TABLENAME=Chem\nKEYDATA=7\n,8", &LinkContent::keyData, "7,8"},
        // The last of a repeated key wins; unknown keys change nothing.
        {"TableName=A\r\nCOLOUR=red\r\nTABLENAME=B", &LinkContent::tableName, "B"},
        // The value stands as it is, "=" and blanks included.
        {"SQL=SELECT * FROM t WHERE a = 1 ", &LinkContent::sql, "SELECT * FROM t WHERE a = 1 "},
        // A "," line continues the key values only.
        {"CAPTION=Tour\r\n,more", &LinkContent::caption, "Tour"},
        {"DataBaseName=/data/rocks.sqlite\r\nORACLE=Data Source=geo", &LinkContent::databaseName,
         "/data/rocks.sqlite"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkContentParser::ParseLinkContent(QString::fromUtf8(c.text)).*(c.value),
                  QString::fromUtf8(c.expected))
            << c.text;

    const LinkContent fields = LinkContentParser::ParseLinkContent(
        QStringLiteral("[FIELDS]\r\nAu=0.5,g/t\r\nRock=Basalt\r\nKEYDATA=1"));
    ASSERT_EQ(fields.fields.size(), 2);
    EXPECT_EQ(fields.fields[0], (QPair<QString, QString>{"Au", "0.5"}));
    EXPECT_EQ(fields.fields[1], (QPair<QString, QString>{"Rock", ""})); // no "," after it
    EXPECT_EQ(fields.keyData, QStringLiteral("1"));

    // Each COMMAND= line is kept, in order, blanks and ";" as sent; a "," line continues none.
    const LinkContent commands = LinkContentParser::ParseLinkContent(
        QStringLiteral("command=VIEW XY\rKEYDATA=1\r\nCOMMAND=DRAW2 XY;Chem;Au ppb\n,2"));
    EXPECT_EQ(commands.commands, (QStringList{"VIEW XY", "DRAW2 XY;Chem;Au ppb"}));
    EXPECT_EQ(commands.keyData, QStringLiteral("1"));
}

TEST(LinkSelection, WritesSixLinesAndAnyKeyButTheNoneKey) {
    LinkSelection s{QStringLiteral("/data/rocks.sqlite"),
                    QStringLiteral("Chem"),
                    QStringLiteral("Au"),
                    QString(),
                    QStringLiteral("SampleNo"),
                    QString()};
    const struct {
        const char* key;
        const char* keyLine;
    } cases[] = {{"-999", "KEYDATA="},
                 {"-999.0", "KEYDATA="},
                 {"12", "KEYDATA=12"},
                 {"S-12", "KEYDATA=S-12"},
                 {"a\r\nTABLENAME=x", "KEYDATA=aTABLENAME=x"}};
    for (const auto& c : cases) {
        s.keyValue = QString::fromUtf8(c.key);
        const QStringList lines = s.text().split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 6) << c.key;
        EXPECT_EQ(lines[0], QStringLiteral("DATABASENAME=/data/rocks.sqlite"));
        EXPECT_EQ(lines[1], QStringLiteral("TABLENAME=Chem"));
        EXPECT_EQ(lines[4], QStringLiteral("KEYFIELDS=SampleNo"));
        EXPECT_EQ(lines[5], QString::fromUtf8(c.keyLine)) << c.key;
    }
}

TEST(LinkSqlStatement, RunsOneSelectOnly) {
    const struct {
        const char* sql;
        const char* statement; // nullptr: refused
    } cases[] = {
        {"SELECT * FROM Chem", "SELECT * FROM Chem"},
        {"  select [a;b], 'x; into' from [t] ; ;  ", "select [a;b], 'x; into' from [t]"},
        {"SELECT 1; DROP TABLE Chem", nullptr},
        {"SELECT 1 -- ;\nDELETE FROM Chem", nullptr},
        {"SELECT * INTO Copy FROM Chem", nullptr},
        {"SELECT * FROM Chem WHERE a = ?", nullptr},
        {"WITH x AS (DELETE FROM t RETURNING *) SELECT * FROM x", nullptr},
        {"UPDATE Chem SET Au = 0", nullptr},
        {"SELECT 'unclosed", nullptr},
        {";", nullptr},
    };
    for (const auto& c : cases) {
        const LinkSqlStatement checked = LinkSqlStatement::check(QString::fromUtf8(c.sql));
        EXPECT_EQ(checked.ok(), c.statement != nullptr) << c.sql;
        if (c.statement) {
            EXPECT_EQ(checked.statement, QString::fromUtf8(c.statement)) << c.sql;
        } else {
            EXPECT_TRUE(checked.error.startsWith(LinkSqlStatement::refusedText())) << c.sql;
        }
    }
}

TEST(LinkSource, ServerTextsBecomeConninfo) {
    const struct {
        const char* text;
        const char* conninfo;
    } cases[] = {
        {"Provider=MSDAORA;User ID=scott;Password=ti'ger;Data Source=geo",
         "user='scott' password='ti\\'ger' service='geo'"},
        {"ODBC;DSN=assays;UID=anna;PWD=x y;Server=db.local;Port=5433;Database=rocks",
         "service='assays' user='anna' password='x y' host='db.local' port='5433' dbname='rocks'"},
        {"host=db dbname=rocks", "host=db dbname=rocks"},
        {"postgresql://anna@db/rocks", "postgresql://anna@db/rocks"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkSource::conninfoOf(QString::fromUtf8(c.text)), QString::fromUtf8(c.conninfo))
            << c.text;
    LinkContent content;
    content.databaseName = QStringLiteral("/data/rocks.oracle.sqlite");
    EXPECT_EQ(LinkSource::targetOf(content).kind, ConnectionTarget::Kind::Sqlite);
    content.odbc = QStringLiteral("DSN=assays.mdb");
    EXPECT_EQ(LinkSource::targetOf(content).kind, ConnectionTarget::Kind::Server);
    EXPECT_EQ(LinkSource::databaseOf(content), QStringLiteral("service='assays.mdb'"));
}

TEST(LinkMessage, FramesSplitAnywhereAndRefusesHugeLengths) {
    const QString first = QStringLiteral("TABLENAME=Ässä\r\nKEYDATA=1");
    const QByteArray stream = LinkMessage::encode(first) + LinkMessage::encode(QString()) +
                              LinkMessage::encode(QStringLiteral("KEYDATA=2"));
    for (qsizetype chunk : {qsizetype(1), qsizetype(3), stream.size()}) {
        LinkMessage reader;
        QStringList got;
        for (qsizetype i = 0; i < stream.size(); i += chunk)
            got += reader.feed(stream.mid(i, chunk));
        EXPECT_EQ(got, (QStringList{first, QString(), "KEYDATA=2"})) << chunk;
    }
    LinkMessage reader;
    EXPECT_TRUE(reader
                    .feed(QByteArray("\xff\xff\xff\xff"
                                     "abc",
                                     7))
                    .isEmpty());
    EXPECT_TRUE(reader.broken());
    EXPECT_TRUE(reader.feed(LinkMessage::encode(QStringLiteral("x"))).isEmpty());
}

} // namespace
