#pragma once
// A session database on a real engine for the filter tests, opened and mapped the way the main
// window opens one: rocks with awkward values (a quote, a Null, names that differ only in
// punctuation or in a Like wild card), assays with two rows for one sample, and holes keyed by
// another field.
#include "db/SchemaMapper.h"
#include "filter/FilterViews.h"
#include "support/EngineSession.h"

class FilterSession : public EngineSession {
protected:
    Connection& db() { return *session->connection(); }

    void SetUp() override { openSession(QStringLiteral("quv_filter"), createSchema); }

    static void run(Connection& c, const QString& sql, const std::vector<CellValue>& values = {}) {
        ASSERT_TRUE(c.execute(sql, values))
            << sql.toStdString() << ": " << c.lastError().toStdString();
    }
    // Filters "f_Granite" (Rock = Granite) and "f_RichAu" (Au > 2) on Rocks, known to the
    // catalogue.
    void makeGraniteAndRichAuFilters() {
        FilterViews views(db());
        ASSERT_TRUE(views.create(QStringLiteral("f_Granite"),
                                 QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Rock] = "
                                                "'Granite')")));
        ASSERT_TRUE(views.create(QStringLiteral("f_RichAu"),
                                 QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 2)")));
        SchemaMapper(db(), status).RefreshFilterList(session->catalogue());
    }
    static CellValue num(double v) { return CellValue::number(v); }
    static CellValue txt(const char* v) { return CellValue::text(QString::fromUtf8(v)); }

    static void createSchema(Connection& c) {
        run(c, "CREATE TABLE [Rocks] ([SampleID] TEXT(20) CONSTRAINT [pkRocks] PRIMARY KEY, "
               "[Rock] TEXT(30), [Au] DOUBLE, [Owner] TEXT(30))");
        run(c, "CREATE TABLE [Assays] ([SampleID] TEXT(20), [Element] TEXT(5), [Value] DOUBLE)");
        run(c, "CREATE INDEX [AssaySample] ON [Assays] ([SampleID])");
        run(c, "CREATE TABLE [Holes] ([HoleID] TEXT(10) CONSTRAINT [pkHoles] PRIMARY KEY, "
               "[Depth] DOUBLE)");
        const QString rock = QStringLiteral("INSERT INTO [Rocks] VALUES (?, ?, ?, ?)");
        run(c, rock, {txt("S1"), txt("Granite"), num(12), txt("O'Brien")});
        run(c, rock, {txt("S2"), txt("Basalt"), num(0.5), txt("Smith")});
        run(c, rock, {txt("S3"), txt("Granite"), num(3), CellValue::null()});
        run(c, rock, {txt("S4"), CellValue::null(), num(1), txt("Smith")});
        run(c, rock, {txt("S5"), txt("Fine-grained"), num(2), txt("Au")});
        run(c, rock, {txt("S6"), txt("A_1"), num(7), txt("Aurum")});
        run(c, rock, {txt("S7"), txt("AB1"), num(8), txt("Smith")});
        run(c, rock, {txt("S8"), txt("Fine grained"), num(9), txt("Smith")});
        const QString assay = QStringLiteral("INSERT INTO [Assays] VALUES (?, ?, ?)");
        run(c, assay, {txt("S1"), txt("Au"), num(1.5)});
        run(c, assay, {txt("S1"), txt("Au"), num(2)});
        run(c, assay, {txt("S2"), txt("Au"), num(0.1)});
        run(c, assay, {txt("S3"), txt("Cu"), num(5)});
        run(c, "INSERT INTO [Holes] VALUES ('H1', 100)");
        run(c, "INSERT INTO [Holes] VALUES ('H2', 300)");
    }

    // Rows as "a|b", Null written NULL, sorted so that engines compare alike.
    QStringList rows(const QString& sql) {
        QStringList out;
        const auto result = db().query(sql);
        EXPECT_TRUE(result) << sql.toStdString() << ": " << db().lastError().toStdString();
        if (!result)
            return out;
        for (qsizetype r = 0; r < result->rowCount(); ++r) {
            QStringList cells;
            for (const CellValue& v : result->row(r))
                cells << (v.isNull() ? QStringLiteral("NULL") : v.toText());
            out << cells.join(u'|');
        }
        out.sort();
        return out;
    }
};
