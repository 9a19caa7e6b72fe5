#include "diagram/LastFigureStore.h"

#include "platform/Connection.h"
#include "platform/IniFile.h"

namespace {
using D = DiagramDefinition;

const QString section = QStringLiteral("LastGraph");
const char* const tableKeys[] = {"XTable", "YTable", "ZTable", "ClassTable"};
const char* const fieldKeys[] = {"XField", "YField", "ZField", "ClassField"};
} // namespace

bool LastFigureStore::store(const QString& lastFilesPath, const DiagramDefinition& d,
                            const QString& database) {
    IniFile ini = IniFile::load(lastFilesPath);
    const auto set = [&ini](const char* key, const QString& value) {
        ini.setValue(section, QString::fromLatin1(key), value);
    };
    set("Database", database);
    set("GraphType", d.graphType);
    for (size_t i = 0; i < 4; ++i) {
        set(tableKeys[i], d.tables[i]);
        set(fieldKeys[i], d.fields[i]);
    }
    set("FilterOn", d.filterOn ? QStringLiteral("1") : QStringLiteral("0"));
    set("Filter", d.filter);
    return ini.save(lastFilesPath);
}

std::optional<DiagramDefinition> LastFigureStore::read(const QString& lastFilesPath,
                                                       const QString& database,
                                                       DiagramDefinition base) {
    const IniFile ini = IniFile::load(lastFilesPath);
    const auto read = [&ini](const char* key) {
        return ini.value(section, QString::fromLatin1(key)).value_or(QString());
    };
    if (read("Database").isEmpty() || read("Database") != database)
        return std::nullopt;
    DiagramDefinition& d = base;
    d.source = D::Source::DB; // the stored figure names database tables
    if (!read("GraphType").isEmpty())
        d.graphType = read("GraphType");
    for (size_t i = 0; i < 4; ++i) {
        d.tables[i] = read(tableKeys[i]);
        d.fields[i] = read(fieldKeys[i]);
    }
    d.filterOn = read("FilterOn") == QLatin1String("1");
    d.filter = read("Filter");
    return d;
}

QString LastFigureStore::missingPart(Connection& db, const DiagramDefinition& d) {
    for (size_t i = 0; i < 4; ++i) {
        const QString& table = d.tables[i];
        if (table.isEmpty())
            continue;
        const auto columns = db.columnNamesOf(table);
        if (!columns)
            return QStringLiteral("Table ") + table +
                   QStringLiteral(" can not be found in the database");
        const QString& field = d.fields[i];
        if (!field.isEmpty() && !columns->contains(field, Qt::CaseInsensitive))
            return QStringLiteral("Field ") + field +
                   QStringLiteral(" can not be found in the table ") + table;
    }
    return {};
}
