#pragma once
// What the legend lists: the names of the series (and overlay lines) that show in the legend,
// in order, at most `cap` of them; the rest are summed up in one last line "… n more", so that
// thousands of classes neither hang the chart nor bury the plot.
#include "figure/Figure.h"

#include <QString>
#include <vector>

class LegendEntries {
public:
    static constexpr int defaultCap = 100;

    struct Entry {
        bool isSeries = true; // else an overlay line
        int index = 0;        // into Figure::series or Figure::lines
    };

    explicit LegendEntries(const Figure& figure, int cap = defaultCap);

    const std::vector<Entry>& shown() const { return shown_; }
    qsizetype hiddenCount() const { return hidden_; }
    // "… 4900 more"; empty when nothing is hidden.
    QString moreText() const;

private:
    std::vector<Entry> shown_;
    qsizetype hidden_ = 0;
};
