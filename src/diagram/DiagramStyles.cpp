#include "diagram/DiagramStyles.h"

#include "figure/Figure.h"
#include "figure/StyleFile.h"
#include "figure/StylePalette.h"
#include "platform/Dialogs.h"

DiagramStyles::DiagramStyles(Dialogs& dialogs)
    : dialogs_(dialogs) {}

void DiagramStyles::useDefaults(StyleDefaults* defaults) {
    defaults_ = defaults;
    table = defaults ? defaults->xy : StyleTable{};
    library = defaults ? defaults->library : StyleLibrary{};
}

std::optional<SeriesStyle> DiagramStyles::styleOf(StyleGroup group, const QString& name) const {
    if (autoStyle)
        if (auto style = library.find(group, name))
            return style;
    for (const NamedStyle& row : table)
        if (row.name == name)
            return row.style;
    return std::nullopt;
}

void DiagramStyles::apply(Figure& figure) const {
    for (Series& s : figure.series)
        s.style = styleOf(StyleGroup::Symbol, s.name).value_or(StylePalette::styleForName(s.name));
    for (OverlayLine& line : figure.lines) {
        if (line.kind == OverlayKind::Other)
            continue;
        const auto style = styleOf(line.kind == OverlayKind::Trendline ? StyleGroup::Trendline
                                                                       : StyleGroup::Polygon,
                                   line.name);
        if (!style)
            continue;
        line.color = style->lineColor;
        line.width = style->lineWidth;
        line.dash = style->hidden ? LineDash::None : style->linePattern;
    }
    for (OverlayText& text : figure.texts)
        if (!text.referencePoint.isEmpty())
            if (const auto style = styleOf(StyleGroup::ReferencePoint, text.referencePoint))
                text.color = style->color;
}

StyleTable DiagramStyles::tableOf(const Figure& figure) {
    StyleTable rows;
    for (const Series& s : figure.series)
        rows.push_back({s.name, s.style});
    return rows;
}

void DiagramStyles::merge(const StyleTable& rows) {
    for (const NamedStyle& row : rows) {
        auto it = std::find_if(table.begin(), table.end(),
                               [&](const NamedStyle& r) { return r.name == row.name; });
        if (it != table.end())
            it->style = row.style;
        else
            table.push_back(row);
    }
}

bool DiagramStyles::saveStyleTo(const QString& path, const StyleTable& rows) {
    if (StyleFile::saveTable(path, rows))
        return true;
    dialogs_.message(MessageKind::Critical, cannotWrite(path));
    return false;
}

bool DiagramStyles::saveAsDefault(const Figure& figure) {
    if (!defaults_ || defaults_->userIniFolder.isEmpty())
        return false;
    const StyleTable rows = tableOf(figure);
    if (!saveStyleTo(defaults_->userIniFolder + QLatin1Char('/') + StyleDefaults::xyFile(), rows))
        return false;
    defaults_->xy = rows;
    return true;
}

bool DiagramStyles::openStyleFrom(const QString& path) {
    auto rows = StyleFile::loadTable(path);
    if (!rows) {
        dialogs_.message(MessageKind::Critical, cannotRead(path));
        return false;
    }
    table = std::move(*rows);
    return true;
}

bool DiagramStyles::openLibraryFrom(const QString& path) {
    auto loaded = StyleFile::loadLibrary(path);
    if (!loaded) {
        dialogs_.message(MessageKind::Critical, cannotRead(path));
        return false;
    }
    library = std::move(*loaded);
    return true;
}

bool DiagramStyles::saveLibraryTo(const QString& path) {
    if (StyleFile::saveLibrary(path, library))
        return true;
    dialogs_.message(MessageKind::Critical, cannotWrite(path));
    return false;
}

bool DiagramStyles::saveStyle(const Figure& figure, const QString& stylesFolder) {
    const auto path =
        dialogs_.saveFile(QStringLiteral("Save Style"), StyleFile::styleFilter(), stylesFolder);
    return path && !path->isEmpty() && saveStyleTo(*path, tableOf(figure));
}

bool DiagramStyles::openStyle(const QString& stylesFolder) {
    const auto path =
        dialogs_.openFile(QStringLiteral("Open Style"), StyleFile::styleFilter(), stylesFolder);
    return path && !path->isEmpty() && openStyleFrom(*path);
}

bool DiagramStyles::openLibrary(const QString& stylesFolder) {
    const auto path = dialogs_.openFile(QStringLiteral("Open Style Library"),
                                        StyleFile::libraryOpenFilter(), stylesFolder);
    return path && !path->isEmpty() && openLibraryFrom(*path);
}

void DiagramStyles::reset() {
    table = defaults_ ? defaults_->xy : StyleTable{};
}
