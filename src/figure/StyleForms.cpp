#include "figure/StyleForms.h"

#include <array>
#include <utility>

namespace {

struct Form {
    SymbolShape shape;
    bool filled;
};

// In the order of formNames().
constexpr std::array<Form, 16> forms{{
    {SymbolShape::None, true},
    {SymbolShape::Circle, true},
    {SymbolShape::Square, true},
    {SymbolShape::Triangle, true},
    {SymbolShape::Diamond, true},
    {SymbolShape::Star, false},
    {SymbolShape::VerticalLine, false},
    {SymbolShape::HorizontalLine, false},
    {SymbolShape::Plus, false},
    {SymbolShape::Circle, false},
    {SymbolShape::Square, false},
    {SymbolShape::TriangleDown, true},
    {SymbolShape::Cross, false},
    {SymbolShape::Triangle, false},
    {SymbolShape::Diamond, false},
    {SymbolShape::TriangleDown, false},
}};

// In the order of patternNames().
constexpr std::array<LineDash, 7> patterns{LineDash::None,     LineDash::Solid,
                                           LineDash::LongDash, LineDash::Dotted,
                                           LineDash::Dashed,   LineDash::LongShortLongDash,
                                           LineDash::DashDot};

} // namespace

const QStringList& StyleForms::formNames() {
    static const QStringList names{
        "None",           "Dot",      "Box",           "Tri",
        "Diamond",        "Star",     "Vertical Line", "Horizontal Line",
        "Cross",          "Circle",   "Square",        "Inverted Tri",
        "Diagonal Cross", "Open Tri", "Open Diamond",  "Open Inverted Tri"};
    return names;
}

const QStringList& StyleForms::patternNames() {
    static const QStringList names{
        "None", "Solid", "Long Dash", "Dotted", "Short Dash", "Long-Short-Long Dash", "Dash Dot"};
    return names;
}

int StyleForms::formOf(const SeriesStyle& style) {
    int sameShape = -1;
    for (int i = 0; i < int(forms.size()); ++i) {
        if (forms[size_t(i)].shape != style.symbol)
            continue;
        if (forms[size_t(i)].filled == style.filled)
            return i;
        if (sameShape < 0)
            sameShape = i;
    }
    return sameShape < 0 ? 0 : sameShape;
}

bool StyleForms::setForm(SeriesStyle& style, int form) {
    if (form < 0 || form >= int(forms.size()))
        return false;
    style.symbol = forms[size_t(form)].shape;
    style.filled = forms[size_t(form)].filled;
    return true;
}

int StyleForms::patternOf(LineDash dash) {
    for (int i = 0; i < int(patterns.size()); ++i)
        if (patterns[size_t(i)] == dash)
            return i;
    return 1;
}

std::optional<LineDash> StyleForms::patternAt(int pattern) {
    if (pattern < 0 || pattern >= int(patterns.size()))
        return std::nullopt;
    return patterns[size_t(pattern)];
}

std::optional<int> StyleForms::formNamed(const QString& name) {
    const qsizetype i = formNames().indexOf(name);
    return i < 0 ? std::nullopt : std::optional<int>(int(i));
}

std::optional<LineDash> StyleForms::patternNamed(const QString& name) {
    return patternAt(int(patternNames().indexOf(name)));
}
