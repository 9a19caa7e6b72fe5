// Any bytes as the program's settings files, through the code that interprets them; the first
// byte picks the file (seeds live in one folder each):
//   r  lastfiles.ini: both recent lists, then a file added to one of them
//   w  the per-user store: every window's place and size, saved and read again
//   p  the main and the user initialization file, read at start-up
// Nothing crashes; what is read can be written and read back; no folder is made outside the
// fuzzer's own.
#include "FuzzInput.h"
#include "app/RecentFiles.h"
#include "app/SettingsReader.h"
#include "app/WindowGeometry.h"
#include "platform/IniFile.h"

namespace {

void recentFiles(const fuzz::WorkFiles& files, const QByteArray& input) {
    const RecentFiles recent(files.write(QStringLiteral("lastfiles.ini"), input));
    for (const char* section : {"Session", "ClipData"}) {
        const QStringList before = recent.entries(QString::fromLatin1(section));
        fuzz::check(before.size() == RecentFiles::size, "a recent list of the wrong length");
    }
    const QString added = QStringLiteral("/data/added.sqlite");
    fuzz::check(recent.add(added, QStringLiteral("Session")), "a recent file cannot be added");
    const QStringList after = recent.entries(QStringLiteral("Session"));
    fuzz::check(after.value(0) == added && after.count(added) == 1,
                "an added recent file is not first, or is there twice");
}

bool operator==(const WindowRect& a, const WindowRect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

void windowGeometry(const fuzz::WorkFiles& files, const QByteArray& input) {
    const UserSettingsStore store(files.folder());
    files.write(QFileInfo(store.userProfileFile()).fileName(), input);
    const WindowGeometry geometry(store);
    for (const char* name : {"Grid", "Filter", "Diagram"}) {
        for (bool dialogSized : {false, true}) {
            const QString window = QString::fromLatin1(name);
            const WindowRect rect = geometry.load(window, dialogSized);
            geometry.save(window, rect, dialogSized);
            fuzz::check(geometry.load(window, dialogSized) == rect,
                        "a window's place changes when saved and read again");
        }
    }
    const WindowRect main = geometry.loadMain();
    geometry.saveMain(main);
    fuzz::check(geometry.loadMain() == main, "the main window's place changes when saved");
}

// The folders start-up makes come from these keys; they are pinned inside the sandbox.
QString mainIniText(const QByteArray& input) {
    IniFile ini = IniFile::parse(QString::fromUtf8(input));
    ini.setValue(QStringLiteral("General"), QStringLiteral("ZolPath"), QStringLiteral("@zol"));
    ini.setValue(QStringLiteral("Users"), QStringLiteral("UserPath1"), QStringLiteral("@users"));
    ini.setValue(QStringLiteral("Users"), QStringLiteral("UserPath2"), QString());
    ini.setValue(QStringLiteral("Users"), QStringLiteral("UserNamePosition"), QStringLiteral("1"));
    ini.setValue(QStringLiteral("Users"), QStringLiteral("UserIniFile"),
                 QStringLiteral("@user.ini"));
    ini.setValue(QStringLiteral("UserAlias"), QStringLiteral("fuzz"), QStringLiteral("fuzz"));
    return ini.text();
}

void startupSettings(const fuzz::WorkFiles& files, const QByteArray& input) {
    const QString app = files.path(QStringLiteral("app"));
    QDir().mkpath(app);
    files.write(QStringLiteral("app/QuvData.ini"), mainIniText(input).toUtf8());
    files.write(QStringLiteral("app/user.ini"), input);
    const Profile profile(files.write(QStringLiteral("profile.ini"), input),
                          [](const QString& name) { return name.left(8); });
    AppSettings settings;
    settings.paths.appPath = app;
    settings.iniFile = app + QStringLiteral("/QuvData.ini");
    settings.loginName = QStringLiteral("fuzz");
    SettingsReader(profile, [](const QString&) {}).read(settings, true, true);
    fuzz::check(settings.paths.userFolder.startsWith(app + QLatin1Char('/')),
                "the user folder left the sandbox");

    // Every value of the file as the program reads single values.
    const IniFile ini = IniFile::parse(QString::fromUtf8(input));
    for (const QString& section : ini.sections())
        for (const QString& key : ini.keys(section)) {
            (void)profile.readIni(settings.iniFile, section, key);
            (void)profile.readSetting(settings.userIniFile, settings.iniFile, section, key, {});
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const fuzz::Selected in = fuzz::select(data, size);
    using Reader = void (*)(const fuzz::WorkFiles&, const QByteArray&);
    const Reader readers[] = {recentFiles, windowGeometry, startupSettings};
    switch (in.parser) {
    case 'r':
        recentFiles(files, in.input);
        break;
    case 'w':
        windowGeometry(files, in.input);
        break;
    case 'p':
        startupSettings(files, in.input);
        break;
    default:
        readers[uchar(in.parser) % std::size(readers)](files, in.input);
    }
    return 0;
}
