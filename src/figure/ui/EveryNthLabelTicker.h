#pragma once
// A ticker that writes only every n-th tick label ("Frequency for X-axis label"), over any
// QCustomPlot ticker whose labels come from getTickLabel (numbers, dates).
#include <qcustomplot.h>

template <typename Ticker> class EveryNthLabelTicker : public Ticker {
public:
    explicit EveryNthLabelTicker(int frequency)
        : frequency_(frequency < 1 ? 1 : frequency) {}

protected:
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale& locale,
                                       QChar formatChar, int precision) override {
        QVector<QString> labels = Ticker::createLabelVector(ticks, locale, formatChar, precision);
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (i % frequency_ != 0) {
                labels[i].clear();
            }
        }
        return labels;
    }

private:
    int frequency_;
};
