#pragma once
// Style files in the program's workbook format (Workbook): a figure's style table (".sty", one
// sheet "Styles") and a style library (".slb", one sheet per group, named as the group). Each
// sheet has the heading row Name, Symbol, Size, Symbol colour, Pattern, Width, Line colour,
// Hidden, then one row per style: forms and patterns by their names (StyleForms), colours as
// #rrggbb, Hidden 1 or 0. Columns are found by their headings. Anyone may call it.
#include "figure/NamedStyle.h"
#include "figure/StyleLibrary.h"

#include <QString>
#include <optional>

class Sheet;

class StyleFile {
public:
    static QString styleFilter() { return QStringLiteral("Quv graph style (*.sty)|*.sty"); }
    static QString libraryOpenFilter() {
        return QStringLiteral("Quv style library file (*.slb)|*.slb");
    }
    static QString librarySaveFilter() {
        return QStringLiteral("Quv graph style library (*.sty)|*.slb");
    }

    // False (with the reason in *error) when the file cannot be written.
    static bool saveTable(const QString& path, const StyleTable& table, QString* error = nullptr);
    static bool saveLibrary(const QString& path, const StyleLibrary& library,
                            QString* error = nullptr);
    // nullopt (with the reason) for a file that cannot be read, is no workbook, lacks the sheet
    // or holds a form, pattern, colour or number that does not read.
    static std::optional<StyleTable> loadTable(const QString& path, QString* error = nullptr);
    static std::optional<StyleLibrary> loadLibrary(const QString& path, QString* error = nullptr);

    static void writeSheet(Sheet& sheet, const StyleTable& table);
    static std::optional<StyleTable> readSheet(const Sheet& sheet, QString* error);
};
