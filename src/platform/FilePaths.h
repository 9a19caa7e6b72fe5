#pragma once
// Path texts as the program stores them: "/" separators, though "\" is accepted everywhere a
// person or an old file may have written one.
#include <QString>

namespace FilePaths {
// Turns every "\" into "/".
QString normalized(const QString& path);
bool endsWithSeparator(const QString& path);
bool startsWithSeparator(const QString& path);
// "rocks.mdb" + ".ake" -> "rocks.ake"; a name without an extension gets it appended. Only the
// last component's extension counts, so "a.b/rocks" -> "a.b/rocks.ake".
QString replaceExtension(const QString& path, const QString& newExtension);
// Creates each missing level of the path when create is true; otherwise stops at the first
// missing level. True when the whole path exists afterwards. Never asks anything.
bool ensureFolder(const QString& path, bool create);
} // namespace FilePaths
