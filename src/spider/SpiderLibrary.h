#pragma once
// The spider types and normalization samples kept in the system database (tables SpiderMain
// and SpiderNorm under their configured names). Reads and writes through a connection to the
// system database that the caller opened and keeps; every value goes in bound.
#include "db/SystemTables.h"
#include "platform/CellValue.h"
#include "spider/NormalizationSample.h"
#include "spider/SpiderType.h"

#include <optional>
#include <vector>

class Connection;

class SpiderLibrary {
public:
    static constexpr int maxPositions = 50;

    SpiderLibrary(Connection& system, const SystemTables& names = {});

    // In name order; nullopt when the table cannot be read (lastError() says why).
    std::optional<std::vector<SpiderType>> types();
    std::optional<SpiderType> type(const QString& name);
    // Every sample, by type and name; or those of one type.
    std::optional<std::vector<NormalizationSample>> samples();
    std::optional<std::vector<NormalizationSample>> samples(const QString& spiderType);

    // Stores a new row; false when it cannot be written (a name in use among them).
    bool addType(const SpiderType& type);
    bool addSample(const NormalizationSample& sample);
    // The type's row alone, or with its normalization samples.
    bool removeType(const QString& name, bool withSamples);
    bool removeSample(const QString& spiderType, const QString& sample);
    bool removeSamples(const QString& spiderType);

    QString lastError() const { return error_; }
    const SystemTables& names() const { return names_; }

private:
    bool run(const QString& sql, const std::vector<CellValue>& values);

    Connection& system_;
    SystemTables names_;
    QString error_;
};
