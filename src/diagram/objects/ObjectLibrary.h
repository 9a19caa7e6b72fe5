#pragma once
// The object library in the system database: trendlines, polygons with their nodes, reference
// points with their coordinates and collections with their members, under the configured table
// names. Lists a kind for a chart type under two user conditions joined by AND or OR, reads,
// adds, updates and deletes records. Every value goes in bound; a condition value with "*" or
// "?" is a LIKE pattern, any other is compared for equality. A new record takes the next key
// (MAX + 1) inside the transaction that inserts it, and its header fields go to the columns of
// the same name. Deleting a record deletes its nodes or coordinates and its collection
// memberships in the same transaction. Works on any connection to a system database (SQLite or
// PostgreSQL); the caller opens and keeps the connection.
#include "diagram/objects/LibraryKind.h"
#include "diagram/objects/LibraryRecord.h"
#include "platform/RowSet.h"

#include <QPointF>
#include <array>
#include <optional>
#include <vector>

class Connection;

struct LibraryCondition {
    QString column = {}; // empty: no condition
    QString value = {};
};

struct LibraryListing {
    QString chartType = {}; // "XY", "Tri" or "Spider"; empty lists every chart type
    LibraryCondition first = {};
    LibraryCondition second = {};
    bool orJoined = false;
    QString sortColumn = {}; // empty: by key
    bool descending = false;
    LibraryCondition filter = {}; // "Set Filter condition": one more condition, always ANDed
};

struct CollectionMember {
    LibraryKind kind = LibraryKind::Trendline;
    int key = 0;
    bool operator==(const CollectionMember&) const = default;
};

class ObjectLibrary {
public:
    // Caller: the caller holds a transaction around every write (seeding a new file), so the
    // library begins none of its own.
    enum class Transactions { Own, Caller };
    explicit ObjectLibrary(Connection& system, const SystemTables& names = {},
                           Transactions transactions = Transactions::Own);

    // The records of one kind; nullopt when the table cannot be read (lastError() says why).
    std::optional<RowSet> list(LibraryKind kind, const LibraryListing& listing);
    // nullopt when there is no such record.
    std::optional<LibraryRecord> record(LibraryKind kind, int key);
    // A polygon's nodes in node order.
    std::optional<std::vector<QPointF>> nodes(int polygonKey);
    // A point's XCoord, YCoord, CCoord.
    std::optional<std::array<double, 3>> coordinates(int pointKey);
    // A collection's members: its trendlines, then its polygons, then its points.
    std::optional<std::vector<CollectionMember>> members(int collectionKey);

    // Each adds the record under the next key and returns it; nullopt when nothing was written.
    std::optional<int> addTrendline(const LibraryRecord& header);
    std::optional<int> addPolygon(const LibraryRecord& header, const std::vector<QPointF>& nodes);
    std::optional<int> addPoint(const LibraryRecord& header, const std::array<double, 3>& at);
    // Every member must be stored already: lastError() names the first one that is not.
    std::optional<int> addCollection(const LibraryRecord& header,
                                     const std::vector<CollectionMember>& members);

    // The header fields of an existing record (its key stays).
    bool update(LibraryKind kind, int key, const LibraryRecord& header);
    bool remove(LibraryKind kind, int key);

    // A value kept in the settings table; nullopt when it is not set.
    std::optional<QString> setting(const QString& key);
    bool setSetting(const QString& key, const QString& value);

    QString lastError() const { return error_; }
    const SystemTables& names() const { return names_; }

private:
    template <typename Extra>
    std::optional<int> add(LibraryKind kind, LibraryRecord header, Extra extra);
    std::optional<int> nextKey(const QString& table, const QString& keyColumn);
    bool insert(const QString& table, const LibraryRecord& record);
    bool run(const QString& sql, const std::vector<CellValue>& values);
    bool fail();

    Connection& system_;
    SystemTables names_;
    bool ownTransactions_;
    QString error_;
};
