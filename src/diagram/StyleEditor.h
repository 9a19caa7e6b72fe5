#pragma once
// The style editor ("Graph symbol and line styles", frmChangeStyle) without its widgets: the
// styles of the figure's symbols (series), trendlines, polygons and reference points, the one
// being edited, the tools that change many at once, and the library tab over the window's
// style library. "Apply" hands the edited styles to the window's style table and restyles its
// figure. Talks to the person through Dialogs; the view shows what it holds. Holds the window,
// which must outlive it.
#include "figure/Figure.h"
#include "figure/NamedStyle.h"
#include "figure/StyleLibrary.h"

#include <array>

class DiagramWindow;
class Dialogs;

class StyleEditor {
public:
    explicit StyleEditor(DiagramWindow& window);

    static QString caption() { return QStringLiteral("Graph symbol and line styles"); }
    // Where the window keeps its place ("ChangeStyleLeft", ...).
    static QString shortName() { return QStringLiteral("ChangeStyle"); }

    // The figure's objects of each group with their styles, as last read from the window.
    void reload();
    const StyleTable& objects(StyleGroup group) const { return groups_[size_t(group)]; }

    // "Selected object" (a right click on the sample chart selects a symbol); false when there
    // is no such object.
    bool select(StyleGroup group, int index);
    StyleGroup selectedGroup() const { return group_; }
    int selectedIndex() const { return index_; }
    // The selected object's style; the default style when nothing is selected.
    SeriesStyle selected() const;

    // Symbol: "Shape" (a form of StyleForms), "Size", colour; Line: "Pattern", "Width", colour.
    void setForm(int form);
    void setSize(double size);
    void setSymbolColor(FigureColor color);
    void setPattern(int pattern);
    void setWidth(double width);
    void setLineColor(FigureColor color);
    void setHidden(bool hidden);

    // "Apply": the edited styles into the window's style table, and the figure restyled.
    void apply();

    // Tools.
    void shapeAndSizeToAll();    // "Apply selected symbol shape and size to all"
    void symbolsToBlack();       // "Change symbols to black"
    void patternAndWidthToAll(); // "Apply selected line pattern and width to all"
    void linesToBlack();         // "Change lines to black"
    // "Add to Library": the selected object, "Add All to Library": every object of its group;
    // each added entry is reported with "<" name " added", an existing one with "Allready
    // exists!". The number added.
    int addToLibrary();
    int addAllToLibrary();

    // The library tab. The group shown is chosen by the option buttons.
    StyleGroup libraryGroup = StyleGroup::Symbol;
    const StyleTable& libraryEntries() const;
    // "Open", "Save": file dialogs ("\Styles\*.slb"); "Default": the library into the user's
    // "\ini\SymbolLibrary.slb" and the defaults of later windows; "Reset": back to the default
    // library; "Clear": empty (after Yes).
    bool openLibrary(const QString& stylesFolder);
    bool saveLibrary(const QString& stylesFolder);
    bool setLibraryAsDefault();
    void resetLibrary();
    bool clearLibrary();
    // "Add": a new entry of the selected style named as asked ("Give class name"); an existing
    // name gives "Allready exists!" and no change. "Change": the entry at index renamed as asked
    // and given the selected style; another entry of that name is replaced only after Yes to
    // "Such name allready exists, do you want to replace that?". "Remove": after Yes.
    bool addEntry();
    bool changeEntry(int index);
    bool removeEntry(int index);
    // Picking a library entry gives the selected object its style.
    bool useEntry(int index);

    // "Save Style" / "Open Style": the symbols' styles as a ".sty" file.
    bool saveStyle(const QString& stylesFolder);
    bool openStyle(const QString& stylesFolder);

    // The sample chart: one row per symbol, three points joined by its line, the first symbol
    // at the top (Y = count, the last at Y = 1). symbolAt: the symbol a right click at that Y
    // picks, -1 for none.
    Figure sampleFigure() const;
    int symbolAt(double y) const;

    static QString addedNote(const QString& entry) { return entry + QStringLiteral(" added"); }
    static QString existsNote() { return QStringLiteral("Allready exists!"); }

private:
    SeriesStyle* edited();
    template <typename Change> void change(Change&& how);
    std::optional<QString> askName();

    DiagramWindow& window_;
    Dialogs& dialogs_;
    std::array<StyleTable, StyleLibrary::groupCount> groups_;
    StyleGroup group_ = StyleGroup::Symbol;
    int index_ = -1;
};
