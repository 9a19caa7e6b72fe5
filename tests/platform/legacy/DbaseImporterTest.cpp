#include "platform/legacy/DbaseImporter.h"
#include "platform/AdoType.h"
#include "platform/ScriptedDialogs.h"
#include "platform/legacy/DbfTextCodec.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/DbfFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <shapefil.h>

namespace {

using testdbf::Value;
const Value null = std::nullopt;

std::map<QString, QByteArray> digests(const QString& folder) {
    std::map<QString, QByteArray> out;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files)) {
        QFile file(f.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        out[f.fileName()] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    return out;
}

bool setModified(const QString& path, const QDateTime& when) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
}

TEST(DbfTextCodec, DecodesInTheCodePageTheFileDeclares) {
    struct Case {
        const char* declared;
        const char* bytes;
        const char* text; // UTF-8
        const char* encoding;
    } cases[] = {
        {"", "\x80\xe4\xdf", "€äß", "windows-1252"}, // none declared
        {"LDID/0", "\x80", "€", "windows-1252"},
        {"LDID/87", "M\xfcller", "Müller", "windows-1252"},
        {"LDID/3", "\x9c", "œ", "windows-1252"},
        {"LDID/2", "\x81\x94\xe1", "üöß", "IBM850"},
        {"LDID/1", "\x81", "ü", "IBM437"},
        {"LDID/200", "\xb9", "ą", "windows-1250"},
        {"LDID/201", "\xc0", "А", "windows-1251"},
        {"UTF-8",
         "Gr\xc3\xbc\xc3\x9f"
         "e",
         "Grüße", "UTF-8"},
        {"utf8\r\n", "\xc3\xbc", "ü", "UTF-8"},
        {"65001", "\xc3\xbc", "ü", "UTF-8"},
        {"1252", "\x80", "€", "windows-1252"},
        {"ANSI 1252", "\x80", "€", "windows-1252"},
        {"CP850", "\x81", "ü", "IBM850"},
        {"ISO-8859-1", "\xfc\x80", "ü\u0080", "ISO-8859-1"},
        {"88591", "\xfc", "ü", "ISO-8859-1"},
        {"8859-15", "\xa4", "€", "ISO-8859-15"},
    };
    for (const Case& c : cases) {
        DbfTextCodec codec(QString::fromLatin1(c.declared));
        EXPECT_EQ(codec.encoding(), QString::fromLatin1(c.encoding)) << c.declared;
        EXPECT_EQ(codec.decode(QByteArrayView(c.bytes)), QString::fromUtf8(c.text)) << c.declared;
        EXPECT_TRUE(codec.warning().isEmpty()) << c.declared;
    }
    for (const char* unknown : {"LDID/250", "LDID/x", "KLINGON-7"}) {
        DbfTextCodec codec(QString::fromLatin1(unknown));
        EXPECT_EQ(codec.encoding(), QStringLiteral("windows-1252")) << unknown;
        EXPECT_TRUE(codec.warning().contains(QString::fromLatin1(unknown).trimmed())) << unknown;
    }
    // A multibyte sequence cut at a field's end does not spill into the next field.
    DbfTextCodec utf8(QStringLiteral("UTF-8"));
    EXPECT_EQ(utf8.decode(QByteArrayView("ab\xc3")), QStringLiteral("ab\uFFFD"));
    EXPECT_EQ(utf8.decode(QByteArrayView("cd")), QStringLiteral("cd"));
}

class DbaseImport : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("survey"))); }

    QString copy() const { return dir.filePath(QStringLiteral("survey.dbase.sqlite")); }

    // A Windows-1252 file with every field type and the awkward values of real files.
    QString writeSamples() {
        return testdbf::write(
            folder, QStringLiteral("samples"), "LDID/87",
            {{"NAME", 'C', 20},
             {"DEPTH", 'N', 8, 2},
             {"HOLE", 'N', 6},
             {"COUNT", 'N', 12},
             {"HUGE", 'N', 18},
             {"RATIO", 'F', 10, 3},
             {"OK", 'L', 1},
             {"SAMPLED", 'D', 8},
             {"NOTES", 'M', 10}},
            {
                {"M\xfcller Stra\xdf"
                 "e",
                 "12.50", "7", "123456789012", "123456789012345678", "0.125", "T", "20210315", "1"},
                {"gone", "1", "1", "1", "1", "1", "T", "20200101", null}, // deleted
                {"  indented", null, "-3", null, "******", "abc", "?", "20211340", null},
                {null, "1e3", "0", "0", "0", "-0.5", "n", null, null},
                {"Zo\xeb", "-0.01", "999999", "-99999999999", "0", "2", "X", "20210229", null},
                {"\xc4rger", "0", "1", "1", "1", "1", "y", "00000000", null},
            },
            {1});
    }

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("survey"));
};

TEST_F(DbaseImport, CarriesEveryTableFileIntoAWorkingCopyBesideTheFolder) {
    ASSERT_FALSE(writeSamples().isEmpty());
    // A second table through shapelib's typed writers, in UTF-8 declared by a .cpg file, with
    // upper-case extensions that shapelib would not find by itself.
    {
        DBFHandle h = DBFCreateEx(QFile::encodeName(folder + "/assays.dbf").constData(), "UTF-8");
        ASSERT_NE(h, nullptr);
        DBFAddField(h, "ELEMENT", FTString, 12, 0);
        DBFAddField(h, "PPM", FTDouble, 12, 4);
        DBFAddField(h, "RUN", FTInteger, 4, 0);
        DBFAddField(h, "CHECKED", FTLogical, 1, 0);
        DBFWriteStringAttribute(h, 0, 0,
                                "Gr\xc3\xbc\xc3\x9f"
                                "e");
        DBFWriteDoubleAttribute(h, 0, 1, 12.3456);
        DBFWriteIntegerAttribute(h, 0, 2, 42);
        DBFWriteLogicalAttribute(h, 0, 3, 'F');
        DBFClose(h);
        ASSERT_TRUE(QFile::rename(folder + "/assays.dbf", folder + "/ASSAYS.DBF"));
        ASSERT_TRUE(QFile::rename(folder + "/assays.cpg", folder + "/ASSAYS.CPG"));
    }
    const auto before = digests(folder);

    const auto imported = DbaseImporter::ensureWorkingCopy(folder + QLatin1Char('/'));
    ASSERT_TRUE(imported.ok()) << imported.error.toStdString();
    EXPECT_EQ(imported.workingCopy, copy());
    EXPECT_FALSE(imported.reused);
    EXPECT_EQ(digests(folder), before); // the folder is only read

    const QStringList warnings = imported.warnings;
    const QStringList expected = {
        "File samples.dbf, field NOTES: memo texts are kept in a .dbt file, which is not read; "
        "the field was imported as Null",
        "File samples.dbf, field RATIO: 1 value(s) that are no valid numbers were imported as "
        "Null (the first in record 3: \"abc\")",
        "File samples.dbf, field OK: 1 value(s) that are no valid logical values were imported "
        "as Null (the first in record 5: \"X\")",
        "File samples.dbf, field SAMPLED: 2 value(s) that are no valid dates were imported as "
        "Null (the first in record 3: \"20211340\")"};
    EXPECT_EQ(warnings, expected) << warnings.join('\n').toStdString();

    const auto opened = SqliteConnection::open(copy(), SqliteConnection::Mode::ReadOnly);
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    Connection& db = *opened.connection;
    const auto tables = db.tables();
    ASSERT_TRUE(tables);
    ASSERT_EQ(tables->size(), 2u);
    EXPECT_EQ((*tables)[0].name, QStringLiteral("ASSAYS"));
    EXPECT_EQ((*tables)[1].name, QStringLiteral("samples"));

    const auto rows = db.query(QStringLiteral("SELECT * FROM [samples]"));
    ASSERT_TRUE(rows) << db.lastError().toStdString();
    EXPECT_EQ(rows->columnNames(), (QStringList{"NAME", "DEPTH", "HOLE", "COUNT", "HUGE", "RATIO",
                                                "OK", "SAMPLED", "NOTES"}));
    const CellValue n = CellValue::null();
    auto t = [](const char* s) { return CellValue::text(QString::fromUtf8(s)); };
    auto x = [](double v) { return CellValue::number(v); };
    auto b = [](bool v) { return CellValue::boolean(v); };
    auto d = [](int y, int m, int day) { return CellValue::date(QDate(y, m, day)); };
    const std::vector<std::vector<CellValue>> want = {
        {t("Müller Straße"), x(12.5), x(7), x(123456789012.0), x(123456789012345678.0), x(0.125),
         b(true), d(2021, 3, 15), n},
        {t("  indented"), n, x(-3), n, n, n, n, n, n},
        {n, x(1000), x(0), x(0), x(0), x(-0.5), b(false), n, n},
        {t("Zoë"), x(-0.01), x(999999), x(-99999999999.0), x(0), x(2), n, n, n},
        {t("Ärger"), x(0), x(1), x(1), x(1), x(1), b(true), n, n},
    };
    ASSERT_EQ(rows->rowCount(), int(want.size())); // the deleted record stays behind
    for (int r = 0; r < rows->rowCount(); ++r)
        for (int c = 0; c < rows->columnCount(); ++c)
            EXPECT_EQ(rows->at(r, c), want[size_t(r)][size_t(c)]) << r << "," << c;

    const auto assays = db.query(QStringLiteral("SELECT * FROM [ASSAYS]"));
    ASSERT_TRUE(assays);
    ASSERT_EQ(assays->rowCount(), 1);
    EXPECT_EQ(assays->at(0, 0), t("Grüße"));
    EXPECT_EQ(assays->at(0, 1), x(12.3456));
    EXPECT_EQ(assays->at(0, 2), x(42));
    EXPECT_EQ(assays->at(0, 3), b(false));

    // Types as the catalogue reads them: a wide whole number is no LONG.
    const auto cols = db.columns();
    ASSERT_TRUE(cols);
    std::map<QString, std::pair<int, int>> types;
    for (const auto& c : *cols)
        if (c.table == QLatin1String("samples"))
            types[c.name] = {c.typeCode, c.maxLength};
    EXPECT_EQ(types[QStringLiteral("NAME")], std::make_pair(int(AdoType::VarWChar), 20));
    EXPECT_EQ(types[QStringLiteral("DEPTH")].first, AdoType::Double);
    EXPECT_EQ(types[QStringLiteral("HOLE")].first, AdoType::Integer);
    EXPECT_EQ(types[QStringLiteral("COUNT")].first, AdoType::BigInt);
    EXPECT_EQ(types[QStringLiteral("HUGE")].first, AdoType::Double);
    EXPECT_EQ(types[QStringLiteral("RATIO")].first, AdoType::Double);
    EXPECT_EQ(types[QStringLiteral("OK")].first, AdoType::Boolean);
    EXPECT_EQ(types[QStringLiteral("SAMPLED")].first, AdoType::Date);
    EXPECT_EQ(types[QStringLiteral("NOTES")].first, AdoType::LongVarWChar);
}

TEST_F(DbaseImport, ReusesTheCopyUntilATableFileChangesComesOrGoes) {
    const QString samples = writeSamples();
    ASSERT_FALSE(samples.isEmpty());
    const auto first = DbaseImporter::ensureWorkingCopy(folder);
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_FALSE(first.reused);
    const auto second = DbaseImporter::ensureWorkingCopy(folder);
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second.reused);
    EXPECT_TRUE(second.warnings.isEmpty());
    EXPECT_EQ(second.workingCopy, first.workingCopy);

    // Other files in the folder (an index, a map file) leave the copy current.
    QFile other(folder + QStringLiteral("/samples.ake"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    EXPECT_TRUE(DbaseImporter::ensureWorkingCopy(folder).reused);

    // A stale copy is replaced only on Yes (the connection tests follow the other answers).
    ScriptedDialogs yes;
    for (int i = 0; i < 3; ++i)
        yes.queueAnswer(Answer::Yes);
    const StaleCopyQuestion ask(yes);
    ASSERT_TRUE(setModified(samples, QDateTime::currentDateTime().addSecs(60)));
    const auto touched = DbaseImporter::ensureWorkingCopy(folder, ask);
    ASSERT_TRUE(touched.ok());
    EXPECT_FALSE(touched.reused);
    EXPECT_FALSE(QFile::exists(touched.workingCopy + QStringLiteral(".part")));

    // A table file copied in with its old time kept, then taken away again.
    const QString extra =
        testdbf::write(folder, QStringLiteral("extra"), "LDID/87", {{"ID", 'N', 4}}, {{"5"}});
    ASSERT_FALSE(extra.isEmpty());
    ASSERT_TRUE(setModified(extra, QDateTime::currentDateTime().addDays(-30)));
    const auto added = DbaseImporter::ensureWorkingCopy(folder, ask);
    ASSERT_TRUE(added.ok());
    EXPECT_FALSE(added.reused);
    auto tableCount = [&] {
        auto opened = SqliteConnection::open(copy(), SqliteConnection::Mode::ReadOnly);
        const auto tables = opened.ok() ? opened.connection->tables() : std::nullopt;
        return tables ? tables->size() : size_t(0);
    };
    EXPECT_EQ(tableCount(), 2u);
    ASSERT_TRUE(QFile::remove(extra));
    const auto removed = DbaseImporter::ensureWorkingCopy(folder, ask);
    ASSERT_TRUE(removed.ok());
    EXPECT_FALSE(removed.reused);
    EXPECT_EQ(tableCount(), 1u);
}

TEST_F(DbaseImport, RefusesAFolderWithoutTableFiles) {
    QFile notes(folder + QStringLiteral("/notes.dbt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a table");
    notes.close();
    const QString missing = dir.filePath(QStringLiteral("none"));
    const std::pair<QString, QString> cases[] = {
        {folder,
         QStringLiteral("The folder ") + folder + QStringLiteral(" holds no dBase files (.dbf)")},
        {missing + QLatin1Char('/'),
         QStringLiteral("The folder ") + missing + QStringLiteral(" does not exist")},
        {QString(), QStringLiteral("The folder  does not exist")},
    };
    for (const auto& [path, error] : cases) {
        const auto r = DbaseImporter::ensureWorkingCopy(path);
        EXPECT_FALSE(r.ok()) << path.toStdString();
        EXPECT_EQ(r.error, error);
    }
    EXPECT_FALSE(QFile::exists(copy()));
}

TEST_F(DbaseImport, RefusesADamagedTableFileWithoutCrashingOrLeavingACopy) {
    ASSERT_FALSE(
        testdbf::write(folder, QStringLiteral("good"), "LDID/87", {{"ID", 'N', 4}}, {{"1"}, {"2"}})
            .isEmpty());
    const QString bad = writeSamples();
    ASSERT_FALSE(bad.isEmpty());
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    const int headerLength = uchar(good[8]) | uchar(good[9]) << 8;
    const int recordLength = uchar(good[10]) | uchar(good[11]) << 8;

    auto withNumber = [&](int at, int value, int size) {
        QByteArray b = good;
        for (int i = 0; i < size; ++i)
            b[at + i] = char((value >> (8 * i)) & 0xff);
        return b;
    };
    auto withShort = [&](int at, int value) { return withNumber(at, value, 2); };
    const QByteArray recordsMoved = "is damaged: its header says its records begin at byte";
    const std::pair<QByteArray, QByteArray> cases[] = {
        {good.left(headerLength + 2 * recordLength + 5), "is damaged: its header announces 6 "
                                                         "records, but it ends after 2"},
        {good.left(headerLength - 40), "is damaged"},
        {good.left(20), "is not a dBase file"},
        {QByteArray(), "is not a dBase file"},
        {QByteArray(8192, '\x01'), "is damaged"},
        {QByteArray(1, '\x04') + good.mid(1), "is a dBase 7 file"},
        {withShort(8, 0), "is not a dBase file"},            // header length
        {withShort(10, 0), "is not a dBase file"},           // record length
        {withShort(10, 12), "is not a readable dBase file"}, // fields wider than the record
        // A header length past where the records begin would read every record shifted.
        {withShort(8, headerLength + 1), recordsMoved},
        {withShort(8, headerLength + 7), recordsMoved},
        {withShort(8, headerLength + recordLength), recordsMoved},
        {withShort(8, headerLength - 32), "its header length of"},
        // A record count below the records in the file would leave rows out.
        {withNumber(4, 4, 4), "is damaged: its header announces 4 records, but it holds 6"},
        {good + QByteArray(recordLength, ' '), "its header announces 6 records, but it holds 7"},
    };
    for (const auto& [bytes, error] : cases) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const auto r = DbaseImporter::ensureWorkingCopy(folder);
        EXPECT_FALSE(r.ok()) << error.constData();
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(error))) << r.error.toStdString();
        EXPECT_FALSE(QFile::exists(copy())) << error.constData();
        EXPECT_FALSE(QFile::exists(copy() + QStringLiteral(".part"))) << error.constData();
    }
}

} // namespace
