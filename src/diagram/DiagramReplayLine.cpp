#include "diagram/DiagramReplayLine.h"

QString DiagramReplayLine::compose(const DiagramDefinition& d) {
    using D = DiagramDefinition;
    const QStringList fields{d.graphType,        d.tables[D::X], d.fields[D::X], d.tables[D::Y],
                             d.fields[D::Y],     d.tables[D::Z], d.fields[D::Z], d.tables[D::Class],
                             d.fields[D::Class], d.filter};
    return verb() + QLatin1Char(' ') + fields.join(QLatin1Char(';'));
}

std::optional<DiagramDefinition> DiagramReplayLine::parse(const QString& line,
                                                          const DiagramDefinition& base) {
    const QString text = line.trimmed();
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    const QString head = space < 0 ? text : text.left(space);
    if (head.compare(verb(), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    QStringList f = space < 0 ? QStringList() : text.mid(space + 1).split(QLatin1Char(';'));
    while (f.size() < 10)
        f << QString();
    for (QString& s : f)
        s = s.trimmed();
    DiagramDefinition d = base;
    using D = DiagramDefinition;
    // A type written in other case is that type; one that is none stays as written, for the
    // draw to refuse by name.
    for (const QString& type : DiagramDefinition::graphTypes())
        if (f[0].compare(type, Qt::CaseInsensitive) == 0)
            f[0] = type;
    if (!f[0].isEmpty())
        d.graphType = f[0];
    d.tables[D::X] = f[1];
    d.fields[D::X] = f[2];
    d.tables[D::Y] = f[3];
    d.fields[D::Y] = f[4];
    d.tables[D::Z] = f[5];
    d.fields[D::Z] = f[6];
    d.tables[D::Class] = f[7];
    d.fields[D::Class] = f[8];
    d.filter = f[9];
    d.filterOn = !d.filter.isEmpty();
    return d;
}
