#include "link/LinkSelection.h"

namespace {

QString oneLine(QString value) {
    return value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
}

bool isNoKey(const QString& key) {
    bool number = false;
    const double value = key.trimmed().toDouble(&number);
    return number && value == -999;
}

} // namespace

QString LinkSelection::text() const {
    const QString key = isNoKey(keyValue) ? QString() : keyValue;
    return QStringLiteral("DATABASENAME=") + oneLine(databaseName) +
           QStringLiteral("\r\nTABLENAME=") + oneLine(tableName) + QStringLiteral("\r\nFLD=") +
           oneLine(field) + QStringLiteral("\r\nODBC=") + oneLine(odbc) +
           QStringLiteral("\r\nKEYFIELDS=") + oneLine(keyFields) + QStringLiteral("\r\nKEYDATA=") +
           oneLine(key);
}
