#include "platform/IniFile.h"
#include "platform/FilePaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}
} // namespace

TEST(IniFile, ReadsWithProfileSemantics) {
    const IniFile ini =
        IniFile::parse(QStringLiteral("; comment=not a key\r\n"
                                      "[General]\r\n"
                                      "  ZolPath = /data/zol  \r\n"
                                      "zolpath=second wins never\r\n"
                                      "Quoted=\"  spaced  \"\r\n"
                                      "Single='x'\r\n"
                                      "Unbalanced=\"x\r\n"
                                      "junk line without equals\r\n"
                                      "=no key\r\n"
                                      "Empty=\r\n"
                                      "[ general ]\r\n"
                                      "Other=in a second section of the same name\r\n"
                                      "[Ääkköset]\r\n"
                                      "Sää=pouta\r\n"));
    struct Case {
        const char* section;
        const char* key;
        std::optional<QString> expected;
    } cases[] = {
        {"GENERAL", "zolpath", QStringLiteral("/data/zol")},
        {"General", "Quoted", QStringLiteral("  spaced  ")},
        {"General", "Single", QStringLiteral("x")},
        {"General", "Unbalanced", QStringLiteral("\"x")},
        {"General", "Empty", QString()},
        {"General", "; comment", std::nullopt},
        {"General", "Other", std::nullopt}, // first matching section wins
        {"Missing", "ZolPath", std::nullopt},
        {"ääkköset", "SÄÄ", QStringLiteral("pouta")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.value(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), c.expected)
            << c.section << "/" << c.key;
}

TEST(IniFile, CutsValuesAt1023Characters) {
    const QString longValue(3000, u'v');
    const IniFile ini = IniFile::parse(QStringLiteral("[S]\nK=") + longValue + u'\n');
    EXPECT_EQ(ini.value(QStringLiteral("S"), QStringLiteral("K"))->size(), 1023);
}

TEST(IniFile, WritingKeepsTheRestOfTheFile) {
    IniFile ini = IniFile::parse(QStringLiteral("; keep me\n[A]\nx=1\n\n; about B\n[B]\ny=2\n"));
    ini.setValue(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("10"));
    ini.setValue(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3"));
    ini.setValue(QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("line\nbreak"));
    EXPECT_EQ(ini.text(), QStringLiteral("; keep me\n[A]\nx=10\nz=3\n\n; about B\n[B]\ny=2\n"
                                         "[C]\nw=line break\n"));
    EXPECT_EQ(ini.keys(QStringLiteral("a")), (QStringList{"x", "z"}));
}

TEST(IniFile, MissingOrUnreadableFilesReadAsEmpty) {
    QTemporaryDir dir;
    EXPECT_TRUE(IniFile::load(dir.filePath(QStringLiteral("none.ini"))).sections().isEmpty());
    EXPECT_TRUE(IniFile::load(dir.path()).sections().isEmpty()); // a folder
    EXPECT_TRUE(IniFile::load(QString()).sections().isEmpty());
    const QString binary = writeFile(dir, QStringLiteral("bin.ini"), QByteArray("\0\xff[\n=\n", 6));
    EXPECT_FALSE(IniFile::load(binary).value(QStringLiteral("x"), QStringLiteral("y")));
}

TEST(IniFile, SavesAtomicallyAndAcceptsBackslashes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/settings.ini"));
    IniFile ini;
    ini.setValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    ASSERT_TRUE(ini.save(QString(path).replace(u'/', u'\\')));
    EXPECT_EQ(IniFile::load(path).value(QStringLiteral("s"), QStringLiteral("k")),
              QStringLiteral("v"));
    // No temporary file is left beside the result.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files),
              QStringList{QStringLiteral("settings.ini")});

    // A save that cannot be done says why.
    QString error;
    EXPECT_FALSE(ini.save(path + QStringLiteral("/inside-a-file.ini"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(FilePaths, ReplaceExtensionOfTheLastComponentOnly) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"/d/rocks.mdb", "/d/rocks.ake"},         {"/d/rocks.sqlite", "/d/rocks.ake"},
        {"C:\\db\\rocks.MDB", "C:/db/rocks.ake"}, {"/d.v2/rocks", "/d.v2/rocks.ake"},
        {"/d/.hidden", "/d/.hidden.ake"},         {"rocks.tar.db3", "rocks.tar.ake"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilePaths::replaceExtension(QString::fromUtf8(c.in), QStringLiteral(".ake")),
                  QString::fromUtf8(c.out));
}

TEST(FilePaths, EnsureFolderCreatesOnlyWhenAsked) {
    QTemporaryDir dir;
    const QString deep = dir.path() + QStringLiteral("\\a\\b/c");
    EXPECT_FALSE(FilePaths::ensureFolder(deep, false));
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("a"))).exists());
    EXPECT_TRUE(FilePaths::ensureFolder(deep, true));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("a/b/c"))).exists());
    EXPECT_TRUE(FilePaths::ensureFolder(deep, false));
    // A file in the way is not a folder.
    QFile f(dir.filePath(QStringLiteral("file")));
    f.open(QIODevice::WriteOnly);
    f.close();
    EXPECT_FALSE(FilePaths::ensureFolder(dir.filePath(QStringLiteral("file/x")), true));
}
