#include "diagram/objects/ObjectLibrary.h"

#include "db/SystemSchema.h"
#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "platform/NumberText.h"
#include "platform/TransactionScope.h"

namespace {

QString q(const QString& name) {
    return JetSqlQuoting::name(name);
}

// "([column] = ?)", or with a wildcard "([column] LIKE ?)" and the pattern in SQL's wildcards.
QString condition(const LibraryCondition& c, std::vector<CellValue>& values) {
    const bool pattern = c.value.contains(u'*') || c.value.contains(u'?');
    QString v = c.value;
    if (pattern)
        v.replace(u'*', u'%').replace(u'?', u'_');
    values.push_back(CellValue::text(v));
    return QStringLiteral("(") + q(c.column) +
           (pattern ? QStringLiteral(" LIKE ?)") : QStringLiteral(" = ?)"));
}

// A value for a column of the schema's type: numbers for number columns (Null for a text that
// is no number), texts as they are.
CellValue typed(const CellValue& v, SystemTableSchema::Column::Type type) {
    using Type = SystemTableSchema::Column::Type;
    if (v.isMissing() || (type != Type::Integer && type != Type::Number))
        return v.isEmpty() ? CellValue::null() : v;
    if (const auto n = v.toNumber())
        return CellValue::number(*n);
    if (const auto n = NumberText::fromText(v.toText().trimmed()))
        return CellValue::number(*n);
    return CellValue::null();
}

std::optional<SystemTableSchema::Column::Type> typeOf(const SystemTables& names,
                                                      const QString& table, const QString& column) {
    for (const SystemTableSchema& t : SystemSchema::tables(names))
        if (t.name.compare(table, Qt::CaseInsensitive) == 0)
            for (const auto& c : t.columns)
                if (c.name.compare(column, Qt::CaseInsensitive) == 0)
                    return c.type;
    return std::nullopt;
}

// A transaction of the library's own, or none while the caller holds one.
class WriteScope {
public:
    WriteScope(Connection& c, bool own) {
        if (own)
            scope_.emplace(c);
    }
    bool began() const { return !scope_ || scope_->began(); }
    bool commit() { return !scope_ || scope_->commit(); }

private:
    std::optional<TransactionScope> scope_;
};

LibraryRecord recordOf(const RowSet& rows, qsizetype r) {
    LibraryRecord record;
    for (int c = 0; c < rows.columnCount(); ++c)
        record.set(rows.columnNames()[c], rows.at(r, c));
    return record;
}

} // namespace

ObjectLibrary::ObjectLibrary(Connection& system, const SystemTables& names,
                             Transactions transactions)
    : system_(system)
    , names_(names)
    , ownTransactions_(transactions == Transactions::Own) {}

bool ObjectLibrary::fail() {
    error_ = system_.lastError();
    return false;
}

bool ObjectLibrary::run(const QString& sql, const std::vector<CellValue>& values) {
    return system_.execute(sql, values).has_value() || fail();
}

std::optional<RowSet> ObjectLibrary::list(LibraryKind kind, const LibraryListing& listing) {
    std::vector<CellValue> values;
    QStringList where;
    if (!listing.chartType.isEmpty()) {
        where << QStringLiteral("([Source] = ?)");
        values.push_back(CellValue::text(listing.chartType));
    }
    QStringList user;
    for (const LibraryCondition* c : {&listing.first, &listing.second})
        if (!c->column.trimmed().isEmpty())
            user << condition(*c, values);
    if (!user.isEmpty())
        where << QStringLiteral("(") +
                     user.join(listing.orJoined ? QStringLiteral(" OR ")
                                                : QStringLiteral(" AND ")) +
                     QStringLiteral(")");
    if (!listing.filter.column.trimmed().isEmpty())
        where << condition(listing.filter, values);
    QString sql = QStringLiteral("SELECT * FROM ") + q(LibraryKinds::table(kind, names_));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") +
           q(listing.sortColumn.isEmpty() ? LibraryKinds::keyColumn(kind) : listing.sortColumn) +
           (listing.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    auto rows = system_.query(sql, values);
    if (!rows)
        fail();
    return rows;
}

std::optional<LibraryRecord> ObjectLibrary::record(LibraryKind kind, int key) {
    const auto rows = system_.query(
        QStringLiteral("SELECT * FROM ") + q(LibraryKinds::table(kind, names_)) +
            QStringLiteral(" WHERE ") + q(LibraryKinds::keyColumn(kind)) + QStringLiteral(" = ?"),
        {CellValue::number(key)});
    if (!rows) {
        fail();
        return std::nullopt;
    }
    if (rows->isEmpty()) {
        error_ = LibraryKinds::caption(kind) + QStringLiteral(" no ") + QString::number(key) +
                 QStringLiteral(" not in database.");
        return std::nullopt;
    }
    return recordOf(*rows, 0);
}

std::optional<std::vector<QPointF>> ObjectLibrary::nodes(int polygonKey) {
    const auto rows =
        system_.query(QStringLiteral("SELECT [X], [Y] FROM ") + q(names_.polygonNodes) +
                          QStringLiteral(" WHERE [PolyID] = ? ORDER BY [NodeNo] ASC"),
                      {CellValue::number(polygonKey)});
    if (!rows) {
        fail();
        return std::nullopt;
    }
    std::vector<QPointF> out;
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        out.emplace_back(rows->at(r, 0).toNumber().value_or(0),
                         rows->at(r, 1).toNumber().value_or(0));
    return out;
}

std::optional<std::array<double, 3>> ObjectLibrary::coordinates(int pointKey) {
    const auto rows = system_.query(QStringLiteral("SELECT [XCoord], [YCoord], [CCoord] FROM ") +
                                        q(names_.points) + QStringLiteral(" WHERE [PointNo] = ?"),
                                    {CellValue::number(pointKey)});
    if (!rows || rows->isEmpty()) {
        if (!rows)
            fail();
        return std::nullopt;
    }
    return std::array<double, 3>{rows->at(0, 0).toNumber().value_or(0),
                                 rows->at(0, 1).toNumber().value_or(0),
                                 rows->at(0, 2).toNumber().value_or(0)};
}

std::optional<std::vector<CollectionMember>> ObjectLibrary::members(int collectionKey) {
    std::vector<CollectionMember> out;
    for (LibraryKind kind : {LibraryKind::Trendline, LibraryKind::Polygon, LibraryKind::Point}) {
        const auto rows = system_.query(
            QStringLiteral("SELECT [ItemNo] FROM ") + q(names_.collectionItems) +
                QStringLiteral(" WHERE [CollectionID] = ? AND [ItemType] = ? ORDER BY [ColItemNo]"),
            {CellValue::number(collectionKey), CellValue::text(LibraryKinds::caption(kind))});
        if (!rows) {
            fail();
            return std::nullopt;
        }
        for (qsizetype r = 0; r < rows->rowCount(); ++r)
            out.push_back({kind, int(rows->at(r, 0).toNumber().value_or(0))});
    }
    return out;
}

std::optional<int> ObjectLibrary::nextKey(const QString& table, const QString& keyColumn) {
    const auto rows = system_.query(QStringLiteral("SELECT MAX(") + q(keyColumn) +
                                    QStringLiteral(") FROM ") + q(table));
    if (!rows || rows->isEmpty()) {
        fail();
        return std::nullopt;
    }
    return int(rows->at(0, 0).toNumber().value_or(0)) + 1;
}

bool ObjectLibrary::insert(const QString& table, const LibraryRecord& record) {
    // The table's own columns decide where each field goes, whatever their order.
    const auto present = system_.columnNamesOf(table);
    if (!present)
        return fail();
    QStringList columns, markers;
    std::vector<CellValue> values;
    for (const auto& [name, value] : record.fields()) {
        if (!present->contains(name, Qt::CaseInsensitive))
            continue;
        columns << q(name);
        markers << QStringLiteral("?");
        const auto type = typeOf(names_, table, name);
        values.push_back(type ? typed(value, *type) : value);
    }
    return run(QStringLiteral("INSERT INTO ") + q(table) + QStringLiteral(" (") +
                   columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                   markers.join(QStringLiteral(", ")) + QStringLiteral(")"),
               values);
}

template <typename Extra>
std::optional<int> ObjectLibrary::add(LibraryKind kind, LibraryRecord header, Extra extra) {
    const QString table = LibraryKinds::table(kind, names_);
    WriteScope transaction(system_, ownTransactions_);
    if (!transaction.began()) {
        fail();
        return std::nullopt;
    }
    const auto key = nextKey(table, LibraryKinds::keyColumn(kind));
    if (!key)
        return std::nullopt;
    header.set(LibraryKinds::keyColumn(kind), CellValue::number(*key));
    if (!insert(table, header) || !extra(*key))
        return std::nullopt;
    if (!transaction.commit()) {
        fail();
        return std::nullopt;
    }
    return key;
}

std::optional<int> ObjectLibrary::addTrendline(const LibraryRecord& header) {
    return add(LibraryKind::Trendline, header, [](int) { return true; });
}

std::optional<int> ObjectLibrary::addPolygon(const LibraryRecord& header,
                                             const std::vector<QPointF>& nodes) {
    return add(LibraryKind::Polygon, header, [&](int key) {
        for (size_t i = 0; i < nodes.size(); ++i)
            if (!run(QStringLiteral("INSERT INTO ") + q(names_.polygonNodes) +
                         QStringLiteral(" ([PolyID], [NodeNo], [X], [Y]) VALUES (?, ?, ?, ?)"),
                     {CellValue::number(key), CellValue::number(double(i + 1)),
                      CellValue::number(nodes[i].x()), CellValue::number(nodes[i].y())}))
                return false;
        return true;
    });
}

std::optional<int> ObjectLibrary::addPoint(const LibraryRecord& header,
                                           const std::array<double, 3>& at) {
    return add(LibraryKind::Point, header, [&](int key) {
        return run(QStringLiteral("INSERT INTO ") + q(names_.points) +
                       QStringLiteral(" ([PointNo], [XCoord], [YCoord], [CCoord]) VALUES (?, ?, "
                                      "?, ?)"),
                   {CellValue::number(key), CellValue::number(at[0]), CellValue::number(at[1]),
                    CellValue::number(at[2])});
    });
}

std::optional<int> ObjectLibrary::addCollection(const LibraryRecord& header,
                                                const std::vector<CollectionMember>& members) {
    for (const CollectionMember& m : members)
        if (!record(m.kind, m.key)) {
            error_ = LibraryKinds::caption(m.kind) + QStringLiteral(" no ") +
                     QString::number(m.key) + QStringLiteral(" not in database. Add it");
            return std::nullopt;
        }
    return add(LibraryKind::Collection, header, [&](int key) {
        for (const CollectionMember& m : members) {
            const auto item = nextKey(names_.collectionItems, QStringLiteral("ColItemNo"));
            if (!item ||
                !run(QStringLiteral("INSERT INTO ") + q(names_.collectionItems) +
                         QStringLiteral(" ([ColItemNo], [CollectionID], [ItemType], [ItemNo]) "
                                        "VALUES (?, ?, ?, ?)"),
                     {CellValue::number(*item), CellValue::number(key),
                      CellValue::text(LibraryKinds::caption(m.kind)), CellValue::number(m.key)}))
                return false;
        }
        return true;
    });
}

bool ObjectLibrary::update(LibraryKind kind, int key, const LibraryRecord& header) {
    const QString table = LibraryKinds::table(kind, names_);
    const QString keyColumn = LibraryKinds::keyColumn(kind);
    const auto present = system_.columnNamesOf(table);
    if (!present)
        return fail();
    QStringList sets;
    std::vector<CellValue> values;
    for (const auto& [name, value] : header.fields()) {
        if (name.compare(keyColumn, Qt::CaseInsensitive) == 0 ||
            !present->contains(name, Qt::CaseInsensitive))
            continue;
        sets << q(name) + QStringLiteral(" = ?");
        const auto type = typeOf(names_, table, name);
        values.push_back(type ? typed(value, *type) : value);
    }
    if (sets.isEmpty())
        return true;
    values.push_back(CellValue::number(key));
    const auto changed =
        system_.execute(QStringLiteral("UPDATE ") + q(table) + QStringLiteral(" SET ") +
                            sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                            q(keyColumn) + QStringLiteral(" = ?"),
                        values);
    if (!changed)
        return fail();
    if (*changed == 0) {
        error_ = LibraryKinds::caption(kind) + QStringLiteral(" no ") + QString::number(key) +
                 QStringLiteral(" not in database.");
        return false;
    }
    return true;
}

bool ObjectLibrary::remove(LibraryKind kind, int key) {
    WriteScope transaction(system_, ownTransactions_);
    if (!transaction.began())
        return fail();
    const std::vector<CellValue> k{CellValue::number(key)};
    switch (kind) {
    case LibraryKind::Polygon:
        if (!run(QStringLiteral("DELETE FROM ") + q(names_.polygonNodes) +
                     QStringLiteral(" WHERE [PolyID] = ?"),
                 k))
            return false;
        break;
    case LibraryKind::Point:
        if (!run(QStringLiteral("DELETE FROM ") + q(names_.points) +
                     QStringLiteral(" WHERE [PointNo] = ?"),
                 k))
            return false;
        break;
    case LibraryKind::Collection:
        if (!run(QStringLiteral("DELETE FROM ") + q(names_.collectionItems) +
                     QStringLiteral(" WHERE [CollectionID] = ?"),
                 k))
            return false;
        break;
    case LibraryKind::Trendline:
        break;
    }
    // A deleted member leaves the collections it was in.
    if (kind != LibraryKind::Collection &&
        !run(QStringLiteral("DELETE FROM ") + q(names_.collectionItems) +
                 QStringLiteral(" WHERE [ItemType] = ? AND [ItemNo] = ?"),
             {CellValue::text(LibraryKinds::caption(kind)), CellValue::number(key)}))
        return false;
    if (!run(QStringLiteral("DELETE FROM ") + q(LibraryKinds::table(kind, names_)) +
                 QStringLiteral(" WHERE ") + q(LibraryKinds::keyColumn(kind)) +
                 QStringLiteral(" = ?"),
             k))
        return false;
    return transaction.commit() || fail();
}

std::optional<QString> ObjectLibrary::setting(const QString& key) {
    const auto rows = system_.query(QStringLiteral("SELECT [Value] FROM ") + q(names_.settings) +
                                        QStringLiteral(" WHERE [Key] = ?"),
                                    {CellValue::text(key)});
    if (!rows || rows->isEmpty()) {
        if (!rows)
            fail();
        return std::nullopt;
    }
    return rows->at(0, 0).toText();
}

bool ObjectLibrary::setSetting(const QString& key, const QString& value) {
    WriteScope transaction(system_, ownTransactions_);
    if (!transaction.began())
        return fail();
    if (!run(QStringLiteral("DELETE FROM ") + q(names_.settings) +
                 QStringLiteral(" WHERE [Key] = ?"),
             {CellValue::text(key)}) ||
        !run(QStringLiteral("INSERT INTO ") + q(names_.settings) +
                 QStringLiteral(" ([Key], [Value]) VALUES (?, ?)"),
             {CellValue::text(key), CellValue::text(value)}))
        return false;
    return transaction.commit() || fail();
}
