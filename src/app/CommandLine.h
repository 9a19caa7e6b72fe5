#pragma once
// The program's command line: arguments are separated by commas and TABs (a blank is an
// ordinary character), so a path with a comma in it becomes two arguments.
#include <QString>
#include <QStringList>

namespace CommandLine {
// The arguments in order, at most maxArguments of them; runs between two separators that hold
// nothing are not arguments.
QStringList SplitCommandLine(const QString& commandLine, int maxArguments = 10);

// The command line as one text, from the process arguments (without the program name). Each
// process argument stays at least one argument, so they are joined with commas.
QString fromProcessArguments(const QStringList& arguments);

// "--help" or "-h" among the process arguments (without the program name): print usage() and
// end, before any window or settings.
bool asksForHelp(const QStringList& arguments);
// What "quvdata --help" prints: the switches, the file arguments by extension and the options
// of a batch run.
QString usage();
} // namespace CommandLine
