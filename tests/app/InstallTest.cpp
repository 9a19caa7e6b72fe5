// `cmake --install` into a fresh prefix that is then made read-only: the installed program runs
// the demo macro from there and writes only to its output folder and the user's data folder.
#include "support/TestPaths.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

// Every file and folder under root with its size and time of change.
std::map<QString, QString> snapshot(const QString& root) {
    std::map<QString, QString> out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        out[info.filePath()] = QString::number(info.size()) + QLatin1Char(' ') +
                               info.lastModified().toString(Qt::ISODateWithMs);
    }
    return out;
}

void setWritable(const QString& root, bool writable) {
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    QStringList paths{root};
    while (it.hasNext())
        paths << it.next();
    for (const QString& p : paths) {
        QFile::Permissions perms = QFile::permissions(p);
        const QFile::Permissions write =
            QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(p, writable ? perms | QFile::WriteOwner | QFile::WriteUser
                                          : perms & ~write);
    }
}

TEST(Install, TheInstalledProgramRunsTheDemoFromAReadOnlyFolder) {
    const QString build = testpaths::binaryDir();
    for (const char* needed : {"/quvdata", "/samples/QUVSample.sqlite", "/samples/QUVSample.ake"})
        if (!QFileInfo::exists(build + QLatin1String(needed)))
            GTEST_SKIP() << "build the program and the sample database first (missing " << needed
                         << ")";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString prefix = dir.filePath(QStringLiteral("prefix"));
    QProcess install;
    install.start(QStringLiteral("cmake"), {"--install", build, "--prefix", prefix});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    const QString program = prefix + QStringLiteral("/bin/quvdata");
    ASSERT_TRUE(QFileInfo(program).isExecutable());
    const QString home = QFileInfo(QFileInfo(program).canonicalFilePath()).absolutePath();
    for (const char* file : {"/ini/QuvData.ini", "/samples/QUVSample.sqlite",
                             "/samples/QUVSample.ake", "/samples/demo.amc", "/docs/user-guide.md"})
        EXPECT_TRUE(QFileInfo::exists(home + QLatin1String(file))) << file;
    EXPECT_TRUE(QFileInfo::exists(prefix + QStringLiteral("/share/applications/quvdata.desktop")));
    EXPECT_TRUE(QFileInfo::exists(
        prefix + QStringLiteral("/share/icons/hicolor/scalable/apps/quvdata.svg")));

    setWritable(prefix, false);
    const auto before = snapshot(prefix);
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(env);
    const QString out = dir.filePath(QStringLiteral("out"));
    run.start(program, {"--batch", home + QStringLiteral("/samples/demo.amc"), "--out", out});
    const bool finished = run.waitForFinished(180000);
    const auto after = snapshot(prefix);
    setWritable(prefix, true); // so that the temporary folder can go
    ASSERT_TRUE(finished);
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(out + QStringLiteral("/xy-by-rock.png")).isNull(), false);
    EXPECT_GT(QFileInfo(out + QStringLiteral("/trace-log-log.png")).size(), 1000);
    EXPECT_TRUE(after == before) << "the installed folder was written to";
    // Settings and recent files went to the user's data folder.
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("home/.local/share/QUVData/Users"))).isDir());
}

} // namespace
