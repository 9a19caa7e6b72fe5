// Excel files into workbooks: the committed Excel 97 file, packages made here part by part to
// reach what a writer may put in an .xlsx (inline and rich strings, sparse cells, dates in both
// date systems), our own .xlsx written and read back, and damaged files refused with a reason.
#include "platform/XlsWorkbookReader.h"
#include "platform/XlsxWorkbookReader.h"
#include "platform/XlsxWorkbookWriter.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <variant>
#include <zip.h>

namespace {

using Expected = std::variant<std::monostate, double, QString>; // empty, number, text

struct CellCase {
    const char* sheet;
    int row;
    int column;
    Expected value;
};

void expectCells(const Workbook& book, const std::vector<CellCase>& cases) {
    for (const CellCase& c : cases) {
        const Sheet* sheet = book.findSheet(QString::fromUtf8(c.sheet));
        ASSERT_NE(sheet, nullptr) << c.sheet;
        const std::string where =
            std::string(c.sheet) + " R" + std::to_string(c.row) + "C" + std::to_string(c.column);
        if (std::holds_alternative<std::monostate>(c.value)) {
            EXPECT_TRUE(sheet->isEmpty(c.row, c.column)) << where;
        } else if (const double* number = std::get_if<double>(&c.value)) {
            ASSERT_TRUE(sheet->isNumber(c.row, c.column)) << where;
            EXPECT_EQ(*sheet->number(c.row, c.column), *number) << where;
        } else {
            EXPECT_FALSE(sheet->isNumber(c.row, c.column)) << where;
            EXPECT_EQ(sheet->text(c.row, c.column), std::get<QString>(c.value)) << where;
        }
    }
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(XlsWorkbookReaderTest, ReadsEveryWorksheetOfAnExcel97File) {
    QString error;
    const std::optional<Workbook> book =
        XlsWorkbookReader::read(testpaths::testData(QStringLiteral("assays.xls")), &error);
    ASSERT_TRUE(book) << error.toStdString();
    EXPECT_EQ(book->sheetNames(), QStringList({"Assays", text("Notes ä"), "Empty"}));
    expectCells(*book, {
                           {"Assays", 1, 1, text("SampleNo")},
                           {"Assays", 1, 5, text("Date")},
                           {"Assays", 2, 1, 1001.0},
                           {"Assays", 2, 3, 12.5},
                           {"Assays", 3, 3, 0.1},
                           {"Assays", 4, 3, -4.25},
                           {"Assays", 4, 4, 40000.0},
                           {"Assays", 5, 3, 1e-300},
                           {"Assays", 3, 4, {}},
                           {"Assays", 5, 2, {}},
                           {"Assays", 4, 2, text("Kiilleliuske")},
                           {"Assays", 2, 5, text("2021-06-15")},
                           {"Assays", 3, 5, text("2021-06-16 12:30:00")},
                           {"Notes ä", 1, 1, text("Näytteet Pyhäsalmelta")},
                           {"Notes ä", 3, 4, text("tab\tand \"quote\"")},
                       });
    EXPECT_EQ(book->findSheet("Assays")->lastRow(), 5);
    EXPECT_EQ(book->findSheet("Assays")->lastColumn(), 5);
    EXPECT_TRUE(book->findSheet("Empty")->isBlank());
}

class PackageTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // An .xlsx package of the given parts (name, XML).
    QString package(const char* name,
                    const std::vector<std::pair<const char*, QByteArray>>& parts) {
        int code = 0;
        zip_t* zip =
            zip_open(QFile::encodeName(path(name)).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        EXPECT_NE(zip, nullptr);
        for (const auto& [part, xml] : parts) {
            stored_.push_back(xml);
            zip_source_t* source =
                zip_source_buffer(zip, stored_.back().constData(), stored_.back().size(), 0);
            EXPECT_GE(zip_file_add(zip, part, source, ZIP_FL_ENC_UTF_8), 0) << part;
        }
        EXPECT_EQ(zip_close(zip), 0);
        return path(name);
    }

    // A package with one worksheet "Data" of the given sheetData, shared strings and styles.
    QString workbook(const char* name, const QByteArray& sheetData, const QByteArray& shared,
                     const QByteArray& styles, bool date1904 = false) {
        const QByteArray ns =
            R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")";
        return package(
            name,
            {{"xl/workbook.xml", "<workbook" + ns + "><workbookPr date1904=\"" +
                                     (date1904 ? "1" : "0") +
                                     "\"/><sheets><sheet name=\"Data\" sheetId=\"1\" "
                                     "r:id=\"rId7\"/><sheet name=\"Second\" sheetId=\"2\" "
                                     "r:id=\"rId8\"/></sheets></workbook>"},
             {"xl/_rels/workbook.xml.rels",
              R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId7" Target="worksheets/data.xml"/><Relationship Id="rId8" Target="/xl/worksheets/second.xml"/></Relationships>)"},
             {"xl/worksheets/data.xml",
              "<worksheet" + ns + "><sheetData>" + sheetData + "</sheetData></worksheet>"},
             {"xl/worksheets/second.xml",
              "<worksheet" + ns + "><sheetData><row><c><v>7</v></c></row></sheetData></worksheet>"},
             {"xl/sharedStrings.xml", "<sst" + ns + ">" + shared + "</sst>"},
             {"xl/styles.xml", "<styleSheet" + ns + ">" + styles + "</styleSheet>"}});
    }

private:
    std::list<QByteArray> stored_; // the buffers live until the archive is closed
};

const QByteArray dateStyles =
    R"(<numFmts><numFmt numFmtId="164" formatCode="dd/mm/yyyy\ hh:mm"/><numFmt numFmtId="165" formatCode="&quot;day&quot;0.0"/><numFmt numFmtId="166" formatCode="[Red]0.00"/></numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="166"/><xf numFmtId="21"/></cellXfs>)";

TEST_F(PackageTest, ReadsWhatWritersPutInAnXlsxFile) {
    const QByteArray cells =
        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="inlineStr"><is><t>inline</t></is></c><c t="s"><v>1</v></c></row>)"
        R"(<row r="3"><c r="A3"><v>12.5</v></c><c r="B3" t="b"><v>1</v></c><c r="C3" t="e"><v>#N/A</v></c><c r="D3" t="str"><f>A3*2</f><v>twenty five</v></c><c r="E3"><f>A3</f></c><c r="AA3"><v>-1e-3</v></c></row>)"
        R"(<row><c s="1"><v>44362</v></c><c s="2"><v>44363.5208333333</v></c><c s="3"><v>2</v></c><c s="4"><v>3</v></c><c s="5"><v>0.75</v></c><c s="1"><v>59</v></c><c s="1"><v>61</v></c></row>)";
    const QByteArray shared =
        R"(<si><t>SampleNo</t></si><si><r><t>Cu</t></r><r><rPr><b/></rPr><t xml:space="preserve"> ppm</t></r><rPh><t>ignored</t></rPh></si>)";
    QString error;
    const std::optional<Workbook> book =
        XlsxWorkbookReader::read(workbook("w.xlsx", cells, shared, dateStyles), &error);
    ASSERT_TRUE(book) << error.toStdString();
    EXPECT_EQ(book->sheetNames(), QStringList({"Data", "Second"}));
    expectCells(*book, {
                           {"Data", 1, 1, text("SampleNo")},
                           {"Data", 1, 2, {}},
                           {"Data", 1, 3, text("inline")},
                           {"Data", 1, 4, text("Cu ppm")}, // follows C1 without a reference
                           {"Data", 2, 1, {}},
                           {"Data", 3, 1, 12.5},
                           {"Data", 3, 2, 1.0},
                           {"Data", 3, 3, text("#N/A")},
                           {"Data", 3, 4, text("twenty five")},
                           {"Data", 3, 5, {}}, // a formula never calculated
                           {"Data", 3, 27, -0.001},
                           {"Data", 4, 1, text("2021-06-15")}, // row 4 follows row 3
                           {"Data", 4, 2, text("2021-06-16 12:30:00")},
                           {"Data", 4, 3, 2.0}, // "day" is quoted text, not a date
                           {"Data", 4, 4, 3.0}, // [Red] is a colour
                           {"Data", 4, 5, text("18:00:00")},
                           {"Data", 4, 6, text("1900-02-28")},
                           {"Data", 4, 7, text("1900-03-01")},
                           {"Second", 1, 1, 7.0},
                       });
}

TEST_F(PackageTest, Dates1904CountFromThe1904Epoch) {
    QString error;
    const std::optional<Workbook> book = XlsxWorkbookReader::read(
        workbook("d.xlsx", R"(<row><c s="1"><v>0</v></c><c s="1"><v>42900</v></c></row>)", "",
                 dateStyles, true),
        &error);
    ASSERT_TRUE(book) << error.toStdString();
    expectCells(*book, {{"Data", 1, 1, text("1904-01-01")}, {"Data", 1, 2, text("2021-06-15")}});
}

TEST_F(PackageTest, OurOwnXlsxReadsBackAsItWasWritten) {
    Workbook book;
    book.sheet("Assays").fromTsv(QStringLiteral("SampleNo\tCu\n1\t0.1\n2\t-3e-20\n\t\n"
                                                "x\t\"quoted, text\"\n"));
    book.sheet("Assays").setText(6, 3, QStringLiteral("two\nlines & <tags> ä"));
    book.sheet("Empty");
    QString error;
    ASSERT_TRUE(XlsxWorkbookWriter::write(book, path("ours.xlsx"), &error)) << error.toStdString();
    const std::optional<Workbook> read = XlsxWorkbookReader::read(path("ours.xlsx"), &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(*read, book);
}

TEST_F(PackageTest, DamagedFilesAreRefusedWithAReason) {
    QFile text(path("text.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("SampleNo\tCu\n");
    text.close();
    const struct {
        const char* name;
        QString file;
        const char* reason;
    } cases[] = {
        {"missing file", path("none.xlsx"), "No such file"},
        {"not a zip", path("text.xlsx"), "Not a zip archive"},
        {"no workbook", package("nowb.xlsx", {{"word/document.xml", "<document/>"}}),
         "not an Excel workbook"},
        {"shared string out of range",
         workbook("range.xlsx", R"(<row><c t="s"><v>5</v></c></row>)", "<si><t>a</t></si>", ""),
         "shared string"},
        {"broken XML", workbook("xml.xlsx", "<row><c><v>1</v></row>", "", ""), "worksheet Data"},
        {"beyond the last column",
         workbook("wide.xlsx", R"(<row><c r="XFE1"><v>1</v></c></row>)", "", ""),
         "its cell XFE1 lies outside a page"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(XlsxWorkbookReader::read(c.file, &error)) << c.name;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason)))
            << c.name << ": " << error.toStdString();
    }
    for (const QString& notXls : {path("text.xlsx"), path("none.xls")}) {
        QString error;
        EXPECT_FALSE(XlsWorkbookReader::read(notXls, &error)) << notXls.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
