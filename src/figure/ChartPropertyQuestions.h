#pragma once
// The chart menus' questions about a figure's frame, asked through Dialogs one input box at a
// time: "&Font...", "Plot Area Options...", "Chart Area Options..." and the titles of "Chart
// Properties". Each changes nothing unless every answer is given and sound; a refused answer
// says why.
#include "figure/FigureLook.h"

class Dialogs;

class ChartPropertyQuestions {
public:
    static constexpr int smallestFont = 6;
    static constexpr int largestFont = 72;
    static constexpr int widestBorder = 10;

    // The font name (empty: the program's own) and its size in points (0: the program's own).
    static bool askFont(Dialogs& dialogs, FigureLook& look);
    // The fill colour, the border colour and the border width (0: none) of one area.
    static bool askArea(Dialogs& dialogs, const QString& caption, FigureLook::Area& area);
    // The header and the two axis titles; an empty answer gives the drawn one back.
    static bool askTitles(Dialogs& dialogs, QString& header, QString& xTitle, QString& yTitle);
    // The box's caption for the 3D view that flat charts do not have.
    static QString noThreeDimensions() {
        return QStringLiteral("The charts are drawn flat: there is no 3D view.");
    }
};
