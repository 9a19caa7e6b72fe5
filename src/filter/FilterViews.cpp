#include "filter/FilterViews.h"

#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TransactionScope.h"

QString FilterViews::createStatement(const QString& view, const QString& select) {
    return QStringLiteral("CREATE VIEW ") + JetSqlQuoting::name(view) + QStringLiteral(" AS ") +
           select;
}

bool FilterViews::run(const QString& statement) {
    if (db_.execute(statement))
        return true;
    error_ = db_.lastError();
    return false;
}

std::optional<qint64> FilterViews::inTransaction(const QString& view,
                                                 const std::function<bool()>& make) {
    error_.clear();
    TransactionScope transaction(db_);
    if (!transaction.began()) {
        error_ = db_.lastError();
        return std::nullopt;
    }
    if (!make())
        return std::nullopt;
    const auto rows = count(view);
    if (!rows)
        return std::nullopt;
    if (!transaction.commit()) {
        error_ = db_.lastError();
        return std::nullopt;
    }
    return rows;
}

std::optional<qint64> FilterViews::create(const QString& view, const QString& select) {
    return inTransaction(view, [&] { return run(createStatement(view, select)); });
}

std::optional<qint64> FilterViews::replace(const QString& view, const QString& select) {
    const bool existed = exists(view);
    return inTransaction(view, [&] {
        return (!existed || run(QStringLiteral("DROP VIEW ") + JetSqlQuoting::name(view))) &&
               run(createStatement(view, select));
    });
}

bool FilterViews::rename(const QString& oldView, const QString& newView) {
    const auto definition = queryDefinition(oldView);
    if (!definition) {
        error_ = QStringLiteral("No filter view named ") + oldView;
        return false;
    }
    return inTransaction(newView,
                         [&] {
                             return run(createStatement(newView, *definition)) &&
                                    run(QStringLiteral("DROP VIEW ") +
                                        JetSqlQuoting::name(oldView));
                         })
        .has_value();
}

bool FilterViews::drop(const QString& view) {
    error_.clear();
    return run(QStringLiteral("DROP VIEW ") + JetSqlQuoting::name(view));
}

bool FilterViews::exists(const QString& view) const {
    const auto tables = db_.tables();
    if (tables)
        for (const TableDescription& t : *tables)
            if (t.kind == TableDescription::Kind::View && t.name == view)
                return true;
    return false;
}

std::optional<qint64> FilterViews::count(const QString& view) const {
    const auto rows =
        db_.query(QStringLiteral("SELECT COUNT(*) FROM ") + JetSqlQuoting::name(view));
    if (!rows || rows->rowCount() != 1) {
        error_ = db_.lastError();
        return std::nullopt;
    }
    return qint64(rows->at(0, 0).toNumber().value_or(0));
}

std::optional<QString> FilterViews::queryDefinition(const QString& view) const {
    const auto tables = db_.tables();
    if (!tables) {
        error_ = db_.lastError();
        return std::nullopt;
    }
    for (const TableDescription& t : *tables)
        if (t.kind == TableDescription::Kind::View && t.name == view)
            return t.viewText;
    return std::nullopt;
}
