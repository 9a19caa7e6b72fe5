#include "link/LinkContentParser.h"

#include <QRegularExpression>

namespace {

struct Key {
    const char* prefix;
    QString LinkContent::*value;
};

const Key keys[] = {
    {"DATABASENAME=", &LinkContent::databaseName},
    {"TABLENAME=", &LinkContent::tableName},
    {"FLD=", &LinkContent::field},
    {"ODBC=", &LinkContent::odbc},
    {"KEYFIELDS=", &LinkContent::keyFields},
    {"KEYDATA=", &LinkContent::keyData},
    {"SQL=", &LinkContent::sql},
    {"ORACLE=", &LinkContent::oracle},
    {"CAPTION=", &LinkContent::caption},
};

// "name=value," gives name and value; without "," after the value only the name is kept.
QPair<QString, QString> fieldLine(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {line, QString()};
    const qsizetype comma = line.indexOf(QLatin1Char(','), eq + 1);
    return {line.left(eq), comma < 0 ? QString() : line.mid(eq + 1, comma - eq - 1)};
}

QLatin1String commandKey() {
    return QLatin1String("COMMAND=");
}

} // namespace

LinkContent LinkContentParser::ParseLinkContent(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    LinkContent content;
    bool inFields = false;
    QString* last = nullptr; // the value a "," line continues
    for (const QString& line : text.split(lineEnd, Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("[FIELDS]"), Qt::CaseInsensitive)) {
            inFields = true;
            last = nullptr;
            continue;
        }
        if (line.startsWith(QLatin1Char(','))) {
            if (last)
                *last += line;
            continue;
        }
        const Key* found = nullptr;
        for (const Key& key : keys)
            if (line.startsWith(QLatin1String(key.prefix), Qt::CaseInsensitive)) {
                found = &key;
                break;
            }
        if (line.startsWith(commandKey(), Qt::CaseInsensitive)) {
            content.commands << line.mid(commandKey().size());
            last = nullptr;
        } else if (found) {
            QString& value = content.*(found->value);
            value = line.mid(qsizetype(qstrlen(found->prefix)));
            last = found->value == &LinkContent::keyData ? &value : nullptr;
        } else if (inFields) {
            content.fields << fieldLine(line);
        }
    }
    return content;
}
