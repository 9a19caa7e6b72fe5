#pragma once
// A grid's caption is a kind word, "/" and a name ("Table/Samples"); the name is the default
// file name of every save.
#include <QString>

class GridCaption {
public:
    // The text after the first "/" (the whole caption without one), a trailing ">" removed.
    static QString nameOf(const QString& caption);
};
