#pragma once
// Sheet names made from class values: characters a workbook refuses ("/\?*[]:") become "_",
// names are cut to 31 characters, an empty value becomes "(empty)", and a name already given
// (without regard to case, as workbooks compare them) gets " (2)", " (3)"... so that every class
// keeps its own sheet.
#include <QSet>
#include <QString>

class SheetNameMaker {
public:
    static constexpr int maxLength = 31;

    // Reserves a name that is not a class ("WholeData").
    void reserve(const QString& name) { used_.insert(name.toCaseFolded()); }
    QString make(const QString& classValue);

private:
    QSet<QString> used_;
};
