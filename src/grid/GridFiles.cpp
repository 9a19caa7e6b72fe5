#include "grid/GridFiles.h"

#include "platform/IniFile.h"

namespace {
const QString widthsSection = QStringLiteral("ColumnWidths");
const QString sqlSection = QStringLiteral("SQL");

void writeWidths(IniFile& ini, const std::vector<int>& widths) {
    for (size_t i = 0; i < widths.size(); ++i)
        ini.setValue(widthsSection, QString::number(i), QString::number(widths[i]));
}
} // namespace

QString GridFiles::columnViewPath(const QString& appPath, const QString& gridName) {
    return appPath + QStringLiteral("/ini/") + gridName + QStringLiteral(".ini");
}

QString GridFiles::sqlPath(const QString& userFolder, const QString& gridName) {
    return userFolder + QLatin1Char('/') + gridName + QStringLiteral(".sql");
}

bool GridFiles::saveColumnView(const QString& path, const std::vector<int>& widths,
                               QString* error) {
    IniFile ini = IniFile::load(path);
    writeWidths(ini, widths);
    return ini.save(path, error);
}

std::map<int, int> GridFiles::readColumnView(const QString& path, int columnCount) {
    std::map<int, int> view;
    const IniFile ini = IniFile::load(path);
    for (const QString& key : ini.keys(widthsSection)) {
        bool keyOk = false, valueOk = false;
        const int column = key.toInt(&keyOk);
        const int width =
            ini.value(widthsSection, key).value_or(QString()).trimmed().toInt(&valueOk);
        if (keyOk && valueOk && column >= 0 && column < columnCount && width >= hidden)
            view[column] = width;
    }
    return view;
}

bool GridFiles::saveSql(const QString& path, const QString& statement,
                        const std::vector<int>& widths, QString* error) {
    IniFile ini;
    QString oneLine = statement;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    ini.setValue(sqlSection, sqlSection, oneLine.trimmed());
    writeWidths(ini, widths);
    return ini.save(path, error);
}

std::optional<QString> GridFiles::readSql(const QString& path) {
    const auto sql = IniFile::load(path).value(sqlSection, sqlSection);
    if (!sql || sql->trimmed().isEmpty())
        return std::nullopt;
    return *sql;
}
