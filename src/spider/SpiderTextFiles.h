#pragma once
// Export and import of the spider library as the text files "SpiderMain.txt" and
// "SpiderNorm.txt" in one folder: one row per record, the table's columns in order separated
// by ";" (SpiderType and its element references; SpiderType, Sample and its values), UTF-8. A
// cell holding ";" or '"' is quoted, with '"' doubled inside.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class SpiderLibrary;

class SpiderTextFiles {
public:
    static QString mainFile() { return QStringLiteral("SpiderMain.txt"); }
    static QString normFile() { return QStringLiteral("SpiderNorm.txt"); }

    // Writes both files; the error text, empty on success.
    static QString write(SpiderLibrary& library, const QString& folder);

    struct Imported {
        int types = 0;
        int samples = 0;
        QString error; // a file that cannot be read or a row that cannot be written
    };
    // Adds every row of both files; a type that already exists is replaced only when
    // `replace(name)` says so. Samples whose type and name are taken are not added.
    static Imported read(SpiderLibrary& library, const QString& folder,
                         const std::function<bool(const QString& type)>& replace);

    static QString joinRow(const QStringList& cells);
    static QStringList splitRow(const QString& line);
};
