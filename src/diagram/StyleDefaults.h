#pragma once
// The styles every new window starts from, read once when the main window loads: the XY
// figures' "\ini\Symbol.sty", the spider figures' "\ini\SpiSymbol.sty" and the default style
// library "\ini\SymbolLibrary.slb", each from the user's folder, else from the program's (the
// shipped library). A file that is missing or does not read leaves its part empty. Owned by the
// main frame; the windows keep a pointer and write their "Save As Default" here too.
#include "figure/NamedStyle.h"
#include "figure/StyleLibrary.h"

#include <QString>

struct StyleDefaults {
    static QString xyFile() { return QStringLiteral("Symbol.sty"); }
    static QString spiderFile() { return QStringLiteral("SpiSymbol.sty"); }
    static QString libraryFile() { return QStringLiteral("SymbolLibrary.slb"); }

    StyleTable xy;
    StyleTable spider;
    StyleLibrary library;
    // Where "Save As Default Style" and the library's "Default" write: the user's "\ini\".
    QString userIniFolder;

    static StyleDefaults load(const QString& userFolder, const QString& programFolder);
};
