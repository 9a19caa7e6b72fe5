#include "figure/LegendEntries.h"

LegendEntries::LegendEntries(const Figure& figure, int cap) {
    const auto offer = [&](bool isSeries, int index) {
        if (int(shown_.size()) < cap) {
            shown_.push_back({isSeries, index});
        } else {
            ++hidden_;
        }
    };
    for (size_t i = 0; i < figure.series.size(); ++i) {
        if (figure.series[i].showInLegend) {
            offer(true, int(i));
        }
    }
    for (size_t i = 0; i < figure.lines.size(); ++i) {
        if (figure.lines[i].showInLegend) {
            offer(false, int(i));
        }
    }
}

QString LegendEntries::moreText() const {
    if (hidden_ == 0) {
        return {};
    }
    return QStringLiteral("\u2026 %1 more").arg(hidden_);
}
