#pragma once
// Where a filter made elsewhere becomes the filter of the current diagram window. The diagram
// window implements it; the combined-filter panel calls it after making f_Combined.
#include <QString>

class DiagramFilterTarget {
public:
    virtual ~DiagramFilterTarget() = default;
    // view: the filter's view name ("f_Combined").
    virtual void useFilter(const QString& view) = 0;
};
