#pragma once
// A tab-separated data file bundled with the program (a Qt resource, UTF-8): its lines split
// into cells, without blank lines and "#" comment lines. Missing: no lines.
#include <QStringList>
#include <vector>

class ResourceTable {
public:
    static std::vector<QStringList> lines(const QString& resource);
};
