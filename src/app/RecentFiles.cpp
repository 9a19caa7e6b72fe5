#include "app/RecentFiles.h"

#include "platform/IniFile.h"

QStringList RecentFiles::entries(const QString& section) const {
    const IniFile ini = IniFile::load(file_);
    QStringList out;
    for (int i = 1; i <= size; ++i)
        out << ini.value(section, QString::number(i)).value_or(QString());
    return out;
}

bool RecentFiles::add(const QString& path, const QString& section) const {
    IniFile ini = IniFile::load(file_);
    QStringList old;
    for (int i = 1; i <= size; ++i)
        old << ini.value(section, QString::number(i)).value_or(QString());
    ini.setValue(section, QStringLiteral("1"), path);
    // Empty old entries move down too; when the path was not in the list the last old entry
    // lands under "21", which nobody reads.
    int next = 2;
    for (const QString& entry : old)
        if (entry != path)
            ini.setValue(section, QString::number(next++), entry);
    return ini.save(file_);
}
