#pragma once
// Prints a result sheet as a table under its title on a printer the person chooses; the page
// setup ("Print Options...") is kept for the next print of the same printer object.
#include <QString>

class QPrinter;
class QWidget;
class Sheet;

class SheetPrinter {
public:
    // The sheet's used range as an HTML table under the title.
    static QString html(const Sheet& sheet, const QString& title);
    // Asks for the printer, then prints; false when cancelled.
    static bool print(QPrinter& printer, const Sheet& sheet, const QString& title, QWidget* parent);
};
