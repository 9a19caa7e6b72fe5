// Start-up reads every setting from two initialization files; this keeps it cheap even for
// large files that people grow over the years.
#include "app/CommandLine.h"
#include "app/Profile.h"
#include "app/SettingsReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

static void BM_ReadSettingsFromLargeFiles(benchmark::State& state) {
    QTemporaryDir dir;
    const QString mainIni = dir.filePath(QStringLiteral("ini/QuvData.ini"));
    QDir().mkpath(dir.filePath(QStringLiteral("ini")));
    QFile f(mainIni);
    f.open(QIODevice::WriteOnly);
    for (int s = 0; s < state.range(0); ++s) {
        f.write(QStringLiteral("[Section%1]\n").arg(s).toUtf8());
        for (int k = 0; k < 20; ++k)
            f.write(QStringLiteral("Key%1=value %1 of %2\n").arg(k).arg(s).toUtf8());
    }
    f.write("[General]\nZolPath=@\\zol\n[Users]\nUserPath1=!\\Users\nUserNamePosition=1\n");
    f.close();
    const Profile profile(dir.filePath(QStringLiteral("profile.ini")));
    for (auto _ : state) {
        AppSettings s;
        s.paths.appPath = dir.path();
        s.iniFile = mainIni;
        s.loginName = QStringLiteral("bench");
        SettingsReader(profile, [](const QString&) {}).read(s, true, true);
        benchmark::DoNotOptimize(s.systemDatabase);
    }
}
BENCHMARK(BM_ReadSettingsFromLargeFiles)->Arg(10)->Arg(500)->Unit(benchmark::kMillisecond);

static void BM_SplitCommandLine(benchmark::State& state) {
    const QString line = QStringLiteral("D/ /data/rocks.mdb,XY/1,2,3,4,/books/a.bok,").repeated(50);
    for (auto _ : state)
        benchmark::DoNotOptimize(CommandLine::SplitCommandLine(line));
}
BENCHMARK(BM_SplitCommandLine);
