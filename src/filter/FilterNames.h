#pragma once
// Names of filter views: "f_" + name, or "f_" + prefix + "_" + name in a group. A name goes into
// SQL in brackets, so the characters that would end or split a bracketed Jet name ("[", "]",
// "." and "!") and the double quote are refused rather than escaped. Stateless.
#include <QString>

class FilterNames {
public:
    static QString prefix() { return QStringLiteral("f_"); }
    static QString combinedName() { return QStringLiteral("Combined"); }

    // "f_" + name, or "f_" + group + "_" + name.
    static QString viewName(const QString& name, const QString& group = {});
    // The filter name of a view (its text after "f_"), empty for a view that is no filter.
    static QString filterName(const QString& view);
    static bool isFilterView(const QString& view) { return view.startsWith(prefix()); }

    // Empty when the name can be a view name; otherwise why not.
    static QString refusal(const QString& name);

    // SanitizeName: blanks trimmed, every character below "/" except "%", ":" to "@", "[" to
    // "`" and above "{" replaced by "_"; "/" only when replaceSlash is set.
    static QString sanitize(const QString& text, bool replaceSlash);
};
