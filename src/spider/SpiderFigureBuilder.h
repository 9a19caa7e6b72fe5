#pragma once
// Turns fetched spider values into a figure: X = element position 1..n with the element names
// as category labels, Y = value, divided by the normalization sample's value at that position
// when one is given (a position whose normalization value is "Empty" or 0 has no normalized
// value). A missing value breaks the sample's line unless "Connect over missing values" is on;
// positions named bridged (Pm in REE order) never break it. With "Pack" the positions with no
// field in the database are left off the X axis. Unclassified, each sample is a series named
// by its key; classified, each class is one series whose samples follow each other with a gap
// between them, so that thousands of samples stay a handful of curves.
#include "figure/Classification.h"
#include "figure/Figure.h"
#include "spider/NormalizationSample.h"
#include "spider/SpiderRows.h"

#include <optional>

class SpiderFigureBuilder {
public:
    // A class series with more points is drawn as lines without symbols.
    static constexpr qsizetype symbolLimit = 20000;
    struct Position {
        QString label;
        bool inDatabase = true; // a field was found for it
        bool bridged = false;   // a missing value never breaks the line here
    };
    struct Options {
        bool pack = false;
        bool connectOverMissing = false;
        // Scan: only this row (0-based) is drawn; -1 draws every row.
        qsizetype onlyRow = -1;
    };

    // classes: nullopt draws one series per sample.
    static Figure build(const SpiderRows& rows, const std::vector<Position>& positions,
                        const std::optional<NormalizationSample>& normalization,
                        const std::optional<Classification>& classes, const Options& options);
    // The normalized value of a row at a position; NaN when there is none.
    static double normalized(const SpiderRows& rows, qsizetype row, qsizetype position,
                             const std::optional<NormalizationSample>& normalization);
};
