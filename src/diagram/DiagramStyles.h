#pragma once
// The styles of one diagram window: its style table (a style per series name, from the defaults,
// a style file or the style editor), the style library and the "Apply AutoStyle Search" switch,
// and the File menu's style items. apply() gives each series and object of a figure its style:
// with AutoStyle on, the library entry of its name and group; else its row in the style table;
// else the style that follows from its name alone (StylePalette::styleForName), so a class looks
// the same in every figure. Talks to the person through Dialogs. Owned by DiagramWindow.
#include "diagram/StyleDefaults.h"
#include "figure/NamedStyle.h"
#include "figure/StyleLibrary.h"

#include <optional>

class Dialogs;
class Figure;

class DiagramStyles {
public:
    explicit DiagramStyles(Dialogs& dialogs);

    // The defaults this window starts from and "&Reset Style" returns to; none: empty defaults.
    void useDefaults(StyleDefaults* defaults);
    StyleDefaults* defaults() const { return defaults_; }

    StyleTable table;
    StyleLibrary library;
    bool autoStyle = false; // "Apply AutoStyle Search"

    void apply(Figure& figure) const;
    // The figure's series as a style table, in series order.
    static StyleTable tableOf(const Figure& figure);
    // The table rows replace those of the same names and add the others.
    void merge(const StyleTable& rows);

    // "Save As Default Style": the figure's styles into the user's "\ini\Symbol.sty", and the
    // defaults of later windows.
    bool saveAsDefault(const Figure& figure);
    // "Save Style" / "Open Style" ("\Styles\*.sty"), "Open Style Library" ("\Styles\*.slb"):
    // the file dialog, then the file. False when cancelled or after the message saying why.
    bool saveStyle(const Figure& figure, const QString& stylesFolder);
    bool openStyle(const QString& stylesFolder);
    bool openLibrary(const QString& stylesFolder);
    // The same without the dialog.
    bool saveStyleTo(const QString& path, const StyleTable& rows);
    bool openStyleFrom(const QString& path);
    bool openLibraryFrom(const QString& path);
    bool saveLibraryTo(const QString& path);
    // "&Reset Style": back to the defaults.
    void reset();

    static QString cannotWrite(const QString& path) {
        return QStringLiteral("Cannot write ") + path;
    }
    static QString cannotRead(const QString& path) {
        return QStringLiteral("Cannot read style file ") + path;
    }

private:
    std::optional<SeriesStyle> styleOf(StyleGroup group, const QString& name) const;

    Dialogs& dialogs_;
    StyleDefaults* defaults_ = nullptr;
};
