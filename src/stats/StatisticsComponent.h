#pragma once
// The statistics component every statistics window, the table grid and the diagram windows own:
// a table of text cells (rows = records, columns = fields, both 1-based), split into classes by
// one column, answering named statistics of one column over one class.
//
// Class 0 is all rows; Classify makes classes 1..ClassCount, one per distinct text of the
// column in the order of first appearance. Cells that do not read as numbers are left out of a
// column's statistics. A statistic that cannot be computed is NoValue (N is then 0).
//
// A big table is streamed in row by row (AppendRow) into numeric columns: such a column keeps a
// double per cell, not a text, until the first text arrives, when it turns into a text column.
// A number reads back as the shortest text that gives the same double, so both kinds answer
// alike.
#include "stats/BoxRule.h"
#include "stats/ColumnStatistics.h"
#include "stats/DistributionClass.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class DetectionLimitRule;

// What a distribution found: per class its count and, per row, the 0-based class it fell in
// (-1 outside every class). Cells that are not numbers fall outside.
struct DistributionCounts {
    std::vector<qsizetype> counts;
    qsizetype outside = 0;
    std::vector<int> classOfRow;
};

class StatisticsComponent {
public:
    // A finite sentinel, so callers can compare with ==.
    static constexpr double noValue = -1.0e300;

    // Empty cells; text columns, or numeric ones for streaming.
    void SetSize(int rows, int columns, bool numeric = false);
    // A new last row of empty cells; its 1-based number.
    int AppendRow();
    int RowCount() const { return rows_; }
    int ColumnCount() const { return int(names_.size()); }
    QString ColumnName(int column) const;
    void setColumnName(int column, const QString& name);
    QString CellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    void setCellNumber(int row, int column, double value);
    // The column's cells in the rows of the class (0 for all rows) as numbers, NaN where a
    // cell is not one; empty for a column or class that does not exist.
    std::vector<double> ColumnNumbers(int column, int classIndex) const;

    // Rewrites the column's below-detection-limit values by the rule; false for no such column.
    bool ApplyBDLC(int column, const DetectionLimitRule& rule);

    void Classify(int column);
    int ClassCount() const { return int(classNames_.size()); }
    // Classes are 1-based; "" outside 1..ClassCount.
    QString ClassName(int index) const;

    // False (and every statistic NoValue) for a column or class that does not exist.
    bool SelectColumn(int column, int classIndex);
    // Rows whose weight does not read as a positive number are left out.
    bool SelectWeightedColumn(int column, int weightColumn, int classIndex);

    // Names without regard to case: N, AVG, AVERAGE, MIN, MAX, SUM, STDEV, VAR, CV, SKEWNESS,
    // KURTOSIS, MEDIAN, PERC_p, NONOUTLIERMIN, NONOUTLIERMAX, N_OUTLIERLOW, N_OUTLIERHIGH,
    // N_EXTREMELOW, N_EXTREMEHIGH and the points OUTLIERLOW_k, OUTLIERHIGH_k, EXTREMELOW_k,
    // EXTREMEHIGH_k (k from 1).
    double Statistic(const QString& name) const;
    // The selected values' outliers and extremes, each list ascending: what EXTREMELOW_k and
    // the other point names give one at a time, for callers that take every point. nullptr
    // when no values are selected.
    const BoxPoints* SelectedBoxPoints() const;
    double NoValue() const { return noValue; }

    // How a distribution reads the cells ("Field is:"): as numbers within the class bounds, as
    // texts equal to a class's name, or each as it reads (a number by the bounds, any other
    // text by the name).
    enum class DistributionRead { Numbers, Texts, Any };
    // Counts the column's values into the classes; a value in two overlapping classes counts
    // in the first. nullopt for a column that does not exist or no classes.
    std::optional<DistributionCounts>
    Distribution(int column, const std::vector<DistributionClass>& classes,
                 DistributionRead read = DistributionRead::Numbers,
                 bool caseSensitive = false) const;

    void setUpperBoxPercentile(double p) {
        setBox([&](BoxRule& r) { r.upperPercentile = p; });
    }
    void setLowerBoxPercentile(double p) {
        setBox([&](BoxRule& r) { r.lowerPercentile = p; });
    }
    void setOutlierCoefficient(double c) {
        setBox([&](BoxRule& r) { r.outlierCoefficient = c; });
    }

private:
    // One field: its texts, or while numeric its numbers (NaN for an empty cell).
    struct Column {
        bool numeric = false;
        QStringList texts;
        std::vector<double> numbers;
    };
    static std::optional<double> numberAt(const Column& column, int row);
    static QString textAt(const Column& column, int row);
    static void makeText(Column& column);

    bool validColumn(int column) const { return column >= 1 && column <= ColumnCount(); }
    bool select(int column, int weightColumn, int classIndex);
    template <typename Change> void setBox(Change change) {
        change(box_);
        points_.reset();
    }
    const BoxPoints& points() const;

    int rows_ = 0;
    QStringList names_;
    std::vector<Column> columns_;
    QStringList classNames_;
    std::vector<std::vector<int>> classRows_; // 0-based rows of each class
    BoxRule box_;
    std::unique_ptr<ColumnStatistics> selected_;
    mutable std::unique_ptr<BoxPoints> points_;
};
