#include "automation/MacroCommand.h"

MacroCommand MacroCommand::parse(const QString& line) {
    MacroCommand c;
    const QString text = line.trimmed();
    if (text.startsWith(QLatin1Char('>'))) {
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'));
        c.keyword = (semicolon < 0 ? text : text.left(semicolon)).trimmed();
        c.rest = semicolon < 0 ? QString() : text.mid(semicolon + 1).trimmed();
        if (!c.rest.isEmpty())
            c.arguments << c.rest;
        return c;
    }
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    c.keyword = blank < 0 ? text : text.left(blank);
    if (blank < 0)
        return c;
    c.rest = text.mid(blank + 1).trimmed();
    if (c.rest.isEmpty())
        return c;
    const QChar separator = c.rest.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(' ');
    for (const QString& part : c.rest.split(separator))
        c.arguments << part.trimmed();
    return c;
}

QString MacroCommand::argument(int n) const {
    return n >= 1 && n <= arguments.size() ? arguments[n - 1] : QString();
}

QString MacroCommand::wholeName() const {
    return rest.contains(QLatin1Char(';')) ? argument(1) : rest;
}

QStringList MacroCommand::nameCandidates() const {
    QStringList names{wholeName()};
    if (argument(1) != names.front())
        names << argument(1);
    return names;
}
