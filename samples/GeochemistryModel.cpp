#include "GeochemistryModel.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr int oxideCount = 11; // the major columns without LOI
constexpr int loiIndex = 11;
constexpr int feOIndex = 4;
constexpr int fe2O3Index = 3;
constexpr int p2O5Index = 10;
constexpr int nonReeTraceCount = 13;
constexpr int yIndex = 5; // Y in the trace columns: it follows the heavy rare earths

struct Range {
    double lo; // at the primitive end (fractionation 0)
    double hi; // at the evolved end (fractionation 1)
    double at(double t) const { return lo + (hi - lo) * t; }
    // Log-linear: trace element levels change by factors, not by amounts.
    double logAt(double t) const {
        return std::exp(std::log(lo) + (std::log(hi) - std::log(lo)) * t);
    }
};

struct RockClass {
    const char* name;
    double proportion;
    // SiO2 TiO2 Al2O3 Fe2O3 FeO MnO MgO CaO Na2O K2O P2O5 (anhydrous, before closure to 100).
    std::array<double, oxideCount> primitive;
    std::array<double, oxideCount> evolved;
    Range loi;
    // Ba Rb Sr Zr Nb (Y from Ho) Cr Ni Cu Zn Pb Th U, medians in ppm.
    std::array<Range, nonReeTraceCount> trace;
    Range laN;    // chondrite-normalised La
    Range laYbN;  // (La/Yb)N, the slope of the pattern
    Range euAnom; // Eu/Eu*
    double auMedianPpb;
};

constexpr Range none{1, 1};

// clang-format off
const std::array<RockClass, GeochemistryModel::rockCount> rocks{{
    {"Basalt", 0.30,
     {47.0, 0.90, 15.5, 2.5, 8.5, 0.17, 10.5, 12.0, 1.9, 0.20, 0.08},
     {52.0, 2.20, 14.0, 3.5, 9.5, 0.22, 5.0, 9.0, 3.0, 0.90, 0.35}, {0.5, 3.0},
     {{{40, 300}, {2, 25}, {120, 350}, {60, 200}, {2, 15}, none, {450, 60}, {200, 30},
       {100, 60}, {75, 120}, {1, 5}, {0.3, 2.5}, {0.1, 0.7}}},
     {12, 45}, {1.0, 4.0}, {1.0, 0.92}, 2.0},
    {"Andesite", 0.18,
     {55.0, 0.90, 17.5, 3.0, 5.0, 0.15, 4.8, 7.8, 3.3, 1.3, 0.22},
     {62.0, 0.70, 16.5, 2.5, 3.5, 0.12, 2.5, 5.5, 3.9, 2.0, 0.20}, {0.5, 2.5},
     {{{300, 600}, {25, 60}, {450, 350}, {110, 180}, {5, 9}, none, {60, 15}, {30, 8},
       {50, 25}, {85, 70}, {6, 12}, {2.5, 7}, {0.8, 2.0}}},
     {45, 90}, {4, 9}, {0.92, 0.82}, 1.2},
    {"Dacite", 0.10,
     {63.0, 0.65, 16.5, 2.0, 3.0, 0.10, 2.2, 5.0, 4.0, 2.0, 0.18},
     {69.0, 0.45, 15.0, 1.5, 2.0, 0.08, 1.0, 3.0, 4.1, 2.8, 0.12}, {0.4, 2.0},
     {{{500, 800}, {50, 90}, {400, 250}, {150, 220}, {7, 10}, none, {25, 8}, {12, 4},
       {25, 10}, {65, 50}, {10, 18}, {6, 11}, {1.8, 3.5}}},
     {65, 130}, {6, 13}, {0.85, 0.70}, 1.0},
    {"Rhyolite", 0.10,
     {70.0, 0.35, 14.5, 1.2, 1.5, 0.06, 0.7, 1.8, 3.8, 3.8, 0.08},
     {77.0, 0.10, 12.0, 0.6, 0.6, 0.03, 0.1, 0.6, 3.4, 4.8, 0.02}, {0.3, 1.5},
     {{{700, 300}, {100, 220}, {150, 30}, {200, 150}, {10, 18}, none, {8, 3}, {5, 2},
       {10, 4}, {50, 35}, {16, 28}, {12, 25}, {3, 7}}},
     {90, 220}, {6, 4}, {0.55, 0.15}, 0.8},
    {"Granite", 0.15,
     {68.0, 0.50, 15.0, 1.2, 2.2, 0.07, 1.1, 2.3, 3.6, 3.8, 0.15},
     {76.0, 0.10, 12.5, 0.5, 0.8, 0.03, 0.2, 0.7, 3.3, 4.9, 0.03}, {0.2, 1.0},
     {{{900, 250}, {120, 300}, {300, 40}, {220, 120}, {10, 25}, none, {12, 3}, {7, 2},
       {10, 4}, {55, 35}, {20, 35}, {15, 40}, {3, 10}}},
     {100, 260}, {20, 8}, {0.70, 0.30}, 0.7},
    {"Gabbro", 0.10,
     {46.0, 0.40, 17.0, 1.5, 7.0, 0.15, 11.0, 13.5, 1.6, 0.15, 0.03},
     {51.0, 1.50, 15.5, 2.5, 8.5, 0.18, 6.5, 10.5, 2.6, 0.55, 0.18}, {0.3, 2.0},
     {{{30, 180}, {1, 12}, {180, 350}, {20, 100}, {1, 6}, none, {600, 120}, {220, 60},
       {80, 120}, {55, 90}, {1, 4}, {0.1, 1.2}, {0.04, 0.4}}},
     {5, 22}, {1.5, 3.0}, {1.4, 1.05}, 1.5},
    {"Komatiite", 0.07,
     {44.0, 0.25, 5.5, 3.0, 8.0, 0.18, 32.0, 5.0, 0.2, 0.03, 0.02},
     {47.5, 0.45, 8.5, 3.0, 8.5, 0.19, 20.0, 8.5, 0.6, 0.08, 0.04}, {3.0, 8.0},
     {{{5, 25}, {0.5, 3}, {8, 40}, {12, 30}, {0.3, 1.0}, none, {3000, 1800}, {1800, 700},
       {40, 80}, {60, 85}, {0.5, 1.5}, {0.03, 0.15}, {0.01, 0.05}}},
     {2.5, 6}, {0.6, 1.1}, {1.0, 1.0}, 3.0},
}};

// CI chondrite (ppm) and atomic numbers of La Ce Pr Nd Sm Eu Gd Tb Dy Ho Er Tm Yb Lu.
constexpr std::array<double, GeochemistryModel::reeCount> chondriteRee{
    0.237, 0.612, 0.095, 0.467, 0.153, 0.058, 0.2055, 0.0374, 0.254, 0.0566, 0.1655, 0.0255,
    0.170, 0.0254};
constexpr std::array<int, GeochemistryModel::reeCount> reeZ{57, 58, 59, 60, 62, 63, 64,
                                                            65, 66, 67, 68, 69, 70, 71};
// clang-format on
constexpr int euIndex = 5;
constexpr int hoIndex = 9;

// Some elements vary far more than others between samples of one rock (sulphides carry Cu, Pb).
double traceSigma(int index) {
    switch (index) {
    case 8:  // Cu
    case 10: // Pb
        return 0.45;
    case 6: // Cr
    case 7: // Ni
        return 0.3;
    default:
        return 0.2;
    }
}

} // namespace

QString GeochemistryModel::rockName(int rock) {
    return QString::fromLatin1(rocks.at(rock).name);
}

double GeochemistryModel::rockProportion(int rock) {
    return rocks.at(rock).proportion;
}

const QStringList& GeochemistryModel::majorColumns() {
    static const QStringList names{"SiO2", "TiO2", "Al2O3", "Fe2O3", "FeO",  "MnO",
                                   "MgO",  "CaO",  "Na2O",  "K2O",   "P2O5", "LOI"};
    return names;
}

const QStringList& GeochemistryModel::traceColumns() {
    static const QStringList names{"Ba", "Rb", "Sr", "Zr", "Nb", "Y",  "Cr", "Ni", "Cu",
                                   "Zn", "Pb", "Th", "U",  "La", "Ce", "Pr", "Nd", "Sm",
                                   "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu"};
    return names;
}

double GeochemistryModel::chondrite(int ree) {
    return chondriteRee.at(ree);
}

double GeochemistryModel::roundSignificant(double value, int digits) {
    if (value == 0 || !std::isfinite(value))
        return value;
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return roundDecimals(value, digits - 1 - magnitude);
}

double GeochemistryModel::roundDecimals(double value, int decimals) {
    // Dividing by an exact power of ten (rather than multiplying by its inexact inverse) gives
    // the double nearest to the decimal value, so 0.0312 is stored as 0.0312.
    if (decimals >= 0) {
        const double scale = std::pow(10.0, decimals);
        return std::round(value * scale) / scale;
    }
    const double scale = std::pow(10.0, -decimals);
    return std::round(value / scale) * scale;
}

SampleAnalysis GeochemistryModel::analyse(int rock, SamplePrng& prng) {
    const RockClass& rc = rocks.at(rock);
    SampleAnalysis a;
    const double t = prng.uniform(); // position between the primitive and the evolved end

    // Majors: end-member mix with relative scatter, closed so that the analytical total
    // (oxides + LOI) lands where real analyses do, between 98.4 and 100.8.
    std::array<double, oxideCount> ox{};
    double anhydrous = 0;
    for (int i = 0; i < oxideCount; ++i) {
        const double mean = rc.primitive[i] + (rc.evolved[i] - rc.primitive[i]) * t;
        const double relSd = i == 0 ? 0.015 : 0.05;
        ox[i] = std::max(0.01, mean * (1.0 + relSd * prng.normal()));
        anhydrous += ox[i];
    }
    const double loi = rc.loi.at(prng.uniform());
    const double total = prng.uniform(98.4, 100.8);
    const double scale = (total - loi) / anhydrous;
    for (int i = 0; i < oxideCount; ++i)
        a.major[i] = roundDecimals(std::max(0.01, ox[i] * scale), 2);
    a.major[loiIndex] = roundDecimals(loi, 2);

    // Not every laboratory titrates FeO: then all iron is reported as Fe2O3.
    if (prng.chance(0.04)) {
        a.major[fe2O3Index] = roundDecimals(*a.major[fe2O3Index] + *a.major[feOIndex] * 1.1113, 2);
        a.major[feOIndex].reset();
    }
    if (prng.chance(0.02))
        a.major[loiIndex].reset();
    if (prng.chance(0.01))
        a.major[p2O5Index].reset();
    for (int i = 0; i < SampleAnalysis::majorCount; ++i)
        if (prng.chance(0.002))
            a.major[i].reset();

    // Trace elements: log-normal around a median that follows fractionation.
    for (int i = 0; i < nonReeTraceCount; ++i) {
        if (i == yIndex)
            continue;
        a.trace[i] = roundSignificant(prng.logNormal(rc.trace[i].logAt(t), traceSigma(i)), 3);
    }

    // Rare earths: a straight line in log(normalised) against atomic number from La to Yb,
    // with the Eu anomaly on top; Y follows Ho with the chondritic Y/Ho ratio.
    const double laN = prng.logNormal(rc.laN.logAt(t), 0.15);
    const double slope = std::log(prng.logNormal(rc.laYbN.logAt(t), 0.1));
    const double euAnom = prng.logNormal(rc.euAnom.at(t), 0.04);
    double ho = 0;
    for (int k = 0; k < reeCount; ++k) {
        double normalised = std::exp(std::log(laN) - slope * (reeZ[k] - 57) / 13.0);
        if (k == euIndex)
            normalised *= euAnom;
        const double ppm = chondriteRee[k] * normalised * std::exp(0.04 * prng.normal());
        a.trace[firstRee + k] = roundSignificant(ppm, 3);
        if (k == hoIndex)
            ho = ppm;
    }
    a.trace[yIndex] = roundSignificant(ho * 27.7 * std::exp(0.05 * prng.normal()), 3);

    // Some samples went to a package without rare earths; single values are missing too.
    if (prng.chance(0.05))
        for (int k = 0; k < reeCount; ++k)
            a.trace[firstRee + k].reset();
    for (int i = 0; i < SampleAnalysis::traceCount; ++i)
        if (prng.chance(0.008))
            a.trace[i].reset();

    // Gold in ppb as the laboratory reports it, below detection written as "<" + limit.
    if (!prng.chance(0.04)) {
        const double limit = prng.chance(0.1) ? 1.0 : 0.5;
        const double au = prng.logNormal(rc.auMedianPpb, 1.3);
        if (au < limit)
            a.auPpb =
                QStringLiteral("<") + QString::number(limit, 'f', QLocale::FloatingPointShortest);
        else
            a.auPpb = QString::number(roundSignificant(au, 2), 'f', QLocale::FloatingPointShortest);
    }
    return a;
}
