#pragma once
// "Paste Append" and "Paste and Merge": tab-separated clipboard text written into the grid's
// table. The first row names the fields (matched without regard to case); without usable
// names the person may declare the columns to be in the table's order. Every paste is one
// transaction.
#include <QString>
#include <QStringList>

class Dialogs;
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
    // The columns "Paste and Merge" tries as the ID, in order ("Options...").
    void setIdColumns(const QStringList& names) { idColumns_ = names; }

private:
    // Tells why the row could not be written (the transaction rolls everything back); -1.
    int refuseRow(const QString& nothingDone, int row);
    struct Layout {
        QStringList fields;   // per pasted column: the table's field, or empty
        QStringList missing;  // "Column n=name" of columns without a field
        int firstDataRow = 1; // 1-based: 2 below headings, 1 for rowwise data
    };
    bool layoutOf(const Sheet& sheet, Layout& layout);
    bool insertRow(const Sheet& sheet, int row, const Layout& layout);
    QString report(const QString& head, const Layout& layout, const QString& missingHead) const;

    const GridTarget& target_;
    const SchemaCatalogue& catalogue_;
    Dialogs& dialogs_;
    Status& status_;
    QStringList idColumns_{QStringLiteral("ID"), QStringLiteral("SampleNo")};
};
