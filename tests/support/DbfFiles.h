#pragma once
// Writes real dBase files for the tests with shapelib's own writer.
#include <QString>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace testdbf {

struct Field {
    const char* name;
    char type; // dBase type letter
    int width;
    int decimals = 0;
};

// A field value as it lies in the file (padded by shapelib), or nullopt for shapelib's Null.
using Value = std::optional<std::string>;

// Writes <folder>/<base>.dbf (shapelib always writes a lower-case ".dbf"); `codePage` is
// "LDID/n" for the header byte or a .cpg text. Records listed in `deleted` are marked deleted.
// The file is dated an hour back. Returns the path written, empty on failure.
QString write(const QString& folder, const QString& base, const char* codePage,
              const std::vector<Field>& fields, const std::vector<std::vector<Value>>& records,
              const std::set<int>& deleted = {});

} // namespace testdbf
