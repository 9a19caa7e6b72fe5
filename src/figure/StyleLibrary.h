#pragma once
// Named styles kept so that a series of the same name gets the same look in every figure
// ("Apply AutoStyle Search"). Four groups: sample classes ("Symbol"), trendlines, polygons and
// reference points; each entry's name is written in angle brackets ("<Basalt>"), and names are
// unique within a group (compared exactly). Value type; the style controller owns one.
#include "figure/NamedStyle.h"

#include <QStringList>
#include <array>
#include <optional>

enum class StyleGroup { Symbol, Trendline, Polygon, ReferencePoint };

class StyleLibrary {
public:
    static constexpr int groupCount = 4;
    // "Symbol", "Trendline", "Polygon", "Reference Point": the option buttons and the file's
    // sheet names.
    static QString groupCaption(StyleGroup group);
    // "<" + name + ">".
    static QString entryName(const QString& name) { return '<' + name + '>'; }

    const StyleTable& entries(StyleGroup group) const { return groups_[size_t(group)]; }
    // The style of the entry "<" + name + ">"; nullopt when there is none.
    std::optional<SeriesStyle> find(StyleGroup group, const QString& name) const;
    // Adds "<" + name + ">"; false (and nothing changes) when the group has that entry already.
    bool add(StyleGroup group, const QString& name, const SeriesStyle& style);
    // Adds or replaces the entry of that name.
    void put(StyleGroup group, const QString& name, const SeriesStyle& style);
    // Renames the entry at index (0-based) and gives it the style; an entry already called so
    // is dropped first (the caller asked whether to replace it). False for a bad index.
    bool change(StyleGroup group, int index, const QString& name, const SeriesStyle& style);
    bool remove(StyleGroup group, int index);
    void clear();
    bool isEmpty() const;

    // Entries as stored ("<Basalt>"), for the file and for loading.
    StyleTable& stored(StyleGroup group) { return groups_[size_t(group)]; }

    bool operator==(const StyleLibrary&) const = default;

private:
    int indexOf(StyleGroup group, const QString& entry) const;

    std::array<StyleTable, groupCount> groups_;
};
