#pragma once
// What the table chooser hands its statement to: the main window registers it with its list
// of views and opens it in the table grid.
#include <QString>

class QueryGridHost {
public:
    virtual ~QueryGridHost() = default;
    // False when the statement could not be opened; the host has then told the person why.
    virtual bool openInGrid(const QString& statement) = 0;
};
