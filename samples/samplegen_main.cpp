// quv_samplegen: writes the sample database that ./quv opens, or a large one for benchmarks.
//   quv_samplegen --out FILE [--samples N] [--meuse meuse.csv] [--seed N]
#include "SampleGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quv_samplegen"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a generated geochemical sample database (SQLite)."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The database to write."),
                                 QStringLiteral("file"));
    const QCommandLineOption samples(QStringLiteral("samples"),
                                     QStringLiteral("Number of rock samples (default 2000)."),
                                     QStringLiteral("n"), QStringLiteral("2000"));
    const QCommandLineOption meuse(QStringLiteral("meuse"),
                                   QStringLiteral("The Meuse CSV file to import as table Meuse."),
                                   QStringLiteral("csv"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the random stream (default fixed)."),
                                  QStringLiteral("n"));
    parser.addOptions({out, samples, meuse, seed});
    parser.process(app);

    auto fail = [](const QString& text) {
        std::fprintf(stderr, "quv_samplegen: %s\n", qPrintable(text));
        return 1;
    };
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument ") + parser.positionalArguments().first());
    if (!parser.isSet(out))
        return fail(QStringLiteral("--out is required"));

    SampleGeneratorOptions options;
    bool ok = false;
    options.samples = parser.value(samples).toLongLong(&ok);
    if (!ok || options.samples < 1)
        return fail(QStringLiteral("--samples needs a positive whole number"));
    options.meusePath = parser.value(meuse);
    if (parser.isSet(seed)) {
        options.seed = parser.value(seed).toULongLong(&ok);
        if (!ok)
            return fail(QStringLiteral("--seed needs a whole number"));
    }

    const SampleGeneratorResult result = SampleGenerator::write(parser.value(out), options);
    if (!result.ok())
        return fail(result.error);
    std::printf("wrote %lld samples (%lld from drill core) to %s\n",
                static_cast<long long>(result.samples), static_cast<long long>(result.drillSamples),
                qPrintable(parser.value(out)));
    return 0;
}
