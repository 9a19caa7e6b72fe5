#include "platform/legacy/JetImporter.h"

#include "platform/SqlDialectTranslator.h"
#include "platform/Workbook.h"
#include "platform/legacy/ImportedTable.h"
#include "platform/legacy/JetQueryReader.h"
#include "platform/legacy/JetTableReader.h"
#include "platform/legacy/MdbHandles.h"
#include "platform/legacy/WorkingCopyFile.h"
#include "platform/legacy/WorkingCopyPlace.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <map>

namespace {

QString q(const QString& name) {
    return SqlDialectTranslator::quoteName(name);
}
QString q(const char* name) {
    return q(QString::fromUtf8(name));
}

// Declared types as the Jet DDL translation writes them, so that a copy reads like a database
// the program made itself.
QString sqliteType(const MdbColumn* c) {
    switch (c->col_type) {
    case MDB_BOOL:
        return QStringLiteral("BOOLEAN");
    case MDB_BYTE:
        return QStringLiteral("TINYINT");
    case MDB_INT:
        return QStringLiteral("SMALLINT");
    case MDB_LONGINT:
        return QStringLiteral("INTEGER");
    case MDB_MONEY:
        return QStringLiteral("CURRENCY");
    case MDB_FLOAT:
        return QStringLiteral("FLOAT");
    case MDB_DOUBLE:
        return QStringLiteral("DOUBLE");
    case MDB_DATETIME:
        return QStringLiteral("DATETIME");
    case MDB_TEXT:
        // Jet 4 stores two bytes per character.
        return QStringLiteral("VARCHAR(%1)").arg(qMax(1, c->col_size / 2));
    case MDB_MEMO:
        return QStringLiteral("TEXT");
    case MDB_REPID:
        return QStringLiteral("VARCHAR(38)");
    case MDB_NUMERIC:
        return QStringLiteral("NUMERIC");
    default:
        return QStringLiteral("BLOB");
    }
}

bool isUserTable(const MdbCatalogEntry* e) {
    constexpr int hidden = 0x8;
    const QString name = QString::fromUtf8(e->object_name);
    return e->object_type == MDB_TABLE && !mdb_is_system_table(const_cast<MdbCatalogEntry*>(e)) &&
           !(e->flags & hidden) && !name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive);
}

struct Relationship {
    QString name, table, referencedTable;
    std::map<int, std::pair<QString, QString>> columns; // by position
};

std::vector<Relationship> readRelationships(MdbHandle* mdb, QStringList& warnings) {
    std::vector<Relationship> result;
    MdbTableHandle table(
        mdb_read_table_by_name(mdb, const_cast<gchar*>("MSysRelationships"), MDB_TABLE));
    if (!table)
        return result;
    mdb_read_columns(table.get());
    JetTableReader reader(table.get());
    std::map<QString, int> at;
    for (size_t i = 0; i < reader.columns().size(); ++i)
        at[QString::fromUtf8(reader.columns()[i]->name).toLower()] = int(i);
    for (const char* needed : {"szrelationship", "szobject", "szcolumn", "szreferencedobject",
                               "szreferencedcolumn", "icolumn"})
        if (!at.count(QLatin1String(needed))) {
            warnings << QStringLiteral(
                "MSysRelationships could not be read; relationships were not imported");
            return result;
        }
    std::map<QString, Relationship> byName;
    reader.forEachRow([&](const std::vector<CellValue>& row) {
        auto cell = [&](const char* c) { return row[size_t(at[QLatin1String(c)])]; };
        Relationship& r = byName[cell("szrelationship").toText()];
        r.name = cell("szrelationship").toText();
        r.table = cell("szobject").toText();
        r.referencedTable = cell("szreferencedobject").toText();
        r.columns[int(cell("icolumn").toNumber().value_or(0))] = {
            cell("szcolumn").toText(), cell("szreferencedcolumn").toText()};
        return true;
    });
    for (auto& [name, r] : byName)
        result.push_back(r);
    return result;
}

QString uniqueName(const QString& wanted, QSet<QString>& used) {
    QString name = wanted;
    for (int i = 2; used.contains(name.toLower()); ++i)
        name = wanted + QLatin1Char('_') + QString::number(i);
    used.insert(name.toLower());
    return name;
}

// Stored SELECT queries (filters among them) become views; their Jet text is translated like
// any statement. A view may use another, so failures are retried while any view gets created.
void importQueries(const QString& mdbPath, SqliteConnection& db, QStringList& warnings) {
    QString error;
    const auto queries = JetQueryReader::read(mdbPath, error);
    if (!queries) {
        warnings << QStringLiteral("Stored queries were not imported: ") + error;
        return;
    }
    std::vector<JetQueryReader::Query> pending;
    for (const auto& query : *queries) {
        if (query.second.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
            pending.push_back(query);
        else
            warnings << QStringLiteral("Query ") + query.first +
                            QStringLiteral(" changes data and was not imported");
    }
    std::vector<QString> errors(pending.size());
    for (bool progress = true; progress && !pending.empty();) {
        progress = false;
        std::vector<JetQueryReader::Query> failed;
        errors.clear();
        for (const auto& [name, jet] : pending) {
            const auto t = SqlDialectTranslator::translate(jet, SqlDialect::Sqlite);
            if (t.ok() && db.executeNative(QStringLiteral("CREATE VIEW ") + q(name) +
                                           QStringLiteral(" AS ") + t.sql)) {
                progress = true;
                continue;
            }
            failed.emplace_back(name, jet);
            errors.push_back(t.ok() ? db.lastError() : t.error);
        }
        pending.swap(failed);
    }
    for (size_t i = 0; i < pending.size(); ++i)
        warnings << QStringLiteral("Query ") + pending[i].first +
                        QStringLiteral(" was not imported: ") + errors[i];
}

// Copies the tables with their data, keys, indexes and relationships into the part (which stays
// closed afterwards): the work of libmdb, which may crash or loop on a damaged file, so it runs
// in a child process. The part is left committed but not published.
ImportResult copyTables(const QString& mdbPath, const WorkingCopyFile& part) {
    ImportResult r;
    MdbFileHandle mdb(mdb_open(mdbPath.toLocal8Bit().constData(), MDB_NOFLAGS));
    if (!mdb) {
        r.error = QStringLiteral("The file ") + mdbPath +
                  QStringLiteral(" is not a readable Jet database");
        return r;
    }
    if (!mdb_read_catalog(mdb.get(), MDB_ANY)) {
        r.error = QStringLiteral("The catalogue of ") + mdbPath + QStringLiteral(" cannot be read");
        return r;
    }
    const std::vector<Relationship> relationships = readRelationships(mdb.get(), r.warnings);

    auto opened = part.openForImport();
    if (!opened.ok()) {
        r.error = opened.error;
        return r;
    }
    auto& db = static_cast<SqliteConnection&>(*opened.connection);
    auto fail = [&](const QString& what) {
        r.error = what + QStringLiteral(": ") + db.lastError();
        return r;
    };
    QSet<QString> indexNames;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (!isUserTable(entry))
            continue;
        const QString name = QString::fromUtf8(entry->object_name);
        MdbTableHandle table(mdb_read_table(entry));
        if (!table) {
            r.warnings << QStringLiteral("Table ") + name +
                              QStringLiteral(" cannot be read and was skipped");
            continue;
        }
        mdb_read_columns(table.get());
        mdb_read_indices(table.get());
        JetTableReader reader(table.get());
        if (reader.columns().empty())
            continue;
        QStringList defs, names;
        for (const MdbColumn* c : reader.columns()) {
            defs << q(c->name) + QLatin1Char(' ') + sqliteType(c);
            names << q(c->name);
        }
        QStringList indexStatements;
        for (unsigned k = 0; k < table->num_idxs; ++k) {
            auto* idx = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, k));
            if (idx->index_type == 2) // the far side of a relationship, not an index of its own
                continue;
            QStringList cols;
            for (unsigned j = 0; j < idx->num_keys && j < MDB_MAX_IDX_COLS; ++j) {
                const int n = idx->key_col_num[j] - 1;
                if (n >= 0 && n < int(table->num_cols))
                    cols << q(static_cast<MdbColumn*>(g_ptr_array_index(table->columns, n))->name);
            }
            if (cols.isEmpty())
                continue;
            if (idx->index_type == 1)
                defs << QStringLiteral("PRIMARY KEY (") + cols.join(QStringLiteral(", ")) +
                            QLatin1Char(')');
            else
                indexStatements
                    << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                           .arg(idx->flags & MDB_IDX_UNIQUE ? QStringLiteral("UNIQUE ") : QString(),
                                q(uniqueName(name + QLatin1Char('_') + QString::fromUtf8(idx->name),
                                             indexNames)),
                                q(name), cols.join(QStringLiteral(", ")));
        }
        for (const Relationship& rel : relationships) {
            if (rel.table != name)
                continue;
            QStringList from, to;
            for (const auto& [pos, pair] : rel.columns) {
                from << q(pair.first);
                to << q(pair.second);
            }
            defs << QStringLiteral("FOREIGN KEY (%1) REFERENCES %2 (%3)")
                        .arg(from.join(QStringLiteral(", ")), q(rel.referencedTable),
                             to.join(QStringLiteral(", ")));
        }
        r.error = ImportedTable::write(db, name, defs, names,
                                       [&](const auto& sink) { reader.forEachRow(sink); });
        r.warnings << reader.warnings();
        if (!r.error.isEmpty())
            return r;
        for (const QString& s : indexStatements)
            if (!db.executeNative(s))
                // Jet allows what SQLite refuses (a unique index over duplicate Nulls is fine
                // in both, but damaged files hold duplicates): keep the data, report the index.
                r.warnings << QStringLiteral("Index not created on ") + name +
                                  QStringLiteral(": ") + db.lastError();
    }
    if (!db.commit())
        return fail(QStringLiteral("Cannot write ") + part.path());
    return r;
}

// What the child hands over: a one-page workbook, the error in A1 and a warning in each row
// below (the workbook text carries any text unchanged).
QByteArray handOver(const ImportResult& r) {
    Workbook book;
    Sheet& page = book.sheet(QStringLiteral("import"));
    page.setText(1, 1, r.error);
    for (int i = 0; i < r.warnings.size() && i + 2 <= Sheet::maxRows; ++i)
        page.setText(i + 2, 1, r.warnings[i]);
    return book.toUtf8();
}

bool takeOver(const QByteArray& bytes, ImportResult& r) {
    const Workbook::LoadResult loaded = Workbook::parseUtf8(bytes);
    const Sheet* page = loaded.ok() ? loaded.workbook->sheetAt(1) : nullptr;
    if (!page)
        return false;
    r.error = page->text(1, 1);
    for (int row = 2; row <= page->lastRow(); ++row)
        r.warnings << page->text(row, 1);
    return true;
}

} // namespace

QString JetImporter::workingCopyBeside(const QString& mdbPath) {
    const QFileInfo source(
        QDir::fromNativeSeparators(QString(mdbPath).replace(QLatin1Char('\\'), QLatin1Char('/'))));
    return WorkingCopyPlace::beside(source, source.completeBaseName(),
                                    QStringLiteral(".jet.sqlite"));
}

JetImporter::Result JetImporter::ensureWorkingCopy(const QString& mdbPath,
                                                   const StaleCopyQuestion& ask) {
    const QString path = QString(mdbPath).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo source(path);
    if (!source.isFile()) {
        Result r;
        r.error = QStringLiteral("The file ") + path + QStringLiteral(" does not exist");
        return r;
    }
    const QString copy = WorkingCopyPlace::choose(
        source, source.completeBaseName(), QStringLiteral(".jet.sqlite"), QStringLiteral("jet"));
    if (!QFileInfo::exists(copy))
        return import(path, copy);
    if (!WorkingCopyPlace::isCurrent(copy, {source})) {
        const QString backup = WorkingCopyPlace::backupFor(copy);
        if (ask.reimport(backup))
            return import(path, copy, backup);
    }
    Result r;
    r.workingCopy = copy;
    r.reused = true;
    return r;
}

JetImporter::Result JetImporter::import(const QString& mdbPath, const QString& target,
                                        const QString& backup,
                                        std::optional<IsolatedRun::Seconds> limit) {
    Result r;
    r.workingCopy = target;
    WorkingCopyFile part(target); // nothing is left behind when the import fails
    const IsolatedRun isolated(limit.value_or(IsolatedRun::limitFor(QFileInfo(mdbPath).size())));
    const IsolatedRun::Outcome outcome =
        isolated.run([&] { return handOver(copyTables(mdbPath, part)); });
    if (!outcome.ok()) {
        r.error = isolated.errorText(outcome, QStringLiteral("Jet reader"), mdbPath);
        return r;
    }
    if (!takeOver(*outcome.output, r)) {
        r.error = QStringLiteral("The Jet reader handed over no result for ") + mdbPath;
        return r;
    }
    return r.ok() ? finish(mdbPath, part, backup, r) : r;
}

JetImporter::Result JetImporter::importInProcess(const QString& mdbPath, const QString& target) {
    WorkingCopyFile part(target);
    Result r = copyTables(mdbPath, part);
    r.workingCopy = target;
    return r.ok() ? finish(mdbPath, part, {}, r) : r;
}

JetImporter::Result JetImporter::finish(const QString& mdbPath, WorkingCopyFile& part,
                                        const QString& backup, Result r) {
    const QString target = r.workingCopy;
    {
        // Stored queries come from mdbtools' own program, a process of its own already.
        auto opened = part.openForImport();
        if (!opened.ok()) {
            r.error = opened.error;
            return r;
        }
        auto& db = static_cast<SqliteConnection&>(*opened.connection);
        importQueries(mdbPath, db, r.warnings);
        if (!db.commit()) {
            r.error = QStringLiteral("Cannot write ") + part.path() + QStringLiteral(": ") +
                      db.lastError();
            return r;
        }
    }
    const bool replacing = QFileInfo::exists(target);
    const QString kept = backup.isEmpty() ? WorkingCopyPlace::backupFor(target) : backup;
    r.error = part.publish(kept);
    if (r.ok() && replacing)
        r.backup = kept;
    return r;
}
