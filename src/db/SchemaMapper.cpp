#include "db/SchemaMapper.h"

#include "db/LinkBuilder.h"
#include "db/MapFile.h"
#include "platform/Connection.h"
#include "platform/Status.h"

#include <QHash>

bool SchemaMapper::aborted() {
    if (!status_.abortRequested())
        return false;
    status_.showStatus(QString(), 1);
    return true;
}

SchemaMapper::Outcome SchemaMapper::MapDatabase(SchemaCatalogue& c, const QString& path,
                                                const QString& mapFilePath,
                                                const Options& options) {
    c.clearTablesAndKeys();
    bool save = options.saveMapFile;
    bool fromFile = false;
    bool buildLinks = options.buildLinks;
    if (options.loadMapFile) {
        fromFile = MapFile::load(c, mapFilePath);
        if (fromFile) {
            RefreshFilterList(c);
            // A map saved without its links (an older start-up wrote such maps) would leave
            // every join unresolved: the links are made from its key list and kept.
            if (c.tableFields.lastRow() > 0 && c.links.text(1, 1).isEmpty()) {
                buildLinks = true;
                save = true;
            }
        } else {
            // A map that cannot be read is made anew, whole, since it is saved for later opens.
            save = true;
            buildLinks = true;
        }
    }
    if (!fromFile) {
        status_.resetAbort();
        if (!mapTables(c, path) || !mapIndexes(c, path))
            return Outcome::Aborted;
    }
    if (buildLinks) {
        status_.showStatus(QStringLiteral("Mapping ") + path + QStringLiteral(" links..."), 1);
        LinkBuilder::BuildLinks(c);
        if (aborted())
            return Outcome::Aborted;
    }
    // A map that named linked tables would offer them on later opens, where they are gone.
    if (save && !linkedTables_)
        MapFile::save(c, mapFilePath);
    status_.showStatus(path + QStringLiteral(" mapped..."), 1);
    return Outcome::Mapped;
}

bool SchemaMapper::mapTables(SchemaCatalogue& c, const QString& path) {
    const auto tables = db_.tables();
    status_.showStatus(QStringLiteral("Mapping ") + path + QStringLiteral(" tables and fields..."),
                       1);
    // The column descriptions are read once and grouped, not queried table by table.
    const auto columns = db_.columns();
    QHash<QString, std::vector<const ColumnDescription*>> byTable;
    if (columns)
        for (const ColumnDescription& col : *columns)
            byTable[col.table].push_back(&col);

    c.filters.clear();
    if (!tables)
        return true; // nothing readable: an empty catalogue
    int row = 0;
    for (const TableDescription& t : *tables) {
        // A table with a SELECT text is linked from another database (TableLinker).
        linkedTables_ =
            linkedTables_ || (t.kind == TableDescription::Kind::Table && !t.viewText.isEmpty());
        if (t.kind == TableDescription::Kind::Table) {
            ++row;
            c.tableFields.setText(row, 1, t.name);
            if (columns) {
                for (const ColumnDescription* col : byTable.value(t.name))
                    c.tableFields.setText(row, col->ordinal + 1, col->name);
            } else {
                int column = 2;
                for (const QString& field : fieldsByOpening(t.name))
                    c.tableFields.setText(row, column++, field);
            }
        } else if (t.kind == TableDescription::Kind::View && isFilterName(t.name)) {
            c.filters << t.name.mid(2);
        }
        if (aborted())
            return false;
    }
    return true;
}

QStringList SchemaMapper::fieldsByOpening(const QString& table) {
    return db_.columnNamesOf(table).value_or(QStringList());
}

bool SchemaMapper::mapIndexes(SchemaCatalogue& c, const QString& path) {
    status_.showStatus(QStringLiteral("Mapping ") + path + QStringLiteral(" indexes..."), 1);
    const auto indexes = db_.indexes();
    if (!indexes)
        return true;
    for (const IndexDescription& index : *indexes) {
        if (index.table.startsWith(QStringLiteral("MSys")))
            continue;
        for (const QString& column : index.columns) {
            int row = c.indexList.findInColumn(1, index.table, true);
            if (!row) {
                row = c.indexList.lastRow() + 1;
                c.indexList.setText(row, 1, index.table);
                c.keyList.setText(row, 1, index.table);
            }
            int col = 2;
            bool present = false;
            for (; !c.indexList.text(row, col).isEmpty(); ++col)
                present = present || c.indexList.text(row, col) == column;
            if (present)
                continue;
            c.indexList.setText(row, col, column);
            c.keyList.setText(row, col, column);
        }
    }
    return true;
}

bool SchemaMapper::RefreshFilterList(SchemaCatalogue& c) {
    c.filters.clear();
    const auto tables = db_.tables();
    if (!tables)
        return false;
    for (const TableDescription& t : *tables)
        if (t.kind == TableDescription::Kind::View && isFilterName(t.name))
            c.filters << t.name.mid(2);
    return true;
}
