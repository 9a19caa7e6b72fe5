#include "platform/postgres/PgStatement.h"

#include "platform/postgres/PgTypeMap.h"

PgStatement::PgStatement(std::weak_ptr<PGconn> connection, QByteArray name, int parameterCount)
    : connection_(std::move(connection))
    , name_(std::move(name))
    , parameters_(parameterCount) {}

PgStatement::~PgStatement() {
    if (const auto c = connection_.lock(); c && PQstatus(c.get()) == CONNECTION_OK)
        PgResultHandle(PQexec(c.get(), ("DEALLOCATE " + name_).constData()));
}

PgStatement::Parameters::Parameters(const std::vector<CellValue>& values) {
    texts.reserve(values.size());
    for (const CellValue& v : values)
        texts.push_back(PgTypeMap::parameterText(v));
    for (const auto& t : texts)
        pointers.push_back(t ? t->constData() : nullptr);
}

PgResultHandle PgStatement::run(PGconn* connection, const QByteArray* preparedName,
                                const QByteArray& sql, const std::vector<CellValue>& values,
                                QString& error) {
    error.clear();
    const Parameters parameters(values);
    const char* const* pointers = parameters.pointers.data();
    const int n = int(values.size());
    PgResultHandle result(preparedName ? PQexecPrepared(connection, preparedName->constData(), n,
                                                        pointers, nullptr, nullptr, 0)
                                       : PQexecParams(connection, sql.constData(), n, nullptr,
                                                      pointers, nullptr, nullptr, 0));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* message = result ? PQresultErrorMessage(result.get()) : "";
        error = QString::fromUtf8(*message ? message : PQerrorMessage(connection)).trimmed();
        if (error.isEmpty())
            error = QStringLiteral("The statement failed");
        return nullptr;
    }
    return result;
}

RowSet PgStatement::rows(const PGresult* result) {
    QStringList names;
    const int columns = PQnfields(result);
    for (int c = 0; c < columns; ++c)
        names << QString::fromUtf8(PQfname(result, c));
    RowSet set(names);
    for (int r = 0; r < PQntuples(result); ++r) {
        RowSet::Row row;
        row.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(PgTypeMap::read(result, r, c));
        set.appendRow(std::move(row));
    }
    return set;
}

qint64 PgStatement::affected(const PGresult* result) {
    return QByteArray(PQcmdTuples(const_cast<PGresult*>(result))).toLongLong();
}

std::optional<qint64> PgStatement::checkCall(const std::vector<CellValue>& values,
                                             PgResultHandle& result) {
    const auto c = connection_.lock();
    if (!c) {
        error_ = QStringLiteral("The database is not open");
        return std::nullopt;
    }
    if (int(values.size()) != parameters_) {
        error_ = QStringLiteral("The statement takes %1 values, %2 were given")
                     .arg(parameters_)
                     .arg(values.size());
        return std::nullopt;
    }
    result = run(c.get(), &name_, {}, values, error_);
    if (!result)
        return std::nullopt;
    return affected(result.get());
}

std::optional<qint64> PgStatement::execute(const std::vector<CellValue>& values) {
    PgResultHandle result;
    return checkCall(values, result);
}

std::optional<RowSet> PgStatement::query(const std::vector<CellValue>& values) {
    PgResultHandle result;
    if (!checkCall(values, result))
        return std::nullopt;
    return rows(result.get());
}
