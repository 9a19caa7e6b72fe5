#pragma once
// A Sheet for a table view: its cells as they are (row 1 included), a few spare rows and columns
// beyond the used range to type into, column letters A, B, ... and row numbers as headings.
// Edits go into the sheet: text that reads as a number becomes a number. The sheet is its
// caller's and must outlive the model; call reset() after changing it elsewhere.
#include <QAbstractTableModel>

class QAbstractItemView;

class Sheet;

class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int spareRows = 20;
    static constexpr int spareColumns = 5;

    explicit SheetTableModel(Sheet* sheet, QObject* parent = nullptr);

    // Shows another sheet (or the same one after it changed).
    void setSheet(Sheet* sheet);
    void reset();
    // "A", "B", ..., "Z", "AA", ...; column is 1-based.
    static QString columnLetters(int column);
    // The cells' bounding rectangle as tab-separated text (what Copy puts on the clipboard);
    // empty when no cell is given.
    QString rectangleTsv(const QModelIndexList& cells) const;
    // Puts a sheet view's selected rectangle on the clipboard; does nothing when no cell is
    // selected or the view does not show a sheet.
    static void copySelection(const QAbstractItemView& view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    Sheet* sheet_;
};
