#pragma once
// Writes the bundled sample database: rock samples from survey projects in Finland with their
// major-oxide and trace-element analyses and drill-hole intervals, an imported outside table
// (the Meuse topsoil data) and a stored filter. The content depends only on the options, never
// on time or platform, so two runs give the same rows. The file is written beside the target
// under a temporary name and renamed into place, so a failed run never leaves a partial
// database behind. Called by the quv_samplegen tool, tests and benchmarks.
#include <QString>
#include <cstdint>

struct SampleGeneratorOptions {
    qint64 samples = 2000;
    QString meusePath;                 // empty: no Meuse table
    std::uint64_t seed = 0x5155564441; // fixed: the bundled database is always the same
};

struct SampleGeneratorResult {
    QString error; // empty on success
    qint64 samples = 0;
    qint64 drillSamples = 0;
    bool ok() const { return error.isEmpty(); }
};

class SampleGenerator {
public:
    static SampleGeneratorResult write(const QString& path, const SampleGeneratorOptions& options);
};
