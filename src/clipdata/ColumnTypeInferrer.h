#pragma once
// The Jet type of a new table's column from its sheet cells (empty cells ignored): a cell that
// is not a number (a text with leading zeros, such as "007", is none) makes it TEXT, else a
// non-whole number DOUBLE (SINGLE would lose digits of the sheet's doubles), else a whole number
// outside -32768..32767 LONG, else INTEGER; the widest wins. TEXT gets the length 10, 50 or 255 by
// its longest cell; a column without data is TEXT. A heading containing "Date" or "Time" makes it
// DATE, and key columns are never INTEGER.
#include <QString>

class Sheet;

class ColumnTypeInferrer {
public:
    enum class Category { Integer, Long, Double, Text, Date };
    struct ColumnType {
        Category category = Category::Text;
        int textLength = 10; // for Text
        QString jetType() const;
        bool operator==(const ColumnType&) const = default;
    };

    // Rows 2..lastRow of the column; row 1 holds the heading.
    static ColumnType infer(const Sheet& page, int column, bool isKey);
};
