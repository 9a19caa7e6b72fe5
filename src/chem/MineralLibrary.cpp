#include "chem/MineralLibrary.h"

#include "db/ConnectionFactory.h"
#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TransactionScope.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

QString MineralLibrary::defaultPath(const QString& userFolder) {
    return QDir(userFolder).filePath(QStringLiteral("MineralLibrary.sqlite"));
}

namespace {
// The shipped list's lines (name, formula, group) into a new table "Minerals".
QString writeMinerals(Connection& db, const QString& list) {
    TransactionScope transaction(db);
    if (!transaction.began() ||
        !db.execute(QStringLiteral("CREATE TABLE [Minerals] ([Mineral] TEXT PRIMARY KEY, "
                                   "[Formula] TEXT NOT NULL, [Group] TEXT)")))
        return db.lastError();
    bool header = true;
    for (const QString& line : list.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = trimmed.split(QLatin1Char('\t'));
        if (std::exchange(header, false) || cells.size() < 3)
            continue;
        if (!db.execute(
                QStringLiteral("INSERT INTO [Minerals] ([Mineral], [Formula], [Group]) "
                               "VALUES (?, ?, ?)"),
                {CellValue::text(cells[0]), CellValue::text(cells[1]), CellValue::text(cells[2])}))
            return db.lastError();
    }
    return transaction.commit() ? QString() : db.lastError();
}
} // namespace

bool MineralLibrary::ensureDefault(const QString& path, QString* error) {
    if (QFileInfo::exists(path))
        return true;
    QFile source(QStringLiteral(":/chem/minerals.tsv"));
    QString why;
    if (!source.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("The shipped mineral list cannot be read");
    } else {
        QDir().mkpath(QFileInfo(path).absolutePath());
        OpenedConnection opened =
            SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
        why = opened.ok() ? writeMinerals(*opened.connection, QString::fromUtf8(source.readAll()))
                          : opened.error;
    }
    if (why.isEmpty())
        return true;
    // A half-written library would hide the shipped one on the next start.
    QFile::remove(path);
    if (error)
        *error = why;
    return false;
}

MineralLibrary::MineralLibrary(std::unique_ptr<Connection> connection, QString table)
    : connection_(std::move(connection))
    , table_(std::move(table)) {}
MineralLibrary::MineralLibrary(MineralLibrary&&) noexcept = default;
MineralLibrary& MineralLibrary::operator=(MineralLibrary&&) noexcept = default;
MineralLibrary::~MineralLibrary() = default;

std::optional<MineralLibrary> MineralLibrary::open(const QString& database, const QString& table,
                                                   QString* error) {
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!QFileInfo::exists(database))
        return fail(QStringLiteral("Mineral library not found: ") + database);
    OpenedConnection opened = ConnectionFactory::open(database);
    if (!opened.ok())
        return fail(opened.error);
    MineralLibrary library(std::move(opened.connection), table);
    const auto rows =
        library.connection_->query(QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(table));
    if (!rows)
        return fail(library.connection_->lastError());
    const int column = rows->columnIndex(QStringLiteral("Mineral"));
    if (column < 0)
        return fail(QStringLiteral("The table ") + table +
                    QStringLiteral(" has no field \"Mineral\""));
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        if (const QString name = rows->at(r, column).toText(); !name.isEmpty())
            library.minerals_ << name;
    return library;
}

std::optional<QString> MineralLibrary::formulaOf(const QString& mineral) const {
    const auto rows =
        connection_->query(QStringLiteral("SELECT [Formula] FROM ") + JetSqlQuoting::name(table_) +
                               QStringLiteral(" WHERE [Mineral] = ?"),
                           {CellValue::text(mineral)});
    if (!rows || rows->isEmpty() || rows->at(0, 0).isMissing())
        return std::nullopt;
    return rows->at(0, 0).toText();
}
