#include "app/Profile.h"
#include "app/RecentFiles.h"
#include "app/SettingsReader.h"
#include "app/WindowGeometry.h"
#include "platform/IniFile.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace {

void writeIni(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::map<QString, QString> env{{QStringLiteral("PROJ"), QStringLiteral("/proj")}};
    QString profileFile = dir.filePath(QStringLiteral("config/QUV Data.ini"));
    Profile profile{profileFile, [this](const QString& n) {
                        auto it = env.find(n);
                        return it == env.end() ? QString() : it->second;
                    }};
    QStringList statusTexts;

    QString app() const { return dir.filePath(QStringLiteral("app")); }
    QString mainIni() const { return app() + QStringLiteral("/ini/QuvData.ini"); }

    AppSettings read(const QString& mainText, const QString& login = QStringLiteral("anna"),
                     bool readStart = true) {
        writeIni(mainIni(), mainText);
        AppSettings s;
        s.paths.appPath = app();
        s.iniFile = mainIni();
        s.loginName = login;
        SettingsReader reader(profile, [this](const QString& t) { statusTexts << t; });
        reader.read(s, true, readStart);
        return s;
    }
};

TEST_F(SettingsTest, ReadIniExpandsEnvironmentExceptInSelectTexts) {
    writeIni(mainIni(), QStringLiteral("[Q]\n"
                                       "Sel=SELECT * FROM [T] WHERE [T].[A] LIKE '%PROJ%'\n"
                                       "Path=%PROJ%\\data\\%UNSET%x\n"
                                       "Odd=100% sure\n"
                                       "Lower=select %PROJ%\n"));
    struct Case {
        const char* key;
        const char* expected;
    } cases[] = {
        {"Sel", "SELECT * FROM [T] WHERE [T].[A] LIKE '%PROJ%'"},
        {"Path", "/proj\\data\\x"},
        {"Odd", "100% sure"},
        {"Lower", "select /proj"},
        {"Missing", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(profile.readIni(mainIni(), QStringLiteral("q"), QString::fromUtf8(c.key)),
                  QString::fromUtf8(c.expected))
            << c.key;
}

TEST_F(SettingsTest, WinIniReadsTheUserProfile) {
    writeIni(profileFile, QStringLiteral("[MS User Info]\nDefName=Default Person\n"));
    EXPECT_EQ(profile.readIni(QStringLiteral("win.INI"), QStringLiteral("MS User Info"),
                              QStringLiteral("DefName")),
              QStringLiteral("Default Person"));
    const AppSettings s = read(QString(), QString());
    EXPECT_EQ(s.userName, QStringLiteral("Default Person"));
    QFile::remove(profileFile);
    EXPECT_EQ(read(QString(), QString()).userName, QStringLiteral("ZolUser"));
}

TEST_F(SettingsTest, UserFolderRules) {
    struct Case {
        const char* users;    // the [Users] section
        const char* expected; // relative to ZolPath ("!")
    } cases[] = {
        {"UserPath1=!\\Users\nUserNamePosition=1", "/Users/anna"},
        {"UserPath1=!/Users/\nUserNamePosition=1", "/Users/anna"},
        {"UserPath1=!\\Users\nUserPath2=Data\nUserNamePosition=2", "/Users/Dataanna"},
        // The name goes straight between the parts: configurations put the separators in.
        {"UserPath1=!\\Users\\\nUserPath2=\\Data\nUserNamePosition=1", "/Users/anna/Data"},
        {"UserPath1=!\\Users\nUserPath2=\\Data\nUserNamePosition=1", "/Usersanna/Data"},
        {"UserPath1=!\\Users\nUserNamePosition=x", "/Users"},
        {"UserPath1=!\\Users\nUserNamePosition=0", "/Users"},
        {"UserNamePosition=1", "/anna"}, // UserPath1 defaults to ZolPath
    };
    for (const Case& c : cases) {
        const AppSettings s = read(QStringLiteral("[General]\nZolPath=@\\zol\n[Users]\n") +
                                   QString::fromUtf8(c.users));
        EXPECT_EQ(s.paths.zolPath, app() + QStringLiteral("/zol"));
        EXPECT_EQ(s.paths.userFolder, s.paths.zolPath + QString::fromUtf8(c.expected)) << c.users;
    }
}

TEST_F(SettingsTest, CreatesTheUserFoldersAndReportsProgress) {
    const AppSettings s = read(QStringLiteral("[Users]\nUserPath1=!\\Users\nUserNamePosition=1\n"));
    EXPECT_EQ(s.paths.zolPath, app() + QStringLiteral("/QUVData"));
    for (const char* sub : {"", "/ini", "/Books", "/Styles", "/Data"})
        EXPECT_TRUE(QDir(s.paths.userFolder + QLatin1String(sub)).exists()) << sub;
    EXPECT_EQ(statusTexts, (QStringList{"Checking folders...", "Reading initials (2)..."}));
}

TEST_F(SettingsTest, PathPrefixes) {
    AppPaths p{QStringLiteral("/opt/quv"), QStringLiteral("/srv/zol"), QStringLiteral("/home/a")};
    struct Case {
        const char* value;
        const char* def;
        const char* expected;
    } cases[] = {
        {"@data", "", "/opt/quv/data"}, {"@\\data", "", "/opt/quv/data"},
        {"+\\ini", "", "/home/a/ini"},  {"!", "", "/srv/zol/"},
        {"/abs/x", "d", "/abs/x"},      {"C:\\x\\y", "", "C:/x/y"},
        {"", "/fallback", "/fallback"}, {"#odd", "", "#odd"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(p.resolve(QString::fromUtf8(c.value), QString::fromUtf8(c.def)),
                  QString::fromUtf8(c.expected))
            << c.value;
}

TEST_F(SettingsTest, KeyTableDefaults) {
    const AppSettings s = read(QString());
    const QString zol = app() + QStringLiteral("/QUVData");
    EXPECT_EQ(s.systemDatabase, zol + QStringLiteral("/System/QUVData.sqlite"));
    EXPECT_EQ(s.helpPath, zol + QStringLiteral("/Help"));
    EXPECT_EQ(s.defPath, zol + QStringLiteral("/ini"));
    EXPECT_EQ(s.pictureBookPath, zol + QStringLiteral("/Books"));
    EXPECT_EQ(s.userPictureBookPath, s.paths.userFolder + QStringLiteral("/Books"));
    EXPECT_EQ(s.quvGeo, app() + QStringLiteral("/Geo/System/QUVGeo.mdb"));
    EXPECT_EQ(s.systemTables.spiderNorm, QStringLiteral("SpiderNorm"));
    EXPECT_EQ(s.systemTables.polygon, QStringLiteral("Polygon"));
    EXPECT_EQ(s.detectionLimit.bldString, QStringLiteral("<"));
    EXPECT_FLOAT_EQ(s.detectionLimit.bdlMultiplier, 0.5f);
    EXPECT_FLOAT_EQ(s.detectionLimit.dlValue, 0.1f);
    EXPECT_EQ(s.detectionLimit.inDataOption, 1);
    EXPECT_EQ(s.detectionLimit.inProcessOption, 2);
    EXPECT_EQ(s.linkType, 0);
    EXPECT_EQ(s.saveGraphs, 0);
    EXPECT_FALSE(s.groupResults.isForced);
    EXPECT_EQ(s.ownerLine, QStringLiteral("Owner:; Run by:anna"));
}

TEST_F(SettingsTest, UserFileOverridesMainFileExceptForThePolygonTable) {
    const QString userIni = dir.filePath(QStringLiteral("user.ini"));
    writeIni(userIni, QStringLiteral("[General]\nSystemDatabase=+\\my.sqlite\n"
                                     "[SystemTables]\nPolygon=MyPolygon\nPoints=MyPoints\n"
                                     "[UserResults]\nCalcIsForced=True\nGroupIsForced=true\n"
                                     "[QUV Data]\nSaveGraphs=2\n[DDE-Link]\nLinkType=x3\n"
                                     "[DetectionLimit]\nBDLMultiplier=abc\n"));
    const AppSettings s =
        read(QStringLiteral("[General]\nSystemDatabase=!\\shared.sqlite\nOwner=Lab\n"
                            "StartSessionDatabase=@\\s.sqlite\n"
                            "[Users]\nUserIniFile=") +
             userIni + QStringLiteral("\n[SystemTables]\nPolygon=SharedPolygon\n"));
    EXPECT_EQ(s.userIniFile, userIni);
    EXPECT_EQ(s.systemDatabase, s.paths.userFolder + QStringLiteral("/my.sqlite"));
    EXPECT_EQ(s.systemTables.polygon, QStringLiteral("SharedPolygon"));
    EXPECT_EQ(s.systemTables.points, QStringLiteral("MyPoints"));
    EXPECT_TRUE(s.calcResults.isForced);
    EXPECT_FALSE(s.groupResults.isForced); // exactly "True"
    EXPECT_EQ(s.saveGraphs, 2);
    EXPECT_EQ(s.linkType, 0);
    EXPECT_FLOAT_EQ(s.detectionLimit.bdlMultiplier, 0.5f);
    EXPECT_EQ(s.ownerLine, QStringLiteral("Owner:Lab; Run by:anna"));
    EXPECT_EQ(s.startSessionDatabase, app() + QStringLiteral("/s.sqlite"));
    EXPECT_TRUE(read(QStringLiteral("[General]\nStartSessionDatabase=x.sqlite\n"),
                     QStringLiteral("anna"), false)
                    .startSessionDatabase.isEmpty());
}

TEST_F(SettingsTest, AliasReplacesTheUserName) {
    EXPECT_EQ(read(QStringLiteral("[UserAlias]\nanna=Anna K\n")).userName,
              QStringLiteral("Anna K"));
    EXPECT_EQ(read(QStringLiteral("[UserAlias]\nanna=\n")).userName, QStringLiteral("anna"));
}

TEST(RecentFiles, MostRecentFirstWithoutDuplicates) {
    QTemporaryDir dir;
    const RecentFiles recent(dir.filePath(QStringLiteral("ini/lastfiles.ini")));
    for (const char* p : {"/c.db", "/b.db", "/a.db"})
        ASSERT_TRUE(recent.add(QString::fromUtf8(p), QStringLiteral("Session")));
    QStringList list = recent.entries(QStringLiteral("Session"));
    EXPECT_EQ(list.mid(0, 4), (QStringList{"/a.db", "/b.db", "/c.db", ""}));

    // The third entry moves to the front; the length stays.
    recent.add(QStringLiteral("/c.db"), QStringLiteral("Session"));
    list = recent.entries(QStringLiteral("Session"));
    EXPECT_EQ(list.mid(0, 4), (QStringList{"/c.db", "/a.db", "/b.db", ""}));
    EXPECT_EQ(list.size(), RecentFiles::size);
    // Comparison is exact: another spelling is another entry.
    recent.add(QStringLiteral("/C.db"), QStringLiteral("Session"));
    EXPECT_EQ(recent.entries(QStringLiteral("Session")).mid(0, 2), (QStringList{"/C.db", "/c.db"}));
    // Other sections are untouched.
    EXPECT_EQ(recent.entries(QStringLiteral("ClipData")).join(QString()), QString());
}

TEST(RecentFiles, AFullListDropsTheOldest) {
    QTemporaryDir dir;
    const RecentFiles recent(dir.filePath(QStringLiteral("lastfiles.ini")));
    for (int i = 1; i <= 22; ++i)
        recent.add(QStringLiteral("/f%1").arg(i), QStringLiteral("ClipData"));
    const QStringList list = recent.entries(QStringLiteral("ClipData"));
    EXPECT_EQ(list.front(), QStringLiteral("/f22"));
    EXPECT_EQ(list.back(), QStringLiteral("/f3"));
}

TEST(WindowGeometry, RoundTripsInTwipsAndDialogsKeepOnlyPosition) {
    QTemporaryDir dir;
    const UserSettingsStore store(dir.path());
    const WindowGeometry geometry(store);
    EXPECT_FALSE(geometry.load(QStringLiteral("XY")).left);

    geometry.save(QStringLiteral("XY"), {10, 20, 640, 480});
    geometry.save(QStringLiteral("BWDialog"), {5, 6, 300, 200}, true);
    geometry.saveMain({1, 2, 3, 4});
    EXPECT_EQ(store.value(QStringLiteral("QUV Data"), QStringLiteral("WindowAppearence"),
                          QStringLiteral("XYWidth")),
              QStringLiteral("9600"));
    const WindowRect xy = geometry.load(QStringLiteral("XY"));
    EXPECT_EQ(xy.left, 10);
    EXPECT_EQ(xy.height, 480);
    const WindowRect dialog = geometry.load(QStringLiteral("BWDialog"), true);
    EXPECT_EQ(dialog.top, 6);
    EXPECT_FALSE(dialog.width);
    EXPECT_FALSE(store
                     .value(QStringLiteral("QUV Data"), QStringLiteral("WindowAppearence"),
                            QStringLiteral("BWDialogWidth"))
                     .size());
    EXPECT_EQ(geometry.loadMain().width, 3);
}

TEST(WindowGeometry, APlaceNoScreenHasReadsAsMissing) {
    QTemporaryDir dir;
    const UserSettingsStore store(dir.path());
    const WindowGeometry geometry(store);
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"15000000", 1000000}, {"-22.4", -1},      {"7", 0},       {"15000016", {}},
        {"-15000016", {}},     {"1e300", {}},      {"-1e300", {}}, {"inf", {}},
        {"nan", {}},           {"32212254720", {}} /* 2^31 pixels */};
    for (const auto& [twips, pixels] : cases) {
        store.setValue(QStringLiteral("QUV Data"), QStringLiteral("WindowAppearence"),
                       QStringLiteral("XYLeft"), QString::fromLatin1(twips));
        const WindowRect rect = geometry.load(QStringLiteral("XY"));
        EXPECT_EQ(rect.left, pixels) << twips;
        geometry.save(QStringLiteral("XY"), rect); // must not overflow writing it back
        EXPECT_EQ(geometry.load(QStringLiteral("XY")).left, pixels) << twips;
    }
}

TEST(Profile, SeesAFileChangedOnDisk) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    const Profile profile(dir.filePath(QStringLiteral("p.ini")));
    writeIni(path, QStringLiteral("[S]\nK=one\n"));
    EXPECT_EQ(profile.readIni(path, QStringLiteral("S"), QStringLiteral("K")),
              QStringLiteral("one"));
    writeIni(path, QStringLiteral("[S]\nK=second\n"));
    EXPECT_EQ(profile.readIni(path, QStringLiteral("S"), QStringLiteral("K")),
              QStringLiteral("second"));
    ASSERT_TRUE(
        profile.writeIni(path, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("3rd")));
    EXPECT_EQ(profile.readIni(path, QStringLiteral("S"), QStringLiteral("K")),
              QStringLiteral("3rd"));
}

} // namespace

namespace {

// The shipped file keeps the data root and the user folders in the user's data folder, never
// beside the program: with XDG_DATA_HOME, or ~/.local/share without it.
TEST(ShippedSettings, DataAndUserFoldersLieInTheUsersDataFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const auto restore = [&] {
        qputenv("HOME", oldHome);
        if (oldData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", oldData);
    };
    QFile shipped(testpaths::repoFile(QStringLiteral("samples/QuvData.ini")));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QString app = dir.filePath(QStringLiteral("program"));
    writeIni(app + QStringLiteral("/ini/QuvData.ini"), QString::fromUtf8(shipped.readAll()));
    const QString home = dir.filePath(QStringLiteral("home"));
    for (const QString& data : {QString(), dir.filePath(QStringLiteral("xdg"))}) {
        qputenv("HOME", home.toLocal8Bit());
        if (data.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        const QString root =
            (data.isEmpty() ? home + QStringLiteral("/.local/share") : data) + "/QUVData";
        const Profile profile(dir.filePath(QStringLiteral("profile.ini")));
        AppSettings s;
        s.paths.appPath = app;
        s.iniFile = app + QStringLiteral("/ini/QuvData.ini");
        s.loginName = QStringLiteral("anna");
        SettingsReader(profile, [](const QString&) {}).read(s, true, true);
        EXPECT_EQ(s.paths.zolPath, root);
        EXPECT_EQ(s.paths.userFolder, root + QStringLiteral("/Users/anna"));
        EXPECT_TRUE(s.recentFilesFile().startsWith(root)) << s.recentFilesFile().toStdString();
        EXPECT_TRUE(QFileInfo(root + QStringLiteral("/Users/anna/ini")).isDir());
        EXPECT_FALSE(QFileInfo(app + QStringLiteral("/QUVData")).exists());
    }
    restore();
}

} // namespace
