#include "query/IndexFields.h"

#include "query/SqlNames.h"

QStringList GetIndexFields(const SchemaCatalogue& catalogue, const QString& table) {
    const Sheet& list = catalogue.indexList;
    const QString wanted = SqlNames::plain(table);
    if (wanted.isEmpty())
        return {};
    for (int r = 1; r <= list.lastRow(); ++r) {
        if (SqlNames::plain(list.text(r, 1)) != wanted)
            continue;
        QStringList fields;
        for (int c = 2; c <= list.lastColumn(); ++c)
            if (const QString f = list.text(r, c); !f.isEmpty())
                fields << f;
        return fields;
    }
    return {};
}
