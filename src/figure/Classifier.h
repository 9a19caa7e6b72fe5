#pragma once
// Splits rows into classes by their classifier value, under one classify option. Values are
// fed in row order (row 0 first), then finish() names the classes and sorts them: numbers (and
// texts that read as numbers) by value before texts, texts without regard to case; "<Numeric>"
// and value ranges come before text classes; the class of Null rows, when they are drawn, is
// "<Null>" and comes last. A million rows into twenty classes take a few tens of milliseconds:
// every row costs one hash look-up (none when it repeats the previous value), names are made
// once per distinct value.
#include "figure/Classification.h"
#include "figure/ClassifyOption.h"
#include "platform/CellValue.h"

#include "platform/TextIndex.h"

#include <QHash>
#include <QString>
#include <vector>

class InternedColumn;
class RowSet;
class Sheet;

class Classifier {
public:
    struct Options {
        ClassifyMode mode = ClassifyMode::AsText;
        bool drawNulls = false; // "Null rows in classifier are drawn"
        // ClipData with ranges: rows whose classifier is not numeric are left out.
        bool dropNonNumericFromRanges = false;
    };

    static QString numericClassName() { return QStringLiteral("<Numeric>"); }
    static QString nullClassName() { return QStringLiteral("<Null>"); }

    explicit Classifier(Options options)
        : options_(options) {}

    void addNull();
    void addNumber(double value);
    void addText(const QString& text);
    // Empty and Null cells are Null; dates and booleans class by their text.
    void add(const CellValue& value);

    Classification finish() const;

    // Column of a row set, all rows.
    static Classification classify(const RowSet& rows, int column, Options options);
    // An interned column: each distinct value is looked at once.
    static Classification classify(const InternedColumn& column, Options options);
    // Column of a sheet, rows first..last (1-based); empty cells are Null.
    static Classification classify(const Sheet& sheet, int column, int firstRow, int lastRow,
                                   Options options);
    // No classifier: one class of every row.
    static Classification single(qsizetype rowCount, const QString& name);

private:
    qint32 keyOf(const CellValue& value);
    static constexpr qint32 nullKey = -1;
    // Keys: number k is 2k, text k is 2k + 1.
    qint32 numberKey(double value);
    qint32 textKey(const QString& text);

    Options options_;
    std::vector<qint32> rowKeys_;
    QHash<double, qint32> numberIds_;
    std::vector<double> numbers_;
    TextIndex texts_;
    qint32 lastTextKey_ = nullKey;
};
