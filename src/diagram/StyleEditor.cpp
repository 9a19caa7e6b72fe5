#include "diagram/StyleEditor.h"

#include "diagram/DiagramWindow.h"
#include "figure/StyleFile.h"
#include "figure/StyleForms.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr FigureColor black{0, 0, 0, 255};

} // namespace

StyleEditor::StyleEditor(DiagramWindow& window)
    : window_(window)
    , dialogs_(window.dialogs()) {
    reload();
}

void StyleEditor::reload() {
    for (StyleTable& t : groups_)
        t.clear();
    const Figure& figure = window_.figure();
    groups_[size_t(StyleGroup::Symbol)] = DiagramStyles::tableOf(figure);
    for (const OverlayLine& line : figure.lines) {
        if (line.kind == OverlayKind::Other)
            continue;
        SeriesStyle style;
        style.symbol = SymbolShape::None;
        style.lineColor = line.color;
        style.color = line.color;
        style.lineWidth = line.width;
        style.linePattern = line.dash;
        groups_[size_t(line.kind == OverlayKind::Trendline ? StyleGroup::Trendline
                                                           : StyleGroup::Polygon)]
            .push_back({line.name, style});
    }
    for (const OverlayText& text : figure.texts)
        if (!text.referencePoint.isEmpty()) {
            SeriesStyle style;
            style.color = text.color;
            style.lineColor = text.color;
            groups_[size_t(StyleGroup::ReferencePoint)].push_back({text.referencePoint, style});
        }
    if (!select(group_, index_))
        select(StyleGroup::Symbol, groups_[0].empty() ? -1 : 0);
}

bool StyleEditor::select(StyleGroup group, int index) {
    if (index < 0 || index >= int(groups_[size_t(group)].size())) {
        index_ = -1;
        return false;
    }
    group_ = group;
    index_ = index;
    return true;
}

SeriesStyle* StyleEditor::edited() {
    return index_ < 0 ? nullptr : &groups_[size_t(group_)][size_t(index_)].style;
}

SeriesStyle StyleEditor::selected() const {
    return index_ < 0 ? SeriesStyle{} : groups_[size_t(group_)][size_t(index_)].style;
}

template <typename Change> void StyleEditor::change(Change&& how) {
    if (SeriesStyle* style = edited())
        how(*style);
}

void StyleEditor::setForm(int form) {
    change([form](SeriesStyle& s) { StyleForms::setForm(s, form); });
}
void StyleEditor::setSize(double size) {
    change([size](SeriesStyle& s) { s.symbolSize = std::clamp(size, 0.0, 100.0); });
}
void StyleEditor::setSymbolColor(FigureColor color) {
    change([color](SeriesStyle& s) { s.color = color; });
}
void StyleEditor::setPattern(int pattern) {
    change([pattern](SeriesStyle& s) {
        if (const auto dash = StyleForms::patternAt(pattern))
            s.linePattern = *dash;
    });
}
void StyleEditor::setWidth(double width) {
    change([width](SeriesStyle& s) { s.lineWidth = std::clamp(width, 0.0, 50.0); });
}
void StyleEditor::setLineColor(FigureColor color) {
    change([color](SeriesStyle& s) { s.lineColor = color; });
}
void StyleEditor::setHidden(bool hidden) {
    change([hidden](SeriesStyle& s) { s.hidden = hidden; });
}

void StyleEditor::apply() {
    for (const StyleTable& t : groups_)
        window_.styles.merge(t);
    window_.restyle();
}

void StyleEditor::shapeAndSizeToAll() {
    const SeriesStyle from = selected();
    for (NamedStyle& n : groups_[size_t(group_)]) {
        n.style.symbol = from.symbol;
        n.style.filled = from.filled;
        n.style.symbolSize = from.symbolSize;
    }
}

void StyleEditor::symbolsToBlack() {
    for (NamedStyle& n : groups_[size_t(group_)])
        n.style.color = black;
}

void StyleEditor::patternAndWidthToAll() {
    const SeriesStyle from = selected();
    for (NamedStyle& n : groups_[size_t(group_)]) {
        n.style.linePattern = from.linePattern;
        n.style.lineWidth = from.lineWidth;
    }
}

void StyleEditor::linesToBlack() {
    for (NamedStyle& n : groups_[size_t(group_)])
        n.style.lineColor = black;
}

int StyleEditor::addToLibrary() {
    if (index_ < 0)
        return 0;
    const NamedStyle& n = groups_[size_t(group_)][size_t(index_)];
    if (!window_.styles.library.add(group_, n.name, n.style)) {
        dialogs_.message(MessageKind::Information, existsNote());
        return 0;
    }
    dialogs_.message(MessageKind::Information, addedNote(StyleLibrary::entryName(n.name)));
    return 1;
}

int StyleEditor::addAllToLibrary() {
    int added = 0;
    QStringList notes;
    for (const NamedStyle& n : groups_[size_t(group_)])
        if (window_.styles.library.add(group_, n.name, n.style)) {
            notes << addedNote(StyleLibrary::entryName(n.name));
            ++added;
        }
    if (!notes.isEmpty())
        dialogs_.message(MessageKind::Information, notes.join(QStringLiteral("\r\n")));
    return added;
}

const StyleTable& StyleEditor::libraryEntries() const {
    return window_.styles.library.entries(libraryGroup);
}

bool StyleEditor::openLibrary(const QString& stylesFolder) {
    return window_.styles.openLibrary(stylesFolder);
}

bool StyleEditor::saveLibrary(const QString& stylesFolder) {
    const auto path = dialogs_.saveFile(QStringLiteral("Save Style Library"),
                                        StyleFile::librarySaveFilter(), stylesFolder);
    return path && !path->isEmpty() && window_.styles.saveLibraryTo(*path);
}

bool StyleEditor::setLibraryAsDefault() {
    StyleDefaults* defaults = window_.styles.defaults();
    if (!defaults || defaults->userIniFolder.isEmpty())
        return false;
    if (!window_.styles.saveLibraryTo(defaults->userIniFolder + QLatin1Char('/') +
                                      StyleDefaults::libraryFile()))
        return false;
    defaults->library = window_.styles.library;
    return true;
}

void StyleEditor::resetLibrary() {
    const StyleDefaults* defaults = window_.styles.defaults();
    window_.styles.library = defaults ? defaults->library : StyleLibrary{};
}

bool StyleEditor::clearLibrary() {
    if (dialogs_.question(QStringLiteral("Clear the style library?"), QuestionButtons::YesNo) !=
        Answer::Yes)
        return false;
    window_.styles.library.clear();
    return true;
}

std::optional<QString> StyleEditor::askName() {
    const QString suggested = index_ < 0 ? QString() : groups_[size_t(group_)][size_t(index_)].name;
    const auto name =
        dialogs_.input(Dialogs::title(), QStringLiteral("Give class name"), suggested);
    if (!name || name->trimmed().isEmpty())
        return std::nullopt;
    return name->trimmed();
}

bool StyleEditor::addEntry() {
    const auto name = askName();
    if (!name)
        return false;
    if (!window_.styles.library.add(libraryGroup, *name, selected())) {
        dialogs_.message(MessageKind::Information, existsNote());
        return false;
    }
    return true;
}

bool StyleEditor::changeEntry(int index) {
    StyleLibrary& library = window_.styles.library;
    if (index < 0 || index >= int(library.entries(libraryGroup).size()))
        return false;
    const auto name = askName();
    if (!name)
        return false;
    const QString entry = StyleLibrary::entryName(*name);
    const StyleTable& entries = library.entries(libraryGroup);
    const bool taken = std::any_of(entries.begin(), entries.end(), [&](const NamedStyle& n) {
        return n.name == entry && &n != &entries[size_t(index)];
    });
    if (taken && dialogs_.question(QStringLiteral("Such name allready exists, do you want to "
                                                  "replace that?"),
                                   QuestionButtons::YesNo) != Answer::Yes)
        return false;
    return library.change(libraryGroup, index, *name, selected());
}

bool StyleEditor::removeEntry(int index) {
    const StyleTable& entries = libraryEntries();
    if (index < 0 || index >= int(entries.size()))
        return false;
    if (dialogs_.question(QStringLiteral("Remove ") + entries[size_t(index)].name +
                              QStringLiteral(" from the library?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    return window_.styles.library.remove(libraryGroup, index);
}

bool StyleEditor::useEntry(int index) {
    const StyleTable& entries = libraryEntries();
    SeriesStyle* style = edited();
    if (!style || index < 0 || index >= int(entries.size()))
        return false;
    *style = entries[size_t(index)].style;
    return true;
}

bool StyleEditor::saveStyle(const QString& stylesFolder) {
    const auto path =
        dialogs_.saveFile(QStringLiteral("Save Style"), StyleFile::styleFilter(), stylesFolder);
    return path && !path->isEmpty() &&
           window_.styles.saveStyleTo(*path, groups_[size_t(StyleGroup::Symbol)]);
}

bool StyleEditor::openStyle(const QString& stylesFolder) {
    const auto path =
        dialogs_.openFile(QStringLiteral("Open Style"), StyleFile::styleFilter(), stylesFolder);
    if (!path || path->isEmpty())
        return false;
    const auto rows = StyleFile::loadTable(*path);
    if (!rows) {
        dialogs_.message(MessageKind::Critical, DiagramStyles::cannotRead(*path));
        return false;
    }
    // The file's rows style the symbols of the same names.
    for (NamedStyle& n : groups_[size_t(StyleGroup::Symbol)])
        for (const NamedStyle& row : *rows)
            if (row.name == n.name)
                n.style = row.style;
    return true;
}

Figure StyleEditor::sampleFigure() const {
    Figure f;
    const StyleTable& symbols = groups_[size_t(StyleGroup::Symbol)];
    const int n = int(symbols.size());
    for (int i = 0; i < n; ++i) {
        Series s;
        s.name = symbols[size_t(i)].name;
        s.style = symbols[size_t(i)].style;
        s.style.hidden = false; // the sample shows hidden series too, to be picked
        s.connectingLine = true;
        for (int x = 1; x <= 3; ++x)
            s.points.push_back({double(x), double(n - i), -1});
        f.series.push_back(std::move(s));
    }
    f.x.setRange(0.5, 3.5);
    f.y.setRange(0.5, n + 0.5);
    f.x.visible = false;
    f.y.visible = false; // the rows' numbers mean nothing
    f.header = QStringLiteral("Sample");
    return f;
}

int StyleEditor::symbolAt(double y) const {
    const int n = int(groups_[size_t(StyleGroup::Symbol)].size());
    const int i = n - int(std::lround(y));
    return i >= 0 && i < n ? i : -1;
}
