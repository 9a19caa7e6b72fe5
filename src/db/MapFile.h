#pragma once
// The catalogue saved beside its database, so that later opens need not read the schema: a
// workbook whose sheets 1 to 4 are the table-field, index, key and links lists. Link files
// (".dbl" read at open, ".alk" written by "Save Links") hold only the links list.
#include "db/SchemaCatalogue.h"

#include <QString>

class MapFile {
public:
    // "rocks.mdb" and "rocks.sqlite" both give "rocks.ake" beside them; a server source has no
    // folder of its own, so its map goes into the user folder. A database in a folder that
    // cannot be written (a shared archive, an installed sample) keeps its map in the user's
    // cache folder, unless a map already lies beside it.
    static QString pathFor(const QString& databasePath, bool serverSource,
                           const QString& userFolder);
    static QString linkFilePathFor(const QString& databasePath);

    static bool save(const SchemaCatalogue& catalogue, const QString& path,
                     QString* error = nullptr);
    // Replaces the four lists with the file's sheets; false (catalogue untouched) when the file
    // cannot be read or is not a map file.
    static bool load(SchemaCatalogue& catalogue, const QString& path, QString* error = nullptr);

    static bool saveLinks(const Sheet& links, const QString& path, QString* error = nullptr);
    static bool loadLinks(Sheet& links, const QString& path, QString* error = nullptr);
};
