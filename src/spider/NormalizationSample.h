#pragma once
// One normalization sample of a spider type: its name and one value per element position of
// the type, in ppm; "Empty" where it has none. Plain value type.
#include <QString>
#include <QStringList>
#include <cmath>
#include <optional>

struct NormalizationSample {
    static QString emptyValue() { return QStringLiteral("Empty"); }

    QString spiderType;
    QString name;
    QStringList values;

    // The value at a 0-based position; nullopt for "Empty", a blank, a text that is no number
    // and 0 (dividing by it would give no finite value).
    std::optional<double> valueAt(qsizetype position) const {
        if (position < 0 || position >= values.size())
            return std::nullopt;
        bool ok = false;
        const double v = values[position].trimmed().toDouble(&ok);
        if (!ok || v == 0.0 || !std::isfinite(v))
            return std::nullopt;
        return v;
    }
};
