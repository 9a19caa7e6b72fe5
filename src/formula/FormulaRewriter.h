#pragma once
// Replaces whole name tokens of a formula and copies everything else as it stands, so that a
// variable "e" becomes a cell while EXP, 1e5 and "e" inside a quoted text stay untouched.
#include <QString>
#include <functional>
#include <optional>

class FormulaRewriter {
public:
    // replacement: the new text of a name token, or nullopt to keep it.
    using Replacement = std::function<std::optional<QString>(const QString& name)>;
    static QString replaceNames(const QString& formula, const Replacement& replacement);
};
