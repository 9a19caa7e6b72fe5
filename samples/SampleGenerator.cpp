#include "SampleGenerator.h"

#include "CsvTable.h"
#include "GeochemistryModel.h"
#include "SamplePrng.h"
#include "SqliteFile.h"
#include "Tm35FinProjection.h"

#include "db/MapFile.h"
#include "db/SchemaMapper.h"
#include "platform/HeadlessStatus.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace {

// SQLite and Qt run glibc's AVX-512 string routines, which may leave the upper vector registers
// dirty; the SSE code of the chemistry model then pays a transition penalty on every
// instruction (measured: the model ran nine times slower). One vzeroupper per sample avoids it.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void zeroUpperAvx() {
    _mm256_zeroupper();
}
void clearUpperVectorState() {
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        zeroUpperAvx();
}
#else
void clearUpperVectorState() {}
#endif

constexpr int projectCount = 6;

struct Project {
    const char* name;
    const char* holePrefix;
    double lat;
    double lon;
    double spreadKm;
    int firstYear;
    int lastYear;
};

// clang-format off
const std::array<Project, projectCount> projects{{
    {"Kittilä Greenstone", "KIT", 67.70, 25.00, 18, 1986, 2019},
    {"Kuhmo Belt",         "KUH", 64.10, 29.50, 22, 1992, 2021},
    {"Pirkanmaa Arc",      "PIR", 61.45, 23.70, 25, 1985, 2016},
    {"Outokumpu",          "OKU", 62.72, 29.02, 12, 1988, 2023},
    {"Wiborg Rapakivi",    "WIB", 60.60, 27.60, 20, 1995, 2022},
    {"Central Granitoids", "CFG", 62.60, 25.70, 30, 2001, 2023},
}};

// Where each rock class is found: weights over the projects above, rows in rock-class order.
const std::array<std::array<double, projectCount>, GeochemistryModel::rockCount> projectWeights{{
    {0.30, 0.25, 0.20, 0.25, 0.00, 0.00}, // Basalt
    {0.00, 0.20, 0.80, 0.00, 0.00, 0.00}, // Andesite
    {0.00, 0.20, 0.50, 0.00, 0.00, 0.30}, // Dacite
    {0.00, 0.00, 0.50, 0.00, 0.50, 0.00}, // Rhyolite
    {0.00, 0.00, 0.00, 0.00, 0.50, 0.50}, // Granite
    {0.30, 0.00, 0.00, 0.40, 0.30, 0.00}, // Gabbro
    {0.60, 0.40, 0.00, 0.00, 0.00, 0.00}, // Komatiite
}};

const std::array<std::array<const char*, 3>, GeochemistryModel::rockCount> lithologies{{
    {"Basalt", "Pillowed basalt", "Amygdaloidal basalt"},
    {"Andesite", "Andesitic tuff", "Porphyritic andesite"},
    {"Dacite", "Dacitic tuff", "Quartz-feldspar porphyry"},
    {"Rhyolite", "Rhyolitic tuff", "Flow-banded rhyolite"},
    {"Granite", "Rapakivi granite", "Pegmatitic granite"},
    {"Gabbro", "Leucogabbro", "Gabbro-norite"},
    {"Komatiite", "Spinifex komatiite", "Serpentinised komatiite"},
}};
// clang-format on

struct Site {
    double lat = 0;
    double lon = 0;
    double x = 0;
    double y = 0;
};

Site drawSite(const Project& p, SamplePrng& prng) {
    constexpr double kmPerDegLat = 111.2;
    Site s;
    s.lat = GeochemistryModel::roundDecimals(p.lat + prng.normal(0, p.spreadKm) / kmPerDegLat, 6);
    const double kmPerDegLon = 111.32 * std::cos(s.lat * 3.14159265358979 / 180.0);
    s.lon = GeochemistryModel::roundDecimals(p.lon + prng.normal(0, p.spreadKm) / kmPerDegLon, 6);
    const auto [x, y] = Tm35FinProjection::forward(s.lat, s.lon);
    s.x = GeochemistryModel::roundDecimals(x, 1);
    s.y = GeochemistryModel::roundDecimals(y, 1);
    return s;
}

QString drawDate(const Project& p, SamplePrng& prng) {
    const QDate first(p.firstYear, 1, 1);
    const qint64 days = first.daysTo(QDate(p.lastYear, 12, 31)) + 1;
    return first.addDays(static_cast<qint64>(prng.below(days))).toString(Qt::ISODate);
}

// Exactly the configured share of each class (largest remainders), in random order.
std::vector<std::uint8_t> drawRocks(qint64 n, SamplePrng& prng) {
    std::array<qint64, GeochemistryModel::rockCount> counts{};
    std::array<double, GeochemistryModel::rockCount> remainders{};
    qint64 assigned = 0;
    for (int r = 0; r < GeochemistryModel::rockCount; ++r) {
        const double exact = GeochemistryModel::rockProportion(r) * static_cast<double>(n);
        counts[r] = static_cast<qint64>(std::floor(exact));
        remainders[r] = exact - static_cast<double>(counts[r]);
        assigned += counts[r];
    }
    while (assigned < n) {
        int best = 0;
        for (int r = 1; r < GeochemistryModel::rockCount; ++r)
            if (remainders[r] > remainders[best])
                best = r;
        ++counts[best];
        remainders[best] = -1;
        ++assigned;
    }
    std::vector<std::uint8_t> rocks;
    rocks.reserve(static_cast<std::size_t>(n));
    for (int r = 0; r < GeochemistryModel::rockCount; ++r)
        rocks.insert(rocks.end(), static_cast<std::size_t>(counts[r]),
                     static_cast<std::uint8_t>(r));
    for (std::size_t i = rocks.size(); i > 1; --i)
        std::swap(rocks[i - 1], rocks[prng.below(i)]);
    return rocks;
}

QString columnList(const QStringList& names, const QString& type) {
    QString sql;
    for (const QString& name : names)
        sql += QStringLiteral(", ") + SqliteFile::quoteName(name) + QLatin1Char(' ') + type;
    return sql;
}

QString placeholders(qsizetype n) {
    QString s = QStringLiteral("?");
    for (qsizetype i = 1; i < n; ++i)
        s += QStringLiteral(", ?");
    return s;
}

bool createSampleTables(SqliteFile& db) {
    const QString key = QStringLiteral(
        "\"SampleNo\" TEXT NOT NULL PRIMARY KEY REFERENCES \"Samples\" (\"SampleNo\")");
    return db.exec(QStringLiteral(
               "CREATE TABLE \"Samples\" (\"SampleNo\" TEXT NOT NULL PRIMARY KEY, \"Rock\" TEXT, "
               "\"Project\" TEXT, \"Date\" TEXT, \"X\" REAL, \"Y\" REAL, \"Lat\" REAL, "
               "\"Long\" REAL, \"Depth\" REAL)")) &&
           db.exec(QStringLiteral("CREATE TABLE \"Major\" (") + key +
                   columnList(GeochemistryModel::majorColumns(), QStringLiteral("REAL")) +
                   QStringLiteral(")")) &&
           db.exec(QStringLiteral("CREATE TABLE \"Trace\" (") + key +
                   columnList(GeochemistryModel::traceColumns(), QStringLiteral("REAL")) +
                   QStringLiteral(", \"Au_ppb\" TEXT)")) &&
           db.exec(QStringLiteral(
               "CREATE TABLE \"Drillhole\" (\"HoleID\" TEXT NOT NULL, \"SampleNo\" TEXT NOT NULL "
               "UNIQUE REFERENCES \"Samples\" (\"SampleNo\"), \"FromDepth\" REAL, "
               "\"ToDepth\" REAL, \"Lithology\" TEXT)"));
}

// The stored filters, written the way the program itself writes them.
bool createFilters(SqliteFile& db) {
    return db.exec(QStringLiteral("CREATE VIEW [f_Basalts] AS SELECT [Samples].[SampleNo] FROM "
                                  "[Samples] WHERE [Samples].[Rock]='Basalt'")) &&
           db.exec(QStringLiteral("CREATE VIEW [f_Komatiites] AS SELECT [Samples].[SampleNo] FROM "
                                  "[Samples] WHERE [Samples].[Rock]='Komatiite'"));
}

struct DrillState {
    qint64 remaining = 0; // samples still to take from the current hole
    QString holeId;
    int project = 0;
    Site collar;
    QString date;
    double depth = 0;
};

// Fills Samples, Major, Trace and Drillhole; returns an error text or an empty one.
QString writeSamples(SqliteFile& db, const SampleGeneratorOptions& options,
                     SampleGeneratorResult& result) {
    SqliteFile::Statement insSample, insMajor, insTrace, insDrill;
    const auto& majors = GeochemistryModel::majorColumns();
    const auto& traces = GeochemistryModel::traceColumns();
    if (!db.prepare(QStringLiteral("INSERT INTO \"Samples\" VALUES (") + placeholders(9) + ")",
                    insSample) ||
        !db.prepare(QStringLiteral("INSERT INTO \"Major\" VALUES (") +
                        placeholders(majors.size() + 1) + ")",
                    insMajor) ||
        !db.prepare(QStringLiteral("INSERT INTO \"Trace\" VALUES (") +
                        placeholders(traces.size() + 2) + ")",
                    insTrace) ||
        !db.prepare(QStringLiteral("INSERT INTO \"Drillhole\" VALUES (") + placeholders(5) + ")",
                    insDrill))
        return db.lastError();

    SamplePrng prng(options.seed);
    std::vector<std::uint8_t> rocks = drawRocks(options.samples, prng);
    std::array<int, projectCount> holesPerProject{};
    DrillState hole;

    for (qint64 i = 0; i < options.samples; ++i) {
        const QString sampleNo = QString::asprintf("QS-%06lld", static_cast<long long>(i + 1));
        if (hole.remaining == 0 && prng.chance(0.02)) {
            hole.project = static_cast<int>(prng.pick(projectWeights[rocks[i]]));
            const Project& p = projects[hole.project];
            hole.remaining = std::min<qint64>(prng.between(5, 30), options.samples - i);
            // Core passes through units, not through a new rock every metre: group the hole's
            // samples by rock, in the order the rocks first appear (the shares stay exact).
            const auto block = rocks.begin() + i;
            std::array<int, GeochemistryModel::rockCount> rank{};
            int nextRank = 1;
            for (auto it = block; it != block + hole.remaining; ++it)
                if (rank[*it] == 0)
                    rank[*it] = nextRank++;
            std::stable_sort(block, block + hole.remaining,
                             [&](std::uint8_t a, std::uint8_t b) { return rank[a] < rank[b]; });
            hole.holeId =
                QString::asprintf("%s-%03d", p.holePrefix, ++holesPerProject[hole.project]);
            hole.collar = drawSite(p, prng);
            hole.date = drawDate(p, prng);
            hole.depth = prng.uniform(2.0, 15.0); // overburden above the first sampled core
        }

        const int rock = rocks[static_cast<std::size_t>(i)];
        Site site;
        QString project;
        QString date;
        double depth = 0;
        if (hole.remaining > 0) {
            --hole.remaining;
            site = hole.collar;
            project = QString::fromUtf8(projects[hole.project].name);
            date = hole.date;
            if (prng.chance(0.25))
                hole.depth += prng.uniform(0.5, 8.0); // unsampled core
            const double from = GeochemistryModel::roundDecimals(hole.depth, 2);
            const double length =
                prng.chance(0.6) ? (prng.chance(0.5) ? 1.0 : 2.0) : prng.uniform(0.3, 3.0);
            const double to = GeochemistryModel::roundDecimals(from + length, 2);
            hole.depth = to;
            depth = GeochemistryModel::roundDecimals((from + to) / 2.0, 2);
            insDrill.bindText(1, hole.holeId);
            insDrill.bindText(2, sampleNo);
            insDrill.bindDouble(3, from);
            insDrill.bindDouble(4, to);
            insDrill.bindText(5, QString::fromUtf8(lithologies[rock][prng.below(3)]));
            if (!insDrill.run())
                return db.lastError();
            ++result.drillSamples;
        } else {
            const int pi = static_cast<int>(prng.pick(projectWeights[rock]));
            site = drawSite(projects[pi], prng);
            project = QString::fromUtf8(projects[pi].name);
            date = drawDate(projects[pi], prng);
        }

        insSample.bindText(1, sampleNo);
        insSample.bindText(2, GeochemistryModel::rockName(rock));
        insSample.bindText(3, project);
        insSample.bindText(4, date);
        insSample.bindDouble(5, site.x);
        insSample.bindDouble(6, site.y);
        insSample.bindDouble(7, site.lat);
        insSample.bindDouble(8, site.lon);
        insSample.bindDouble(9, depth);
        if (!insSample.run())
            return db.lastError();

        clearUpperVectorState();
        const SampleAnalysis a = GeochemistryModel::analyse(rock, prng);
        insMajor.bindText(1, sampleNo);
        for (int k = 0; k < SampleAnalysis::majorCount; ++k)
            insMajor.bindOptional(k + 2, a.major[k]);
        if (!insMajor.run())
            return db.lastError();

        // A few samples still wait for their trace analyses: they have no Trace row at all.
        if (prng.chance(0.02))
            continue;
        insTrace.bindText(1, sampleNo);
        for (int k = 0; k < SampleAnalysis::traceCount; ++k)
            insTrace.bindOptional(k + 2, a.trace[k]);
        insTrace.bindOptional(SampleAnalysis::traceCount + 2, a.auPpb);
        if (!insTrace.run())
            return db.lastError();
    }
    result.samples = options.samples;
    return db.exec(
               QStringLiteral("CREATE INDEX \"Drillhole_HoleID\" ON \"Drillhole\" (\"HoleID\")"))
               ? QString()
               : db.lastError();
}

// The outside table keeps its own columns; MeuseNo ("M-001" ...) is added as a text key so that
// the table has a key field like every other table of the database.
QString writeMeuse(SqliteFile& db, const CsvTable& csv) {
    const QString keyName = QStringLiteral("MeuseNo");
    if (csv.header().contains(keyName, Qt::CaseInsensitive))
        return QStringLiteral("the Meuse table already has a column %1").arg(keyName);
    QString ddl = QStringLiteral("CREATE TABLE \"Meuse\" (\"MeuseNo\" TEXT NOT NULL PRIMARY KEY");
    for (int c = 0; c < csv.header().size(); ++c) {
        const char* type = "TEXT";
        if (csv.columnType(c) == CsvTable::ColumnType::Integer)
            type = "INTEGER";
        else if (csv.columnType(c) == CsvTable::ColumnType::Real)
            type = "REAL";
        ddl += QStringLiteral(", ") + SqliteFile::quoteName(csv.header()[c]) + QLatin1Char(' ') +
               QLatin1String(type);
    }
    SqliteFile::Statement ins;
    if (!db.exec(ddl + QStringLiteral(")")) ||
        !db.prepare(QStringLiteral("INSERT INTO \"Meuse\" VALUES (") +
                        placeholders(csv.header().size() + 1) + ")",
                    ins))
        return db.lastError();
    for (int r = 0; r < csv.rowCount(); ++r) {
        ins.bindText(1, QString::asprintf("M-%03d", r + 1));
        for (int c = 0; c < csv.header().size(); ++c) {
            const CsvTable::Cell& cell = csv.cell(r, c);
            if (CsvTable::isMissing(cell))
                ins.bindNull(c + 2);
            else if (csv.columnType(c) == CsvTable::ColumnType::Integer)
                ins.bindInt(c + 2, cell.text.toLongLong());
            else if (csv.columnType(c) == CsvTable::ColumnType::Real)
                ins.bindDouble(c + 2, cell.text.toDouble());
            else
                ins.bindText(c + 2, cell.text);
        }
        if (!ins.run())
            return db.lastError();
    }
    return {};
}

// The map file beside the database, with its links: the first open of the shipped sample reads
// it and can join its tables at once.
QString writeMap(const QString& database) {
    OpenedConnection opened = SqliteConnection::open(database);
    if (!opened.ok())
        return QStringLiteral("Cannot open %1 to map it: %2").arg(database, opened.error);
    HeadlessStatus status;
    SchemaCatalogue catalogue;
    const QString mapPath = MapFile::pathFor(database, false, QString());
    QFile::remove(mapPath);
    SchemaMapper(*opened.connection, status)
        .MapDatabase(catalogue, database, mapPath, {true, false, true});
    if (!QFile::exists(mapPath) || catalogue.links.lastRow() == 0)
        return QStringLiteral("Cannot write the map file ") + mapPath;
    return {};
}

} // namespace

SampleGeneratorResult SampleGenerator::write(const QString& path,
                                             const SampleGeneratorOptions& options) {
    SampleGeneratorResult result;
    auto failed = [&](const QString& error) {
        result.error = error;
        result.samples = result.drillSamples = 0;
        return result;
    };
    if (path.trimmed().isEmpty())
        return failed(QStringLiteral("No output file given"));
    if (options.samples < 1)
        return failed(QStringLiteral("The number of samples must be at least 1"));

    // Read the outside table before anything is written, so that a bad path costs nothing.
    std::optional<CsvTable> meuse;
    if (!options.meusePath.isEmpty()) {
        QString error;
        meuse = CsvTable::read(QDir::fromNativeSeparators(options.meusePath), &error);
        if (!meuse)
            return failed(QStringLiteral("Cannot read the Meuse table: ") + error);
    }

    const QString target = QDir::fromNativeSeparators(path);
    const QFileInfo info(target);
    if (!QDir().mkpath(info.absolutePath()))
        return failed(QStringLiteral("Cannot create the folder ") + info.absolutePath());
    if (info.isDir())
        return failed(target + QStringLiteral(" is a folder"));
    const QString temp = target + QStringLiteral(".part");
    QFile::remove(temp);

    QString error;
    {
        SqliteFile db;
        if (!db.open(temp)) {
            error = db.lastError();
        } else if (!db.exec(QStringLiteral("PRAGMA journal_mode=OFF")) ||
                   !db.exec(QStringLiteral("PRAGMA synchronous=OFF")) ||
                   !db.exec(QStringLiteral("PRAGMA cache_size=-65536")) ||
                   !db.exec(QStringLiteral("BEGIN")) || !createSampleTables(db)) {
            error = db.lastError();
        } else {
            error = writeSamples(db, options, result);
            if (error.isEmpty() && meuse)
                error = writeMeuse(db, *meuse);
            if (error.isEmpty() && (!createFilters(db) || !db.exec(QStringLiteral("COMMIT"))))
                error = db.lastError();
        }
    }
    if (!error.isEmpty()) {
        QFile::remove(temp);
        return failed(QStringLiteral("Cannot write %1: %2").arg(target, error));
    }
    // rename() replaces an existing database in one step; QFile::rename would refuse.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) !=
        0) {
        QFile::remove(temp);
        return failed(QStringLiteral("Cannot move the new database to ") + target);
    }
    if (const QString mapError = writeMap(target); !mapError.isEmpty())
        return failed(mapError);
    return result;
}
