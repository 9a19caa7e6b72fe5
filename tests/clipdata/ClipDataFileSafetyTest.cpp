// ClipData's OPEN and SAVE macro lines on files that once crashed the program or lost data
// without a word: damaged .xlsx styles, sparse and oversized sheets, devices, broken quotes,
// Windows-1252 text and cells an .xlsx file cannot hold.
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

TEST_F(ClipDataFileSafety, ASparsePageIsSavedCellByCellInEveryFormat) {
    ASSERT_TRUE(run(QStringLiteral("OPEN"),
                    testpaths::testData(QStringLiteral("xlsx/sparse-last-cell.xlsx"))))
        << shown().toStdString();
    ASSERT_EQ(page().lastRow(), Sheet::maxRows);
    ASSERT_EQ(page().lastColumn(), Sheet::maxColumns);
    const Workbook opened = clip.sheet().workbook();
    for (const char* name : {"sparse.txt", "sparse.csv", "sparse.qwb", "sparse.xlsx"}) {
        const QString file = path(QString::fromUtf8(name));
        ASSERT_TRUE(run(QStringLiteral("SAVE"), file)) << name << shown().toStdString();
        // A line per row and a separator per column of the one row: some MB, not 17 GB.
        EXPECT_LT(QFileInfo(file).size(), 4 << 20) << name;
        clip.sheet().activePage().clear();
        ASSERT_TRUE(run(QStringLiteral("OPEN"), file)) << name << shown().toStdString();
        EXPECT_EQ(page(), *opened.sheetAt(1)) << name;
    }
}

TEST_F(ClipDataFileSafety, FilesPastTheLimitsAreRefusedNamingTheLimit) {
    QFile huge(path(QStringLiteral("huge.csv")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize((qint64(512) << 20) + 1)); // sparse on disk: no space taken
    huge.close();
    const QByteArray wideRow = QByteArray(Sheet::maxColumns, '\t') + "x\n";
    const struct {
        QString file;
        const char* reason;
    } cases[] = {
        {QStringLiteral("/dev/zero"), "it is not a regular file"},
        {path(QStringLiteral("huge.csv")),
         "it is larger than 512 MB, the most the program reads from one file"},
        {write(QStringLiteral("wide.txt"), wideRow),
         "the file does not fit on a page: a page holds at most 1,048,576 rows and 16,384 "
         "columns"},
        {testpaths::testData(QStringLiteral("xlsx/past-last-row.xlsx")),
         "its cell A1048577 lies outside a page: a page holds at most 1,048,576 rows"},
        {testpaths::testData(QStringLiteral("xlsx/past-last-column.xlsx")),
         "its cell XFE1 lies outside a page: a page holds at most 1,048,576 rows and 16,384 "
         "columns"},
    };
    clip.sheet().activePage().setText(1, 1, QStringLiteral("kept"));
    const Workbook before = clip.sheet().workbook();
    for (const auto& c : cases) {
        EXPECT_FALSE(run(QStringLiteral("OPEN"), c.file)) << c.reason;
        EXPECT_TRUE(shown().contains(QString::fromUtf8(c.reason))) << shown().toStdString();
        EXPECT_EQ(clip.sheet().workbook(), before) << c.reason;
    }
}

TEST_F(ClipDataFileSafety, AStrayQuoteRefusesTheFileNamingTheLineItOpensOn) {
    const struct {
        const char* name;
        QByteArray text;
        const char* reason;
    } cases[] = {
        {"stray.csv", "Id,Rock,SiO2\n1,\"Granite,25\n2,Basalt,48\n3,Gabbro,47\n",
         "line 2: the quoted field that begins here is not closed"},
        {"reopened.csv", "Id,Rock\n1,\"Granite,25\n2,\"Gneiss\",30\n",
         "line 2: the quoted field that begins here has text after its closing quote"},
        {"stray.txt", "Id\tRock\n1\t\"Granite\t25\n2\tBasalt\"x\n",
         "line 2: text after the closing quote of a cell"},
    };
    clip.sheet().activePage().setText(1, 1, QStringLiteral("kept"));
    const Workbook before = clip.sheet().workbook();
    for (const auto& c : cases) {
        EXPECT_FALSE(run(QStringLiteral("OPEN"), write(QString::fromUtf8(c.name), c.text)))
            << c.name;
        EXPECT_TRUE(shown().contains(QString::fromUtf8(c.reason))) << shown().toStdString();
        EXPECT_EQ(clip.sheet().workbook(), before) << c.name;
    }
    // A quote inside an unquoted field is just a character.
    ASSERT_TRUE(run(QStringLiteral("OPEN"), write(QStringLiteral("inner.csv"), "1,Gneiss\",3\n")))
        << shown().toStdString();
    EXPECT_EQ(page().text(1, 2), QStringLiteral("Gneiss\""));
    EXPECT_EQ(page().lastColumn(), 3);
}

TEST_F(ClipDataFileSafety, TextThatIsNoUtf8IsReadAsWindows1252AndSaidSo) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* cell; // B2 as read
        bool windows1252;
    } cases[] = {
        {"latin1.csv", "Name,Rock\nM\xfcller,Gr\xe4nit \x80\n", "Gränit €", true},
        {"latin1.txt", "Name\tRock\nM\xfcller\t\x93K\xf6li\x94\n", "“Köli”", true},
        {"utf8.csv", "\xEF\xBB\xBFName,Rock\nM\xc3\xbcller,Gr\xc3\xa4nit\n", "Gränit", false},
    };
    for (const auto& c : cases) {
        const QString file = write(QString::fromUtf8(c.name), c.bytes);
        const qsizetype before = status.texts().size();
        ASSERT_TRUE(run(QStringLiteral("OPEN"), file)) << c.name << shown().toStdString();
        EXPECT_EQ(page().text(2, 2), QString::fromUtf8(c.cell)) << c.name;
        EXPECT_EQ(page().text(1, 1), QStringLiteral("Name")) << c.name;
        const QString note =
            file + QStringLiteral(" is not UTF-8 text; it was read as Windows-1252 (Western "
                                  "European)");
        EXPECT_EQ(status.texts().mid(before).contains(note), c.windows1252) << c.name;
    }
}

TEST_F(ClipDataFileSafety, CellsAnXlsxFileCannotHoldAreRefusedNamingTheCell) {
    const QString file = path(QStringLiteral("out.xlsx"));
    const QString longest(32767, u'x');
    clip.sheet().activePage().setText(12, 3, longest);
    ASSERT_TRUE(run(QStringLiteral("SAVE"), file)) << shown().toStdString();
    ASSERT_TRUE(run(QStringLiteral("OPEN"), file));
    EXPECT_EQ(page().text(12, 3), longest);
    const QString sheet = clip.sheet().workbook().sheetName(1);

    const struct {
        QString text;
        const char* reason;
    } cases[] = {
        {longest + u'x', "holds more than 32,767 characters"},
        {QStringLiteral("before") + QChar(u'\0') + QStringLiteral("after"),
         "holds a NUL character"},
        {QString(QChar(0xD800)), "holds characters that can not be saved"},
    };
    for (const auto& c : cases) {
        clip.sheet().activePage().setText(12, 3, c.text);
        EXPECT_FALSE(run(QStringLiteral("SAVE"), file)) << c.reason;
        EXPECT_TRUE(shown().contains(QStringLiteral("Cell C12 of sheet ") + sheet + u' ' +
                                     QString::fromUtf8(c.reason)))
            << shown().toStdString();
        EXPECT_FALSE(QFile::exists(file + QStringLiteral(".part")));
    }
    clip.sheet().activePage().setNumber(12, 3, std::numeric_limits<double>::infinity());
    EXPECT_FALSE(run(QStringLiteral("SAVE"), file));
    EXPECT_TRUE(shown().contains(QStringLiteral("Cell C12 of sheet ") + sheet +
                                 QStringLiteral(" holds infinity")))
        << shown().toStdString();
    // The file saved before is left as it was.
    ASSERT_TRUE(run(QStringLiteral("OPEN"), file));
    EXPECT_EQ(page().text(12, 3), longest);
}

} // namespace
