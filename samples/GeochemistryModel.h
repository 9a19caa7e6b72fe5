#pragma once
// The chemistry of the generated rock samples: for each rock class a range from its primitive to
// its evolved composition (major oxides, trace elements, a chondrite-normalised rare-earth
// pattern), so that the data show the trends a geochemist expects (SiO2 against MgO, Eu anomalies
// in felsic rocks, flat REE in komatiites). Used by SampleGenerator and by its tests.
#include "SamplePrng.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// One analysed sample; a missing value (not determined) is std::nullopt and becomes Null.
struct SampleAnalysis {
    static constexpr int majorCount = 12;
    static constexpr int traceCount = 27;
    std::array<std::optional<double>, majorCount> major; // wt%, in majorColumns() order
    std::array<std::optional<double>, traceCount> trace; // ppm, in traceColumns() order
    std::optional<QString> auPpb; // text: a value or below detection such as "<0.5"
};

class GeochemistryModel {
public:
    static constexpr int rockCount = 7;
    static constexpr int reeCount = 14;
    // Index of the first rare-earth element in traceColumns().
    static constexpr int firstRee = 13;

    static QString rockName(int rock);
    // Share of each rock class among the samples; the shares add up to 1.
    static double rockProportion(int rock);
    static const QStringList& majorColumns();
    static const QStringList& traceColumns();
    // CI chondrite, ppm, in the order of the rare-earth columns.
    static double chondrite(int ree);

    // Draws one analysis of the given rock class.
    static SampleAnalysis analyse(int rock, SamplePrng& prng);

    // Rounds to the given number of significant digits, as a laboratory reports.
    static double roundSignificant(double value, int digits);
    static double roundDecimals(double value, int decimals);
};
