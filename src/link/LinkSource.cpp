#include "link/LinkSource.h"

#include "db/ConnectionFactory.h"

namespace {

// A conninfo value in single quotes with "\" and "'" escaped, as libpq reads it.
QString quoted(QString value) {
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

QString conninfoKey(const QString& providerKey) {
    static const struct {
        const char* provider;
        const char* conninfo;
    } keys[] = {{"data source", "service"},
                {"dsn", "service"},
                {"server", "host"},
                {"host", "host"},
                {"port", "port"},
                {"database", "dbname"},
                {"initial catalog", "dbname"},
                {"dbname", "dbname"},
                {"user id", "user"},
                {"uid", "user"},
                {"user", "user"},
                {"password", "password"},
                {"pwd", "password"}};
    const QString k = providerKey.trimmed().toLower();
    for (const auto& key : keys)
        if (k == QLatin1String(key.provider))
            return QString::fromLatin1(key.conninfo);
    return {};
}

// A conninfo already: "key=value" pairs without ";" whose first key is one libpq knows.
bool isConninfo(const QString& text) {
    static const QStringList libpqKeys = {"host",
                                          "hostaddr",
                                          "port",
                                          "dbname",
                                          "user",
                                          "password",
                                          "service",
                                          "options",
                                          "sslmode",
                                          "connect_timeout",
                                          "application_name"};
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    return !text.contains(QLatin1Char(';')) && eq > 0 &&
           libpqKeys.contains(text.left(eq).trimmed());
}

} // namespace

QString LinkSource::conninfoOf(const QString& connectionText) {
    const QString text = connectionText.trimmed();
    if (text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
        text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive) || isConninfo(text))
        return text;
    QStringList parts;
    for (const QString& pair : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue; // "ODBC;" prefixes and other words carry nothing
        const QString key = conninfoKey(pair.left(eq));
        const QString value = pair.mid(eq + 1).trimmed();
        if (!key.isEmpty() && !value.isEmpty())
            parts << key + QLatin1Char('=') + quoted(value);
    }
    return parts.join(QLatin1Char(' '));
}

QString LinkSource::databaseOf(const LinkContent& content) {
    if (!content.oracle.trimmed().isEmpty())
        return conninfoOf(content.oracle);
    if (!content.odbc.trimmed().isEmpty())
        return conninfoOf(content.odbc);
    return content.databaseName.trimmed();
}

ConnectionTarget LinkSource::targetOf(const LinkContent& content) {
    if (content.oracle.trimmed().isEmpty() && content.odbc.trimmed().isEmpty())
        return ConnectionFactory::target(databaseOf(content));
    ConnectionTarget server;
    server.kind = ConnectionTarget::Kind::Server;
    server.dataSource = databaseOf(content);
    return server;
}
