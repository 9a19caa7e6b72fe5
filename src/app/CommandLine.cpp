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

} // namespace CommandLine
