#include "platform/legacy/DbaseImporter.h"

#include "platform/SqlDialectTranslator.h"
#include "platform/legacy/DbfTableReader.h"
#include "platform/legacy/ImportedTable.h"
#include "platform/legacy/WorkingCopyFile.h"
#include "platform/legacy/WorkingCopyPlace.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSet>
#include <QtEndian>

namespace {

QString q(const QString& name) {
    return SqlDialectTranslator::quoteName(name);
}

// Declared types as the Jet DDL translation writes them. Whole numbers of up to 9 digits fit a
// LONG; wider ones up to 15 digits are still exact in a double; beyond that they are doubles.
QString sqliteType(const DbfTableReader::Field& f) {
    switch (f.type) {
    case 'C':
        return QStringLiteral("VARCHAR(%1)").arg(f.width);
    case 'N':
        if (f.decimals == 0 && f.width <= 9)
            return QStringLiteral("INTEGER");
        if (f.decimals == 0 && f.width <= 15)
            return QStringLiteral("BIGINT");
        return QStringLiteral("DOUBLE");
    case 'F':
        return QStringLiteral("DOUBLE");
    case 'L':
        return QStringLiteral("BOOLEAN");
    case 'D':
        return QStringLiteral("DATE");
    default: // memo and unread types: texts that are all Null
        return QStringLiteral("TEXT");
    }
}

QString uniqueName(const QString& wanted, QSet<QString>& used) {
    QString name = wanted;
    for (int i = 2; used.contains(name.toLower()); ++i)
        name = wanted + QLatin1Char('_') + QString::number(i);
    used.insert(name.toLower());
    return name;
}

QString folderPath(const QString& folder) {
    return QDir::cleanPath(QString(folder).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

QString copyBase(const QFileInfo& folder) {
    const QString name = folder.fileName();
    return name.isEmpty() ? QStringLiteral("dbase") : name;
}

const QString suffix = QStringLiteral(".dbase.sqlite");

QString noTables(const QString& folder) {
    return QStringLiteral("The folder ") + folder + QStringLiteral(" holds no dBase files (.dbf)");
}

// Names the set of table files a copy was made from, kept in the copy's user_version: a table
// file added with an old time (copied with its times kept) or one removed also make the copy stale.
qint64 sourceKey(const QFileInfoList& tables) {
    QStringList names;
    for (const QFileInfo& f : tables)
        names << f.fileName();
    const QByteArray hash =
        QCryptographicHash::hash(names.join(QLatin1Char('/')).toUtf8(), QCryptographicHash::Sha1);
    return qint64(qFromBigEndian<quint32>(hash.constData()) & 0x7fffffff);
}

bool madeFrom(const QString& copy, const QFileInfoList& tables) {
    auto opened = SqliteConnection::open(copy, SqliteConnection::Mode::ReadOnly);
    if (!opened.ok())
        return false;
    auto& db = static_cast<SqliteConnection&>(*opened.connection);
    const auto key = db.queryNative(QStringLiteral("PRAGMA user_version"));
    return key && key->rowCount() == 1 && key->at(0, 0) == CellValue::number(sourceKey(tables));
}

// The .dbf files of `folder`, by name.
QFileInfoList tableFiles(const QString& folder) {
    QFileInfoList files;
    for (const QFileInfo& f : QDir(folderPath(folder)).entryInfoList(QDir::Files, QDir::Name))
        if (f.suffix().compare(QLatin1String("dbf"), Qt::CaseInsensitive) == 0)
            files << f;
    return files;
}

} // namespace

DbaseImporter::Result DbaseImporter::ensureWorkingCopy(const QString& folder,
                                                       const StaleCopyQuestion& ask) {
    const QString path = folderPath(folder);
    const QFileInfo source(path);
    Result r;
    if (folder.isEmpty() || !source.isDir()) {
        r.error = QStringLiteral("The folder ") + path + QStringLiteral(" does not exist");
        return r;
    }
    const QFileInfoList tables = tableFiles(path);
    if (tables.isEmpty()) {
        r.error = noTables(path);
        return r;
    }
    const QString copy =
        WorkingCopyPlace::choose(source, copyBase(source), suffix, QStringLiteral("dbase"));
    QFileInfoList sources = tables;
    for (const QFileInfo& f : QDir(path).entryInfoList(QDir::Files))
        if (f.suffix().compare(QLatin1String("cpg"), Qt::CaseInsensitive) == 0)
            sources << f;
    const bool current = WorkingCopyPlace::isCurrent(copy, sources) && madeFrom(copy, tables);
    if (!current && QFileInfo::exists(copy)) {
        const QString backup = WorkingCopyPlace::backupFor(copy);
        if (ask.reimport(backup))
            return import(path, copy, backup);
    } else if (!current) {
        return import(path, copy);
    }
    r.workingCopy = copy;
    r.reused = true;
    return r;
}

DbaseImporter::Result DbaseImporter::import(const QString& folder, const QString& target,
                                            const QString& backup) {
    Result r;
    r.workingCopy = target;
    const QFileInfoList tables = tableFiles(folder);
    if (tables.isEmpty()) {
        r.error = noTables(folderPath(folder));
        return r;
    }
    WorkingCopyFile part(target); // nothing is left behind when the import fails
    {
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
        QSet<QString> tableNames;
        for (const QFileInfo& file : tables) {
            DbfTableReader reader(file.filePath());
            if (!reader.ok()) {
                r.error = reader.error();
                return r;
            }
            if (reader.fields().empty()) {
                r.warnings << QStringLiteral("The file ") + file.fileName() +
                                  QStringLiteral(" has no fields and was skipped");
                continue;
            }
            const QString name = uniqueName(file.completeBaseName(), tableNames);
            QSet<QString> columnNames;
            QStringList defs, names;
            for (const auto& f : reader.fields()) {
                const QString column = uniqueName(
                    f.name.isEmpty() ? QStringLiteral("Field%1").arg(names.size() + 1) : f.name,
                    columnNames);
                defs << q(column) + QLatin1Char(' ') + sqliteType(f);
                names << q(column);
            }
            r.error = ImportedTable::write(db, name, defs, names,
                                           [&](const auto& sink) { reader.forEachRow(sink); });
            if (!reader.ok())
                r.error = reader.error();
            if (!r.error.isEmpty())
                return r;
            r.warnings << reader.warnings();
        }
        if (!db.executeNative(QStringLiteral("PRAGMA user_version = %1").arg(sourceKey(tables))) ||
            !db.commit())
            return fail(QStringLiteral("Cannot write ") + part.path());
    }
    const bool replacing = QFileInfo::exists(target);
    const QString kept = backup.isEmpty() ? WorkingCopyPlace::backupFor(target) : backup;
    r.error = part.publish(kept);
    if (r.ok() && replacing)
        r.backup = kept;
    return r;
}
