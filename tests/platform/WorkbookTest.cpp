#include "platform/Workbook.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <unistd.h>

namespace {
QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QStringList& nastyTexts() {
    static const QStringList texts = {
        QStringLiteral("12"),
        QStringLiteral(" 12 "),
        QStringLiteral("-0"),
        QStringLiteral("1e-300"),
        QStringLiteral("nan"),
        QStringLiteral("inf"),
        QStringLiteral("-inf"),
        QStringLiteral("Inf"),
        QStringLiteral("'"),
        QStringLiteral("''"),
        QStringLiteral("'12"),
        QStringLiteral("[sheet]"),
        QStringLiteral("[sheet]\tB"),
        QStringLiteral("#END"),
        QStringLiteral("#QUV-WORKBOOK 1"),
        QStringLiteral("\""),
        QStringLiteral("\"\""),
        QStringLiteral("\"quoted\""),
        QStringLiteral("mid\"quote"),
        QStringLiteral("tab\tin"),
        QStringLiteral("\t"),
        QStringLiteral("line\nbreak"),
        QStringLiteral("\n"),
        QStringLiteral("crlf\r\nin"),
        QStringLiteral("lone\rcr"),
        QStringLiteral("\n#END\n[sheet]\tX\n"),
        QStringLiteral("Ünïcødé 日本語 😀"),
        QStringLiteral(" leading and trailing "),
        QString(QStringLiteral("nul") + QChar(u'\0') + QStringLiteral("inside")),
        QString(5000, u'x'),
    };
    return texts;
}

const std::vector<double>& nastyNumbers() {
    static const std::vector<double> numbers = {
        0.0,
        -0.0,
        0.1,
        1.0 / 3.0,
        -1e-300,
        5e-324,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        123456789012345678.0,
    };
    return numbers;
}

Workbook nastyWorkbook() {
    Workbook book;
    // Names that look like the file's own lines, or need quoting.
    const QStringList names = {QStringLiteral("Data"),       QString(),
                               QStringLiteral("[sheet]"),    QStringLiteral("#END"),
                               QStringLiteral("a\tb"),       QStringLiteral("\"q\""),
                               QStringLiteral("line\nname"), QStringLiteral("'12"),
                               QStringLiteral("Näme 名")};
    for (const QString& name : names) {
        book.sheet(name);
    }
    Sheet& data = book.sheet(QStringLiteral("Data"));
    const QStringList& texts = nastyTexts();
    for (int i = 0; i < texts.size(); ++i) {
        data.setText(i + 1, 1, texts[i]);
        data.setText(i + 1, 3 + i % 4, texts[texts.size() - 1 - i]); // gaps in rows
    }
    const auto& numbers = nastyNumbers();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        data.setNumber(static_cast<int>(i) + 1, 2, numbers[i]);
    }
    data.setNumber(60, 9, std::numeric_limits<double>::quiet_NaN()); // empty rows before it
    book.sheet(QStringLiteral("[sheet]")).setText(1, 1, QStringLiteral("[sheet]\tData"));
    book.sheet(QStringLiteral("#END")).setText(2, 2, QStringLiteral("#END"));
    return book;
}

TEST(Workbook, NastySheetsRoundTripThroughAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("nasty.ake"));
    const Workbook book = nastyWorkbook();
    const auto saved = book.save(path);
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();

    const auto loaded = Workbook::load(path);
    ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
    const Workbook& back = *loaded.workbook;
    EXPECT_EQ(back.sheetNames(), book.sheetNames());
    EXPECT_TRUE(back == book);

    // Spot checks that equality itself cannot hide: kinds, -0, NaN, texts that look like numbers.
    const Sheet* data = back.findSheet(QStringLiteral("Data"));
    ASSERT_NE(data, nullptr);
    const QStringList& texts = nastyTexts();
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_FALSE(data->isNumber(i + 1, 1)) << i;
        EXPECT_EQ(data->text(i + 1, 1), texts[i]) << i;
    }
    const auto& numbers = nastyNumbers();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        ASSERT_TRUE(data->isNumber(row, 2)) << i;
        EXPECT_EQ(*data->number(row, 2), numbers[i]) << i;
        EXPECT_EQ(std::signbit(*data->number(row, 2)), std::signbit(numbers[i])) << i;
    }
    EXPECT_TRUE(std::isnan(*data->number(60, 9)));
    EXPECT_EQ(data->lastRow(), 60);
    EXPECT_EQ(back.sheetAt(2)->lastRow(), 0);
    EXPECT_EQ(back.findSheet(QStringLiteral("#END"))->text(2, 2), QStringLiteral("#END"));

    // Saving what was loaded gives the same bytes.
    EXPECT_EQ(back.toUtf8(), readAll(path));
}

TEST(Workbook, WritesTheDocumentedFormat) {
    Workbook book;
    Sheet& first = book.sheet(QStringLiteral("Tables"));
    first.setText(1, 1, QStringLiteral("rocks"));
    first.setNumber(1, 3, -0.5);
    first.setText(3, 2, QStringLiteral("12"));
    first.setText(3, 3, QStringLiteral("a\tb"));
    book.sheet(QStringLiteral("two words")).setText(1, 1, QStringLiteral("#x"));
    book.sheet(QStringLiteral("empty"));
    EXPECT_EQ(book.toUtf8(), QByteArray("#QUV-WORKBOOK 1\n"
                                        "[sheet]\tTables\n"
                                        "rocks\t\t-0.5\n"
                                        "\n"
                                        "\t'12\t\"a\tb\"\n"
                                        "[sheet]\ttwo words\n"
                                        "'#x\n"
                                        "[sheet]\tempty\n"
                                        "#END\n"));
    EXPECT_EQ(Workbook().toUtf8(), QByteArray("#QUV-WORKBOOK 1\n#END\n"));
}

TEST(Workbook, ReadsWhatEditorsDoToTheFile) {
    const struct {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"CR LF lines", "#QUV-WORKBOOK 1\r\n[sheet]\tS\r\n1\tx\r\n#END\r\n"},
        {"no final line break", "#QUV-WORKBOOK 1\n[sheet]\tS\n1\tx\n#END"},
        {"empty lines after the end", "#QUV-WORKBOOK 1\n[sheet]\tS\n1\tx\n#END\n\n\n"},
        {"quoted cells", "#QUV-WORKBOOK 1\n[sheet]\t\"S\"\n\"1\"\t\"x\"\n#END\n"},
    };
    for (const auto& c : cases) {
        const auto result = Workbook::parseUtf8(c.text);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error.toStdString();
        const Sheet* sheet = result.workbook->findSheet(QStringLiteral("S"));
        ASSERT_NE(sheet, nullptr) << c.name;
        EXPECT_EQ(sheet->number(1, 1), 1.0) << c.name;
        EXPECT_TRUE(sheet->isNumber(1, 1)) << c.name;
        EXPECT_EQ(sheet->text(1, 2), QStringLiteral("x")) << c.name;
        EXPECT_EQ(sheet->lastRow(), 1) << c.name;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bom.amc"));
    ASSERT_TRUE(writeAll(path, "\xEF\xBB\xBF#QUV-WORKBOOK 1\n[sheet]\tMacro\nOPENDB x\n#END\n"));
    const auto withBom = Workbook::load(path);
    ASSERT_TRUE(withBom.ok()) << withBom.error.toStdString();
    EXPECT_EQ(withBom.workbook->sheetAt(1)->text(1, 1), QStringLiteral("OPENDB x"));
}

TEST(Workbook, MalformedFilesGiveTheLineAndTheFault) {
    const QByteArray head = "#QUV-WORKBOOK 1\n[sheet]\tS\n";
    const struct {
        const char* name;
        QByteArray text;
        int line;
        const char* fault;
    } cases[] = {
        {"empty file", "", 1, "not a QUV workbook file"},
        {"bad magic", "#QUV-WORKBOK 1\n#END\n", 1, "not a QUV workbook file"},
        {"someone's spreadsheet", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\x00\x00", 1,
         "not a QUV workbook file"},
        {"newer version", "#QUV-WORKBOOK 2\n#END\n", 1, "unsupported workbook version \"2\""},
        {"truncated after rows", head + "1\t2\n3\n", 5, "truncated"},
        {"truncated after the magic", "#QUV-WORKBOOK 1\n", 2, "truncated"},
        {"truncated inside a quote", head + "1\t\"abc\ndef", 3, "a quoted cell is not closed"},
        {"text after a closing quote", head + "x\n\"ab\"c\n#END\n", 4,
         "text after the closing quote"},
        {"quote closed after a break, then text", head + "\"a\nb\"c\n#END\n", 3,
         "text after the closing quote"},
        {"lone carriage return", head + "1\r2\n#END\n", 3, "carriage return"},
        {"two sheets with one name", head + "1\n[sheet]\tS\n#END\n", 4, "a second sheet named"},
        {"unknown bracket line", head + "[shet]\tT\n#END\n", 3, "not [sheet]"},
        {"sheet without name", head + "[sheet]\n#END\n", 3, "without a TAB and a sheet name"},
        {"sheet name with extra cells", head + "[sheet]\tT\tU\n#END\n", 3,
         "text after the sheet name"},
        {"unknown hash line", head + "#ENDE\n", 3, "not #END"},
        {"cells before any sheet", "#QUV-WORKBOOK 1\nx\t1\n#END\n", 2, "before the first [sheet]"},
        {"text after the end", head + "#END\nx\n", 4, "text after the #END line"},
    };
    for (const auto& c : cases) {
        const auto result = Workbook::parseUtf8(c.text);
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.line, c.line) << c.name << ": " << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(c.fault)))
            << c.name << ": " << result.error.toStdString();
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("line %1: ").arg(c.line)))
            << result.error.toStdString();
    }
}

TEST(Workbook, EveryCutOfAValidFileIsRefusedOrReadsAsItsPrefix) {
    const QByteArray full = nastyWorkbook().toUtf8();
    // Every cut before the final "#END" must be refused: no half-read book passes as whole.
    const qsizetype endAt = full.lastIndexOf("#END\n");
    for (qsizetype cut = 0; cut < full.size(); cut += 7) {
        const auto result = Workbook::parseUtf8(QByteArrayView(full).first(cut));
        if (cut < endAt + 4) {
            EXPECT_FALSE(result.ok()) << "cut at " << cut;
            EXPECT_FALSE(result.error.isEmpty());
        }
    }
    EXPECT_TRUE(Workbook::parseUtf8(QByteArrayView(full).first(endAt + 4)).ok());
}

TEST(Workbook, SheetsKeepTheirOrderAndIdentity) {
    Workbook book;
    Sheet& tables = book.sheet(QStringLiteral("Tables"));
    tables.setNumber(1, 1, 1);
    for (int i = 0; i < 50; ++i) { // many more sheets must not move the first one
        book.sheet(QStringLiteral("s%1").arg(i));
    }
    EXPECT_EQ(&book.sheet(QStringLiteral("Tables")), &tables);
    EXPECT_EQ(book.sheetAt(1), &tables);
    EXPECT_EQ(book.sheetAt(0), nullptr);
    EXPECT_EQ(book.sheetAt(52), nullptr);
    EXPECT_EQ(book.sheetCount(), 51);
    EXPECT_EQ(book.sheetName(2), QStringLiteral("s0"));
    EXPECT_FALSE(book.hasSheet(QStringLiteral("tables"))); // names compare exactly

    EXPECT_FALSE(book.renameSheet(QStringLiteral("Tables"), QStringLiteral("s3")));
    EXPECT_FALSE(book.renameSheet(QStringLiteral("none"), QStringLiteral("x")));
    EXPECT_TRUE(book.renameSheet(QStringLiteral("Tables"), QStringLiteral("Fields")));
    EXPECT_EQ(book.sheetName(1), QStringLiteral("Fields"));
    EXPECT_TRUE(book.removeSheet(QStringLiteral("s0")));
    EXPECT_FALSE(book.removeSheet(QStringLiteral("s0")));
    EXPECT_EQ(book.sheetName(2), QStringLiteral("s1"));

    Workbook copy = book;
    copy.sheet(QStringLiteral("Fields")).setNumber(1, 1, 2);
    EXPECT_EQ(book.sheetAt(1)->number(1, 1), 1.0); // a deep copy
    EXPECT_FALSE(copy == book);
}

TEST(Workbook, FailedSaveLeavesTheOldFileAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("book.bok"));
    Workbook old;
    old.sheet(QStringLiteral("Figures")).setText(1, 1, QStringLiteral("old"));
    ASSERT_TRUE(old.save(path).ok);
    const QByteArray before = readAll(path);

    // A text UTF-8 cannot hold is found only after most of the file has been written.
    Workbook bad;
    Sheet& big = bad.sheet(QStringLiteral("Figures"));
    for (int row = 1; row <= 50000; ++row) {
        big.setText(row, 1, QStringLiteral("figure %1 with a long enough text").arg(row));
    }
    big.setText(50001, 2, QString(QChar(0xD800))); // a lone surrogate
    const auto saved = bad.save(path);
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.error.contains(QStringLiteral("row 50001, column 2 of sheet \"Figures\"")))
        << saved.error.toStdString();
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("book.bok")}); // no temporary file left behind
}

TEST(Workbook, SaveAndLoadReportWhatWentWrong) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Workbook book;
    book.sheet(QStringLiteral("Links")).setText(1, 1, QStringLiteral("rocks"));

    const QString missingFolder = dir.filePath(QStringLiteral("no/such/folder/rocks.dbl"));
    const auto saved = book.save(missingFolder);
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.error.startsWith(QStringLiteral("can not write ") + missingFolder))
        << saved.error.toStdString();

    const auto loaded = Workbook::load(dir.filePath(QStringLiteral("absent.ake")));
    EXPECT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.line, 0);
    EXPECT_TRUE(loaded.error.startsWith(QStringLiteral("can not open ")))
        << loaded.error.toStdString();

    // Backslashes are folder separators too.
    QString windowsStyle = dir.filePath(QStringLiteral("rocks.ake"));
    windowsStyle.replace(u'/', u'\\');
    ASSERT_TRUE(book.save(windowsStyle).ok);
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("rocks.ake"))));
    const auto back = Workbook::load(windowsStyle);
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_TRUE(*back.workbook == book);
}

TEST(Workbook, SaveIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("rocks.ake"));
    Workbook old;
    old.sheet(QStringLiteral("Tables")).setText(1, 1, QStringLiteral("old"));
    ASSERT_TRUE(old.save(path).ok);
    const QByteArray before = readAll(path);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    Workbook changed;
    changed.sheet(QStringLiteral("Tables")).setText(1, 1, QStringLiteral("new"));
    const auto saved = changed.save(path);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.isEmpty());
    EXPECT_EQ(readAll(path), before);
}
} // namespace
