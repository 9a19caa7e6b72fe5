#include "app/RecentFiles.h"

#include "platform/ConnectionTextRedactor.h"
#include "platform/IniFile.h"

QStringList RecentFiles::entries(const QString& section) const {
    const IniFile ini = IniFile::load(file_);
    QStringList out;
    for (int i = 1; i <= size; ++i)
        out << ConnectionTextRedactor::redact(
            ini.value(section, QString::number(i)).value_or(QString()));
    return out;
}

bool RecentFiles::add(const QString& added, const QString& section) const {
    // A server source's password is never kept; entries an older version kept with one lose it
    // at this save.
    const QString path = ConnectionTextRedactor::redact(added);
    IniFile ini = IniFile::load(file_);
    QStringList old;
    for (int i = 1; i <= size; ++i)
        old << ConnectionTextRedactor::redact(
            ini.value(section, QString::number(i)).value_or(QString()));
    ini.setValue(section, QStringLiteral("1"), path);
    // Empty old entries move down too; when the path was not in the list the last old entry
    // lands under "21", which nobody reads.
    int next = 2;
    for (const QString& entry : old)
        if (entry != path)
            ini.setValue(section, QString::number(next++), entry);
    return ini.save(file_);
}
