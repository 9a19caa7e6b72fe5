#pragma once
// The spider types and normalization samples a new system database starts with, read from the
// data files built into the program (spider/data/spider-types.tsv, spider-normalizations.tsv).
// A type's elements are stored as "*.symbol", matched to any database's fields by element; each
// sample is stored for every type it has at least one value of, "Empty" where it has none.
#include "spider/NormalizationSample.h"
#include "spider/SpiderType.h"

#include <vector>

class SpiderLibrary;

class SpiderSeed {
public:
    static std::vector<SpiderType> types();
    static std::vector<NormalizationSample> samples();
    // Writes both into the library; the error text, empty on success.
    static QString seed(SpiderLibrary& library);
};
