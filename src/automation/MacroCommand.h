#pragma once
// One command line taken apart: the keyword up to the first blank and its arguments. When the
// rest holds ";", only ";" separates arguments (so names and paths keep their blanks); otherwise
// each blank does. Either way "XTABLE Samples;Rock" and "XTABLE Samples Rock" give the same two
// arguments. A line beginning with ">" is a recorded menu action: its keyword runs up to the
// first ";" and the argument follows it. Arguments keep their case.
#include <QString>
#include <QStringList>

struct MacroCommand {
    QString keyword;
    QStringList arguments;
    QString rest; // the trimmed text after the keyword

    static MacroCommand parse(const QString& line);
    bool isMenuAction() const { return keyword.startsWith(QLatin1Char('>')); }
    // Argument n from 1; empty when there is none.
    QString argument(int n) const;
    // What a command taking one path or name reads: the whole rest, unless ";" separates
    // arguments, then the first of them.
    QString wholeName() const;
    // The names to try, in order, for a command whose name is looked up: the whole rest, then
    // the first argument ("XTABLE Samples Rock" is the table "Samples Rock" when there is one,
    // else "Samples").
    QStringList nameCandidates() const;
};
