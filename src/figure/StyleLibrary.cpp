#include "figure/StyleLibrary.h"

QString StyleLibrary::groupCaption(StyleGroup group) {
    switch (group) {
    case StyleGroup::Symbol:
        break;
    case StyleGroup::Trendline:
        return QStringLiteral("Trendline");
    case StyleGroup::Polygon:
        return QStringLiteral("Polygon");
    case StyleGroup::ReferencePoint:
        return QStringLiteral("Reference Point");
    }
    return QStringLiteral("Symbol");
}

int StyleLibrary::indexOf(StyleGroup group, const QString& entry) const {
    const StyleTable& table = groups_[size_t(group)];
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].name == entry)
            return int(i);
    return -1;
}

std::optional<SeriesStyle> StyleLibrary::find(StyleGroup group, const QString& name) const {
    const int i = indexOf(group, entryName(name));
    if (i < 0)
        return std::nullopt;
    return groups_[size_t(group)][size_t(i)].style;
}

bool StyleLibrary::add(StyleGroup group, const QString& name, const SeriesStyle& style) {
    if (indexOf(group, entryName(name)) >= 0)
        return false;
    groups_[size_t(group)].push_back({entryName(name), style});
    return true;
}

void StyleLibrary::put(StyleGroup group, const QString& name, const SeriesStyle& style) {
    const int i = indexOf(group, entryName(name));
    if (i >= 0)
        groups_[size_t(group)][size_t(i)].style = style;
    else
        groups_[size_t(group)].push_back({entryName(name), style});
}

bool StyleLibrary::change(StyleGroup group, int index, const QString& name,
                          const SeriesStyle& style) {
    StyleTable& table = groups_[size_t(group)];
    if (index < 0 || index >= int(table.size()))
        return false;
    const int other = indexOf(group, entryName(name));
    table[size_t(index)] = {entryName(name), style};
    if (other >= 0 && other != index)
        table.erase(table.begin() + other);
    return true;
}

bool StyleLibrary::remove(StyleGroup group, int index) {
    StyleTable& table = groups_[size_t(group)];
    if (index < 0 || index >= int(table.size()))
        return false;
    table.erase(table.begin() + index);
    return true;
}

void StyleLibrary::clear() {
    for (StyleTable& t : groups_)
        t.clear();
}

bool StyleLibrary::isEmpty() const {
    for (const StyleTable& t : groups_)
        if (!t.empty())
            return false;
    return true;
}
