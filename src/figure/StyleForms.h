#pragma once
// The symbol forms and line patterns the style editor and the style files name, in the order
// their lists show them: each form is a symbol shape with or without fill, each pattern a
// line dash. Anyone may call it.
#include "figure/SeriesStyle.h"

#include <QStringList>
#include <optional>

class StyleForms {
public:
    static const QStringList& formNames();
    static const QStringList& patternNames();

    // The form of a style (its position in formNames()); a shape and fill no form names read
    // as the nearest form of that shape.
    static int formOf(const SeriesStyle& style);
    // Gives the style the form at that position (shape and fill); false outside the list.
    static bool setForm(SeriesStyle& style, int form);
    static int patternOf(LineDash dash);
    static std::optional<LineDash> patternAt(int pattern);

    // By name, exactly as listed; nullopt for a name not listed.
    static std::optional<int> formNamed(const QString& name);
    static std::optional<LineDash> patternNamed(const QString& name);
};
