#pragma once
// A linear ticker that writes only every n-th tick label ("Frequency for X-axis label").
#include <qcustomplot.h>

class EveryNthLabelTicker : public QCPAxisTicker {
public:
    explicit EveryNthLabelTicker(int frequency)
        : frequency_(frequency) {}

protected:
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale& locale,
                                       QChar formatChar, int precision) override;

private:
    int frequency_;
};
