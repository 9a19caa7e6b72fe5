#pragma once
// The grid's rows for a table view: pages are fetched from the row source when first shown and
// a bounded number of them is kept, so scrolling a million rows costs only the pages seen. Edits
// go to the writer the grid gives; only a written value changes the cached page.
#include "grid/GridRowSource.h"

#include <QAbstractTableModel>
#include <functional>
#include <list>
#include <map>
#include <memory>

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int pageSize = 512;
    static constexpr int keptPages = 64;

    // Writes a cell of a row; false when the database refused it.
    using CellWriter =
        std::function<bool(const RowSet::Row& row, int column, const CellValue& value)>;

    explicit GridModel(std::unique_ptr<GridRowSource> source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    void setCellWriter(CellWriter writer) { writer_ = std::move(writer); }
    // The row's cells, fetching its page when needed; nullptr when it cannot be read.
    const RowSet::Row* row(int r) const;
    GridRowSource& source() { return *source_; }
    // Forgets every page and re-counts, after writes that change many rows.
    bool reload();

private:
    const RowSet* page(int number) const;

    std::unique_ptr<GridRowSource> source_;
    CellWriter writer_;
    mutable std::map<int, RowSet> pages_;
    mutable std::list<int> recent_; // most recently used page first
};
