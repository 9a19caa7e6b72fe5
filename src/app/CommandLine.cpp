#include "app/CommandLine.h"

namespace CommandLine {

QStringList SplitCommandLine(const QString& commandLine, int maxArguments) {
    QStringList out;
    QString current;
    auto flush = [&] {
        if (!current.isEmpty())
            out << current;
        current.clear();
    };
    for (const QChar c : commandLine) {
        if (c == u',' || c == u'\t') {
            flush();
            continue;
        }
        if (current.isEmpty() && out.size() >= maxArguments)
            break;
        current += c;
    }
    flush();
    return out;
}

QString fromProcessArguments(const QStringList& arguments) {
    return arguments.join(u',');
}

bool asksForHelp(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
}

QString usage() {
    return QStringLiteral(
        "Usage: quvdata [ARGUMENT]...\n"
        "       quvdata --batch MACRO.amc [--out FOLDER] [ARGUMENT]...\n"
        "\n"
        "Arguments are separated by commas or TABs (a blank belongs to the argument):\n"
        "  I/file            the initialization file (default ini/QuvData.ini in the\n"
        "                    program's folder)\n"
        "  D/database        the session database to open: a .mdb or .sqlite file, a .dbf\n"
        "                    file of a dBase folder, or a PostgreSQL service, conninfo or\n"
        "                    postgresql:// URI\n"
        "  C/file            read the file into the ClipData sheet and show it\n"
        "  CSQL/statement    run the SELECT statement on the session database into the\n"
        "                    ClipData sheet and draw diagrams from it\n"
        "  XY/t1,t2,f1,f2[,t3,f3]\n"
        "                    show the diagram window, choose its tables and fields by\n"
        "                    their 0-based list positions (X, Y and Z) and draw\n"
        "  B/book.bok        open the PictureBook\n"
        "\n"
        "Files are recognised by their extension:\n"
        "  .bok .zol .aux    a PictureBook: open it and draw its figure\n"
        "  .txt .xls .vts    read into the ClipData sheet\n"
        "  .akr              a graph file, shown in the diagram window\n"
        "  .mdb .sqlite .db .sqlite3 .db3\n"
        "                    the session database\n"
        "  .ini              the initialization file\n"
        "  .amc              a macro, opened in the macro panel and run once\n"
        "\n"
        "Options:\n"
        "  --batch MACRO.amc run the macro without a display, then end; the figures and\n"
        "                    files it saves, startup.txt and macro.txt (each line of the\n"
        "                    macro and what came of it) go into the --out folder\n"
        "  --out FOLDER      where a batch run writes (default: the current folder)\n"
        "  -h, --help        print this text and end\n");
}

} // namespace CommandLine
