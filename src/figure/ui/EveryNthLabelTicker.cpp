#include "figure/ui/EveryNthLabelTicker.h"

QVector<QString> EveryNthLabelTicker::createLabelVector(const QVector<double>& ticks,
                                                        const QLocale& locale, QChar formatChar,
                                                        int precision) {
    QVector<QString> labels =
        QCPAxisTicker::createLabelVector(ticks, locale, formatChar, precision);
    for (qsizetype i = 0; i < labels.size(); ++i) {
        if (i % frequency_ != 0) {
            labels[i].clear();
        }
    }
    return labels;
}
