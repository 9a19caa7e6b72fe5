#pragma once
// "Paste Append" and "Paste and Merge": tab-separated clipboard text written into the grid's
// table. The first row names the fields (matched without regard to case); without usable
// names the person may declare the columns to be in the table's order. A cell goes in as its
// field's type takes it (FieldValues): "007" stays "007" in a text field. Every paste is one
// transaction; when it cannot begin or be saved, nothing is written and the person is told why.
#include <QString>
#include <QStringList>

class Dialogs;
class FieldValues;
class SchemaCatalogue;
class Sheet;
class Status;
struct GridTarget;

class GridPaste {
public:
    GridPaste(const GridTarget& target, const SchemaCatalogue& catalogue, Dialogs& dialogs,
              Status& status);

    // The number of rows added, or -1 when cancelled or refused.
    int append(const QString& clipboardText);
    // Rows whose ID matches a record update it, the others are added; -1 when cancelled.
    int merge(const QString& clipboardText);

private:
    // Tells why nothing was written (the transaction rolls everything back); -1.
    int refuse(const QString& nothingDone, const QString& why);
    struct Layout {
        QStringList fields;   // per pasted column: the table's field, or empty
        QStringList missing;  // "Column n=name" of columns without a field
        int firstDataRow = 1; // 1-based: 2 below headings, 1 for rowwise data
    };
    bool layoutOf(const Sheet& sheet, Layout& layout);
    bool insertRow(const Sheet& sheet, int row, const Layout& layout, const FieldValues& values);
    QString report(const QString& head, const Layout& layout, const QString& missingHead) const;

    const GridTarget& target_;
    const SchemaCatalogue& catalogue_;
    Dialogs& dialogs_;
    Status& status_;
};
