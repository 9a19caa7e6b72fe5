#pragma once
// Escapes names and values for Jet SQL text, the way the tokenizer reads them back: a name goes in
// brackets with "]" doubled, a text value in single quotes with "'" doubled. Every builder of SQL
// text uses these, so a name with "]" or a value with "'" round-trips.
#include <QString>

class JetSqlQuoting {
public:
    static QString name(const QString& name) {
        QString n = name;
        return QLatin1Char('[') + n.replace(QLatin1Char(']'), QLatin1String("]]")) +
               QLatin1Char(']');
    }
    static QString text(const QString& value) {
        QString v = value;
        return QLatin1Char('\'') + v.replace(QLatin1Char('\''), QLatin1String("''")) +
               QLatin1Char('\'');
    }
};
